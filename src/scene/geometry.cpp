#include "scene/geometry.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace scene {

namespace {

using records::float32_at;
using records::int16_at;
using records::int32_at;

constexpr std::int64_t kVertexBytes = 12;
constexpr std::int64_t kEntriesAt = 44;

pof::Vec3 vec_at(std::string_view block, std::int64_t at) {
    return {float32_at(block, at), float32_at(block, at + 4), float32_at(block, at + 8)};
}

// The vertex positions, each followed in the data by as many normals as its count byte says,
// appended to the mesh's.
void read_vertices(std::string_view block, Mesh& mesh, LeftOut& left_out) {
    try {
        const std::int32_t count = int32_at(block, 8);
        std::int64_t at = int32_at(block, 16);
        const auto most = static_cast<std::int64_t>(block.size()) / kVertexBytes;
        mesh.vertices.reserve(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, most)));
        for (std::int32_t v = 0; v < count; ++v) {
            const std::int64_t normals = records::byte_at(block, 20 + std::int64_t{v});
            const pof::Vec3 p = vec_at(block, at);
            mesh.vertices.push_back(p);
            mesh.vertex_finite.push_back(finite(p));
            if (!finite(p)) ++left_out.nonfinite_vertices;
            at += kVertexBytes * (1 + normals);
        }
    } catch (const records::OutOfRange&) {
        ++left_out.cut_vertex_blocks;
    }
}

enum class Verdict { Drawn, Short, BadIndex, NonFinite, Cut };

// The vertices a polygon indexes: those of the last DEFPOINTS block before it, which lie in the
// mesh's vertices from first on.
struct VertexTable {
    std::uint32_t first = 0;
    std::int32_t count = 0;  // 0 before any DEFPOINTS block
};

// Appends the polygon's corners to the mesh's; the caller drops them again unless drawn.
Verdict read_corners(std::string_view block, bool textured, const VertexTable& table, Mesh& mesh,
                     Polygon& polygon) {
    const std::int32_t count = int32_at(block, 36);
    if (count < 3) return Verdict::Short;
    const std::int64_t stride = textured ? 12 : 4;
    Verdict verdict = Verdict::Drawn;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int64_t at = kEntriesAt + stride * i;
        const std::int16_t index = int16_at(block, at);
        Corner c{static_cast<std::int32_t>(table.first) + index, 0, 0};
        if (textured) {
            c.u = float32_at(block, at + 4);
            c.v = float32_at(block, at + 8);
        }
        if (index < 0 || index >= table.count) {
            verdict = Verdict::BadIndex;
        } else if (verdict == Verdict::Drawn &&
                   (!mesh.vertex_finite[c.vertex] || !std::isfinite(c.u) || !std::isfinite(c.v))) {
            verdict = Verdict::NonFinite;
        }
        mesh.corners.push_back(c);
        ++polygon.corner_count;
    }
    return verdict;
}

void read_polygon(std::string_view block, bool textured, const VertexTable& table, Polygon polygon,
                  Mesh& mesh, LeftOut& left_out) {
    polygon.textured = textured;
    polygon.first_corner = static_cast<std::uint32_t>(mesh.corners.size());
    Verdict verdict = Verdict::Drawn;
    try {
        polygon.normal = vec_at(block, 8);
        if (textured) {
            polygon.texture = int32_at(block, 40);
        } else {
            for (int i = 0; i < 3; ++i) polygon.colour[i] = records::byte_at(block, 40 + i);
        }
        verdict = read_corners(block, textured, table, mesh, polygon);
    } catch (const records::OutOfRange&) {
        verdict = Verdict::Cut;
    }
    if (verdict != Verdict::Drawn) mesh.corners.resize(polygon.first_corner);
    switch (verdict) {
        case Verdict::Drawn:
            mesh.polygons.push_back(polygon);
            return;
        case Verdict::Cut:
            ++left_out.cut_polygons;
            return;
        case Verdict::Short:
            ++left_out.short_polygons;
            return;
        case Verdict::BadIndex:
            ++left_out.bad_index_polygons;
            return;
        case Verdict::NonFinite:
            ++left_out.nonfinite_polygons;
            return;
    }
}

}  // namespace

void add_geometry(const records::Subobject& subobject, Mesh& mesh, LeftOut& left_out) {
    const auto size = static_cast<std::size_t>(std::max(subobject.bsp_data_size, 0));
    const std::string_view bsp = std::string_view(subobject.bsp_data).substr(0, size);
    const auto rows = records::walk_blocks(bsp).rows;
    const auto block_at = [&](const records::BlockRow& row) {
        return bsp.substr(static_cast<std::size_t>(row.offset),
                          static_cast<std::size_t>(std::max(row.size, 0)));
    };
    // Room for every polygon block's polygon and its first three corners at once, so that a
    // subobject of a million polygons is not copied again and again as it grows.
    const auto polygon_rows = std::count_if(rows.begin(), rows.end(), [](const auto& row) {
        return !row.note &&
               (row.type_id == records::bsp::kFlatPoly || row.type_id == records::bsp::kTmapPoly);
    });
    mesh.polygons.reserve(static_cast<std::size_t>(polygon_rows));
    mesh.corners.reserve(static_cast<std::size_t>(polygon_rows) * 3);
    // A polygon indexes the vertices of the last DEFPOINTS block the walk met before it.
    VertexTable table;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].note) continue;
        const std::int32_t type = rows[r].type_id;
        if (type == records::bsp::kDefPoints) {
            table.first = static_cast<std::uint32_t>(mesh.vertices.size());
            read_vertices(block_at(rows[r]), mesh, left_out);
            table.count = static_cast<std::int32_t>(mesh.vertices.size() - table.first);
            mesh.vertex_blocks.push_back({static_cast<int>(r), table.first});
            continue;
        }
        if (type != records::bsp::kFlatPoly && type != records::bsp::kTmapPoly) continue;
        Polygon polygon;
        polygon.block_row = static_cast<int>(r);
        read_polygon(block_at(rows[r]), type == records::bsp::kTmapPoly, table, polygon, mesh,
                     left_out);
    }
}

}  // namespace scene
