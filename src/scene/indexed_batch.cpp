#include "scene/indexed_batch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace scene {

namespace {

constexpr std::uint32_t kEmpty = std::numeric_limits<std::uint32_t>::max();

std::uint64_t mix(std::uint64_t h, std::uint32_t word) {
    h ^= word;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

// An open-addressed table of vertex numbers, twice as many slots as it may hold: the caller
// hashes and compares, the table finds the slot. No allocation per entry, so a batch of a
// million corners is merged in one pass.
class Slots {
  public:
    explicit Slots(std::size_t most) {
        std::size_t n = 16;
        while (n < most * 2) n *= 2;
        slots_.assign(n, kEmpty);
    }
    // The slot holding a vertex that same() accepts, else the empty slot where it belongs.
    template <class Same>
    std::uint32_t& find(std::uint64_t hash, Same same) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            if (slots_[i] == kEmpty || same(slots_[i])) return slots_[i];
        }
    }

  private:
    std::vector<std::uint32_t> slots_;
};

void grow(IndexedBatch& b, const std::array<float, 3>& p) {
    for (int k = 0; k < 3; ++k) {
        b.min[k] = std::min(b.min[k], p[k]);
        b.max[k] = std::max(b.max[k], p[k]);
    }
}

void start_bounds(IndexedBatch& b) {
    b.min.fill(std::numeric_limits<float>::max());
    b.max.fill(std::numeric_limits<float>::lowest());
}

}  // namespace

IndexedBatch index_batch(const view::TriangleBatch& batch, bool uvs) {
    IndexedBatch out;
    start_bounds(out);
    const std::size_t corners = batch.positions.size() / 3;
    uvs = uvs && batch.uvs.size() >= corners * 2;
    Slots slots(corners);
    out.indices.reserve(corners);
    out.vertices.reserve(corners / 2);  // shared corners make fewer vertices than this
    for (std::size_t c = 0; c < corners; ++c) {
        PackedVertex v{};
        std::copy_n(batch.positions.begin() + 3 * c, 3, v.position.begin());
        if (batch.colours.size() >= 3 * c + 3)
            std::copy_n(batch.colours.begin() + 3 * c, 3, v.colour.begin());
        const float* uv = uvs ? &batch.uvs[2 * c] : nullptr;
        std::uint64_t h = 0;
        for (const float f : v.position) h = mix(h, std::bit_cast<std::uint32_t>(f));
        h = mix(h, std::bit_cast<std::uint32_t>(v.colour));
        if (uv) {
            h = mix(mix(h, std::bit_cast<std::uint32_t>(uv[0])),
                    std::bit_cast<std::uint32_t>(uv[1]));
        }
        std::uint32_t& slot = slots.find(h, [&](std::size_t i) {
            const PackedVertex& w = out.vertices[i];
            // Bits, not values: -0 and 0 apart, as a hash of bits must keep them.
            const auto bits = [](const auto& a) {
                return std::bit_cast<std::array<std::uint32_t, 4>>(a);
            };
            if (bits(w) != bits(v)) return false;
            return !uv || (std::bit_cast<std::uint32_t>(out.uvs[2 * i]) ==
                               std::bit_cast<std::uint32_t>(uv[0]) &&
                           std::bit_cast<std::uint32_t>(out.uvs[2 * i + 1]) ==
                               std::bit_cast<std::uint32_t>(uv[1]));
        });
        if (slot == kEmpty) {
            slot = static_cast<std::uint32_t>(out.vertices.size());
            out.vertices.push_back(v);
            if (uv) out.uvs.insert(out.uvs.end(), {uv[0], uv[1]});
            grow(out, v.position);
        }
        out.indices.push_back(slot);
    }
    return out;
}

float coarse_cell(std::span<const IndexedBatch* const> batches, std::size_t triangles) {
    double area = 0;
    std::size_t count = 0;
    for (const IndexedBatch* b : batches) {
        const std::vector<std::uint32_t>& in = b->indices;
        for (std::size_t t = 0; t + 3 <= in.size(); t += 3) {
            const auto& p = b->vertices[in[t]].position;
            const auto& q = b->vertices[in[t + 1]].position;
            const auto& r = b->vertices[in[t + 2]].position;
            const double ax = q[0] - p[0], ay = q[1] - p[1], az = q[2] - p[2];
            const double bx = r[0] - p[0], by = r[1] - p[1], bz = r[2] - p[2];
            const double cx = ay * bz - az * by, cy = az * bx - ax * bz, cz = ax * by - ay * bx;
            area += std::sqrt(cx * cx + cy * cy + cz * cz) / 2;
            ++count;
        }
    }
    if (count <= triangles || triangles == 0 || !(area > 0) || !std::isfinite(area)) return 0;
    return static_cast<float>(std::sqrt(2 * area / static_cast<double>(triangles)));
}

std::vector<IndexedBatch> reduce_batches(std::span<const IndexedBatch* const> batches, float cell) {
    struct Cell {
        std::array<std::int32_t, 3> at;
        std::array<double, 3> sum{};
        std::uint32_t count = 0;
    };
    const auto cell_of = [cell](const PackedVertex& v) {
        std::array<std::int32_t, 3> at{};
        for (int k = 0; k < 3; ++k) {
            const float f = std::floor(v.position[k] / cell);
            at[k] = static_cast<std::int32_t>(std::clamp(f, -2e9f, 2e9f));
        }
        return at;
    };
    const auto hash_of = [](const std::array<std::int32_t, 3>& at) {
        std::uint64_t h = 0;
        for (const std::int32_t i : at) h = mix(h, static_cast<std::uint32_t>(i));
        return h;
    };
    // Every vertex's cell, over all batches, so that batches meeting at an edge move their
    // vertices there alike and no crack opens between them.
    std::size_t all = 0;
    for (const IndexedBatch* b : batches) all += b->vertices.size();
    std::vector<Cell> cells;
    Slots slots(all);
    std::vector<std::vector<std::uint32_t>> cell_of_vertex(batches.size());
    for (std::size_t n = 0; n < batches.size(); ++n) {
        cell_of_vertex[n].reserve(batches[n]->vertices.size());
        for (const PackedVertex& v : batches[n]->vertices) {
            const auto at = cell_of(v);
            std::uint32_t& slot =
                slots.find(hash_of(at), [&](std::uint32_t i) { return cells[i].at == at; });
            if (slot == kEmpty) {
                slot = static_cast<std::uint32_t>(cells.size());
                cells.push_back({at});
            }
            Cell& c = cells[slot];
            for (int k = 0; k < 3; ++k) c.sum[k] += v.position[k];
            ++c.count;
            cell_of_vertex[n].push_back(slot);
        }
    }
    std::vector<IndexedBatch> out(batches.size());
    for (std::size_t n = 0; n < batches.size(); ++n) {
        const IndexedBatch& in = *batches[n];
        IndexedBatch& r = out[n];
        start_bounds(r);
        // The batch's vertex of each cell: the first vertex there lends its colour (and texture
        // coordinates).
        Slots mine(in.vertices.size());
        std::vector<std::uint32_t> cell_of_merged;
        std::vector<std::uint32_t> merged(in.vertices.size());
        for (std::size_t i = 0; i < in.vertices.size(); ++i) {
            const std::uint32_t c = cell_of_vertex[n][i];
            std::uint32_t& slot =
                mine.find(mix(0, c), [&](std::uint32_t j) { return cell_of_merged[j] == c; });
            if (slot == kEmpty) {
                slot = static_cast<std::uint32_t>(r.vertices.size());
                PackedVertex v = in.vertices[i];
                const Cell& at = cells[c];
                for (int k = 0; k < 3; ++k)
                    v.position[k] = static_cast<float>(at.sum[k] / at.count);
                r.vertices.push_back(v);
                if (in.uvs.size() >= 2 * i + 2)
                    r.uvs.insert(r.uvs.end(), {in.uvs[2 * i], in.uvs[2 * i + 1]});
                cell_of_merged.push_back(c);
                grow(r, v.position);
            }
            merged[i] = slot;
        }
        // Each triangle whose corners stay apart, once whatever its winding.
        Slots triangles(in.indices.size() / 3);
        std::vector<std::array<std::uint32_t, 3>> kept;
        for (std::size_t t = 0; t + 3 <= in.indices.size(); t += 3) {
            const std::array<std::uint32_t, 3> m{merged[in.indices[t]], merged[in.indices[t + 1]],
                                                 merged[in.indices[t + 2]]};
            if (m[0] == m[1] || m[1] == m[2] || m[0] == m[2]) continue;
            std::array<std::uint32_t, 3> key = m;
            std::sort(key.begin(), key.end());
            std::uint32_t& slot = triangles.find(mix(mix(mix(0, key[0]), key[1]), key[2]),
                                                 [&](std::uint32_t k) { return kept[k] == key; });
            if (slot != kEmpty) continue;
            slot = static_cast<std::uint32_t>(kept.size());
            kept.push_back(key);
            r.indices.insert(r.indices.end(), m.begin(), m.end());
        }
    }
    return out;
}

}  // namespace scene

namespace scene {

namespace {

// The triangles of `corners` corner numbers (three a triangle, each naming a vertex through
// `vertex_of`) among `vertices` positions (`position_of`) that may colour a pixel: the indices
// of those kept go to out, as `vertex_of` names them.
template <class PositionOf, class VertexOf>
void keep_visible(std::size_t vertices, PositionOf position_of, std::size_t corners,
                  VertexOf vertex_of, const std::array<float, 16>& m, int width, int height,
                  std::vector<float>& projected, std::vector<std::uint32_t>& out) {
    out.clear();
    // Each vertex's place in pixels (x, y), or a NaN x when it is not in front of the near
    // plane and behind the far one: its triangles are kept whole.
    projected.resize(vertices * 2);
    const float half_w = static_cast<float>(width) / 2, half_h = static_cast<float>(height) / 2;
    for (std::size_t i = 0; i < vertices; ++i) {
        const float* p = position_of(i);
        const float x = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12];
        const float y = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13];
        const float z = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14];
        const float w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
        const bool inside = w > 0 && z >= -w && z <= w;
        projected[2 * i] = inside ? (x / w + 1) * half_w : std::numeric_limits<float>::quiet_NaN();
        projected[2 * i + 1] = (y / w + 1) * half_h;
    }
    // A pixel's centre lies at k + 0.5; the renderer snaps corners to a fraction of a pixel, so
    // a box is widened by a little more than that before it is found empty.
    const auto no_centre = [](float low, float high, float size) {
        const float margin = 1.0f / 64 + 1e-5f * std::max(std::abs(low), std::abs(high));
        low -= margin;
        high += margin;
        return high < 0 || low > size || std::floor(high - 0.5f) < std::ceil(low - 0.5f);
    };
    const float fw = static_cast<float>(width), fh = static_cast<float>(height);
    out.reserve(corners);
    for (std::size_t t = 0; t + 3 <= corners; t += 3) {
        const std::uint32_t i = vertex_of(t), j = vertex_of(t + 1), k = vertex_of(t + 2);
        const float* a = &projected[2 * std::size_t{i}];
        const float* b = &projected[2 * std::size_t{j}];
        const float* c = &projected[2 * std::size_t{k}];
        const bool whole = std::isnan(a[0]) || std::isnan(b[0]) || std::isnan(c[0]);
        if (!whole && (no_centre(std::min({a[0], b[0], c[0]}), std::max({a[0], b[0], c[0]}), fw) ||
                       no_centre(std::min({a[1], b[1], c[1]}), std::max({a[1], b[1], c[1]}), fh)))
            continue;
        out.insert(out.end(), {i, j, k});
    }
}

}  // namespace

void visible_triangles(const IndexedBatch& batch, const std::array<float, 16>& m, int width,
                       int height, std::vector<float>& projected, std::vector<std::uint32_t>& out) {
    keep_visible(
        batch.vertices.size(), [&](std::size_t i) { return batch.vertices[i].position.data(); },
        batch.indices.size(), [&](std::size_t t) { return batch.indices[t]; }, m, width, height,
        projected, out);
}

void visible_corners(std::span<const float> positions, const std::array<float, 16>& m, int width,
                     int height, std::vector<float>& projected, std::vector<std::uint32_t>& out) {
    keep_visible(
        positions.size() / 3, [&](std::size_t i) { return &positions[3 * i]; },
        positions.size() / 3, [](std::size_t t) { return static_cast<std::uint32_t>(t); }, m, width,
        height, projected, out);
}

}  // namespace scene
