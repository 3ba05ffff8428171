#include "scene/geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace scene {

namespace {

using records::float32_at;
using records::int32_at;

constexpr std::int64_t kVertexBytes = 12;

using records::bsp::PolygonLayout;

const PolygonLayout* polygon_layout(std::int32_t type) {
    switch (type) {
        case records::bsp::kFlatPoly:
            return &records::bsp::kFlatPolyLayout;
        case records::bsp::kTmapPoly:
            return &records::bsp::kTmapPolyLayout;
        case records::bsp::kTmap2Poly:
            return &records::bsp::kTmap2PolyLayout;
        default:
            return nullptr;
    }
}

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
Verdict read_corners(std::string_view block, const PolygonLayout& layout, const VertexTable& table,
                     Mesh& mesh, Polygon& polygon) {
    // TMAP2POLY's count is unsigned: one above the int32 range is cut by the block's end.
    const auto count = static_cast<std::uint32_t>(int32_at(block, layout.count_at));
    if (count < 3) return Verdict::Short;
    Verdict verdict = Verdict::Drawn;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int64_t at = layout.entries_at + layout.stride * i;
        const std::uint32_t index = layout.wide
                                        ? static_cast<std::uint32_t>(int32_at(block, at))
                                        : static_cast<std::uint16_t>(records::int16_at(block, at));
        const bool inside = index < static_cast<std::uint32_t>(table.count);
        Corner c{inside ? static_cast<std::int32_t>(table.first + index) : 0, 0, 0};
        if (layout.textured) {
            c.u = float32_at(block, at + layout.uv_at);
            c.v = float32_at(block, at + layout.uv_at + 4);
        }
        if (!inside) {
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

void read_polygon(std::string_view block, const PolygonLayout& layout, const VertexTable& table,
                  Polygon polygon, Mesh& mesh, LeftOut& left_out) {
    polygon.textured = layout.textured;
    polygon.wide = layout.wide;
    polygon.first_corner = static_cast<std::uint32_t>(mesh.corners.size());
    Verdict verdict = Verdict::Drawn;
    try {
        polygon.normal = vec_at(block, layout.normal_at);
        if (layout.textured) {
            polygon.texture = int32_at(block, layout.texture_at);
        } else {
            for (int i = 0; i < 3; ++i) {
                polygon.colour[i] = records::byte_at(block, layout.texture_at + i);
            }
        }
        verdict = read_corners(block, layout, table, mesh, polygon);
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

// Marks the rows of the blocks the game reads. A run of blocks is read one after the other
// from its start; a SORTNORM2 or a TMAP2POLY ends its run, and the offsets of SORTNORM and
// SORTNORM2 blocks start runs of their own. A run that meets a row already read stops there,
// since it would read on as before: every row is looked at once. Without blocks 6 and 7 one
// run from the first block reads every row.
std::vector<bool> rows_read(std::string_view bsp, const std::vector<records::BlockRow>& rows) {
    std::vector<bool> read(rows.size(), false);
    std::vector<std::size_t> starts{0};
    const auto row_at = [&](std::int64_t offset) -> std::optional<std::size_t> {
        const auto found = std::lower_bound(
            rows.begin(), rows.end(), offset,
            [](const records::BlockRow& r, std::int64_t at) { return r.offset < at; });
        if (found == rows.end() || found->offset != offset || found->note) return std::nullopt;
        return static_cast<std::size_t>(found - rows.begin());
    };
    const auto follow = [&](const records::BlockRow& row, std::int64_t field) {
        try {
            const std::int32_t off = int32_at(bsp, std::int64_t{row.offset} + field);
            if (off == 0) return;
            if (const auto target = row_at(std::int64_t{row.offset} + off))
                starts.push_back(*target);
        } catch (const records::OutOfRange&) {
        }
    };
    while (!starts.empty()) {
        const std::size_t start = starts.back();
        starts.pop_back();
        for (std::size_t r = start; r < rows.size() && !read[r] && !rows[r].note; ++r) {
            read[r] = true;
            const std::int32_t type = rows[r].type_id;
            if (type == records::bsp::kSortNorm) {
                for (std::int64_t field = 36; field < 56; field += 4) follow(rows[r], field);
            } else if (type == records::bsp::kSortNorm2) {
                follow(rows[r], 8);
                follow(rows[r], 12);
            }
            if (type == records::bsp::kSortNorm2 || type == records::bsp::kTmap2Poly) break;
        }
    }
    return read;
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
        return !row.note && polygon_layout(row.type_id) != nullptr;
    });
    const std::vector<bool> read = rows_read(bsp, rows);
    mesh.polygons.reserve(static_cast<std::size_t>(polygon_rows));
    mesh.corners.reserve(static_cast<std::size_t>(polygon_rows) * 3);
    // A polygon indexes the vertices of the last DEFPOINTS block the walk met before it.
    VertexTable table;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!read[r]) continue;
        const std::int32_t type = rows[r].type_id;
        if (type == records::bsp::kDefPoints) {
            table.first = static_cast<std::uint32_t>(mesh.vertices.size());
            read_vertices(block_at(rows[r]), mesh, left_out);
            table.count = static_cast<std::int32_t>(mesh.vertices.size() - table.first);
            mesh.vertex_blocks.push_back({static_cast<int>(r), table.first});
            continue;
        }
        const PolygonLayout* layout = polygon_layout(type);
        if (layout == nullptr) continue;
        Polygon polygon;
        polygon.block_row = static_cast<int>(r);
        read_polygon(block_at(rows[r]), *layout, table, polygon, mesh, left_out);
    }
}

}  // namespace scene
