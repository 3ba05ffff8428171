// The BSP data of a subobject, block by block in the order the block walk lists them: the
// walk itself, vertex tables against the subobject's box, polygons against the vertex table
// before them and the TXTR names, split-plane offsets against the walk's block starts.

#include <algorithm>
#include <bit>
#include <cmath>

#include "check/bsp_check.h"
#include "io/text.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace check {

namespace {

using pof::integer_text;

// Little-endian numbers out of a block, each read checked against the block first. Inline,
// since a model of a million polygons reads some twenty numbers from each.
std::uint32_t bytes_at(std::string_view b, std::int64_t at, int width) {
    if (at < 0 || at > static_cast<std::int64_t>(b.size()) - width) {
        throw records::OutOfRange(at, width, static_cast<std::int64_t>(b.size()));
    }
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}
std::int32_t int32_at(std::string_view b, std::int64_t at) {
    return static_cast<std::int32_t>(bytes_at(b, at, 4));
}
std::int16_t int16_at(std::string_view b, std::int64_t at) {
    return static_cast<std::int16_t>(bytes_at(b, at, 2));
}
float float32_at(std::string_view b, std::int64_t at) {
    return std::bit_cast<float>(bytes_at(b, at, 4));
}

constexpr std::int64_t kPolygonEntries = 44;
constexpr std::int64_t kNormalCounts = 20;
constexpr float kBoxSlack = 0.001f;  // of the box's diagonal

class BspCheck {
  public:
    BspCheck(CheckContext& c, const records::Subobject& s)
        : c_(c), s_(s), bsp_(s.bsp_data.data(), bsp_size(s)), walk_(records::walk_blocks(bsp_)) {
        for (const auto& r : walk_.rows) {
            if (!r.note) starts_.push_back(r.offset);
        }
        box_slack_ = slack_of(s.bbox_min, s.bbox_max);
    }
    void run();

  private:
    static std::size_t bsp_size(const records::Subobject& s) {
        return std::min<std::size_t>(s.bsp_data.size(), std::max(s.bsp_data_size, 0));
    }
    static float slack_of(pof::Vec3 min, pof::Vec3 max);
    void block(int row);
    void decode(int row, std::string_view b);
    void defpoints(int row, std::string_view b);
    void polygon(int row, std::string_view b, bool textured);
    void entry(int row, int e, std::int16_t vertex, std::int16_t normal);
    void sortnorm(int row, std::string_view b);
    void boundbox(int row, std::string_view b);
    void box(int row, pof::Vec3 min, pof::Vec3 max);
    void check_vertex(int row, std::int32_t v, pof::Vec3 p);
    pof::Vec3 vec_at(std::string_view b, std::int64_t at) const {
        return {float32_at(b, at), float32_at(b, at + 4), float32_at(b, at + 8)};
    }
    std::string where(int row) const {
        return place(
            {numbered("subObject", s_.number), "block at " + integer_text(walk_.rows[row].offset)});
    }
    std::string where(int row, const char* word, std::int64_t n) const {
        return place({where(row), numbered(word, n)});
    }
    // The subobject's window on this subobject, its block row double-clicked, then choices
    // in the block's own window.
    pof::ItemRef item(int row, std::vector<pof::RowChoice> then = {}) const {
        pof::ItemRef ref{pof::RecordEntry::SOBJ, {{1, s_.number, false}, {2, row, true}}};
        ref.choices.insert(ref.choices.end(), then.begin(), then.end());
        return ref;
    }
    void walk_fault(int row, const std::string& why) {
        c_.out.add(Code::BspWalk, where(row), why, item(row));
    }

    CheckContext& c_;
    const records::Subobject& s_;
    std::string_view bsp_;
    records::BlockWalk walk_;
    std::vector<std::int64_t> starts_;  // first bytes of the listed blocks, rising
    float box_slack_ = -1;              // below 0 when the box cannot be tested against
    // The vertex table the polygons index: none met yet, known, or unreadable.
    enum class Points { None, Known, Unreadable } points_ = Points::None;
    std::int64_t vertices_ = 0, normals_ = 0;
    bool told_no_points_ = false;
};

float BspCheck::slack_of(pof::Vec3 min, pof::Vec3 max) {
    const float dx = max.x - min.x, dy = max.y - min.y, dz = max.z - min.z;
    if (!(dx >= 0 && dy >= 0 && dz >= 0)) return -1;  // inverted or not finite
    const float diagonal = std::sqrt(dx * dx + dy * dy + dz * dz);
    return std::isfinite(diagonal) ? diagonal * kBoxSlack : -1;
}

void BspCheck::run() {
    for (int row = 0; row < static_cast<int>(walk_.rows.size()); ++row) block(row);
}

void BspCheck::block(int row) {
    const records::BlockRow& r = walk_.rows[row];
    if (r.note) {
        // The walk's own note says why it stopped: "(walk ends: ...)".
        constexpr std::string_view kNote = "(walk ends: ";
        std::string why = walk_.note;
        if (why.starts_with(kNote) && why.ends_with(')')) {
            why = why.substr(kNote.size(), why.size() - kNote.size() - 1);
        }
        c_.out.add(Code::BspWalk, where(row), "the block walk ends early: " + why, item(row));
        return;
    }
    // An EOF has no fields; a size of 0 or less made the walk end with a note of its own.
    if (r.type_id == records::bsp::kEof || r.size <= 0) return;
    if (r.size < 8) {
        return walk_fault(
            row, "its size " + integer_text(r.size) + " is smaller than its own 8-byte header");
    }
    const auto left = static_cast<std::int64_t>(bsp_.size()) - r.offset;
    if (r.size > left) {
        walk_fault(row, "its size " + integer_text(r.size) + " reaches past the end of the " +
                            integer_text(bsp_.size()) + " bytes of BSP data");
        return;
    }
    try {
        decode(row, bsp_.substr(r.offset, r.size));
    } catch (const records::OutOfRange& e) {
        walk_fault(row, "its fields run past its " + integer_text(r.size) + " bytes (at byte " +
                            integer_text(e.index()) + " of the block)");
        if (r.type_id == records::bsp::kDefPoints) points_ = Points::Unreadable;
    }
}

void BspCheck::decode(int row, std::string_view b) {
    const std::int32_t type = int32_at(b, 0);
    if (type == records::bsp::kDefPoints) return defpoints(row, b);
    if (type == records::bsp::kFlatPoly) return polygon(row, b, false);
    if (type == records::bsp::kTmapPoly) return polygon(row, b, true);
    if (type == records::bsp::kSortNorm) return sortnorm(row, b);
    if (type == records::bsp::kBoundBox) return boundbox(row, b);
}

void BspCheck::defpoints(int row, std::string_view b) {
    points_ = Points::Unreadable;
    const std::int32_t count = int32_at(b, 8);
    if (count < 0) check_count(c_, where(row), "vertex count", count, item(row));
    const std::int64_t n = std::max(count, 0);
    // One normal-count byte per vertex: a count the block cannot hold is refused before the loop.
    if (n > static_cast<std::int64_t>(b.size()) - kNormalCounts) {
        return walk_fault(row, "its " + integer_text(n) + " vertices do not fit in its " +
                                   integer_text(b.size()) + " bytes");
    }
    std::int64_t at = int32_at(b, 16), normals = 0;
    for (std::int64_t v = 0; v < n; ++v) {
        check_vertex(row, static_cast<std::int32_t>(v), vec_at(b, at));
        const int k = static_cast<unsigned char>(b[kNormalCounts + v]);
        for (int j = 0; j < k; ++j) {
            const pof::Vec3 n = vec_at(b, at + 12 + 12 * j);
            if (is_unit(n)) continue;
            check_normal(c_, where(row, "Vertex", v), "vertex normal", n,
                         item(row, {{1, static_cast<int>(v), false}, {2, j, false}}));
        }
        at += 12 * (1 + k);
        normals += k;
    }
    points_ = Points::Known;
    vertices_ = n;
    normals_ = normals;
}

void BspCheck::check_vertex(int row, std::int32_t v, pof::Vec3 p) {
    if (!is_finite(p)) {
        finite_or_report(c_, where(row, "Vertex", v), "vertex", p, item(row, {{1, v, false}}));
        return;
    }
    if (box_slack_ < 0) return;
    const auto& lo = s_.bbox_min;
    const auto& hi = s_.bbox_max;
    const float e = box_slack_;
    if (p.x >= lo.x - e && p.x <= hi.x + e && p.y >= lo.y - e && p.y <= hi.y + e &&
        p.z >= lo.z - e && p.z <= hi.z + e) {
        return;
    }
    c_.out.add(Code::VertexOutsideBox, where(row, "Vertex", v),
               "the vertex " + vec_text(p) + " lies outside the subobject's bounding box " +
                   vec_text(lo) + " to " + vec_text(hi),
               item(row, {{1, v, false}}));
}

void BspCheck::polygon(int row, std::string_view b, bool textured) {
    const pof::Vec3 normal = vec_at(b, 8), center = vec_at(b, 20);
    const float radius = float32_at(b, 32);
    if (!is_unit(normal)) check_normal(c_, where(row), "polygon normal", normal, item(row));
    if (!is_finite(center)) finite_or_report(c_, where(row), "polygon center", center, item(row));
    if (!std::isfinite(radius)) {
        finite_or_report(c_, where(row), "polygon radius", radius, item(row));
    }
    const std::int32_t count = int32_at(b, 36);
    if (count < 3) {
        c_.out.add(Code::PolygonVertices, where(row),
                   "the polygon has " + integer_text(count) + " entries; it needs at least 3",
                   item(row));
    }
    if (textured) {
        const std::int32_t texture = int32_at(b, 40);
        if (texture >= 0 && texture < c_.texture_names()) {
            c_.texture_used[texture] = true;
        } else if (!c_.out.counted_only(Code::TextureIndex)) {
            c_.out.add(Code::TextureIndex, where(row),
                       "texture " + integer_text(texture) + " is not one of the " +
                           integer_text(c_.texture_names()) + " TXTR names",
                       item(row));
        }
    }
    const std::int64_t stride = textured ? 12 : 4;
    const std::int64_t room = (static_cast<std::int64_t>(b.size()) - kPolygonEntries) / stride;
    const std::int64_t n =
        std::min<std::int64_t>(std::max(count, 0), std::max<std::int64_t>(room, 0));
    if (count > room) {
        walk_fault(row, "its " + integer_text(count) + " entries do not fit in its " +
                            integer_text(b.size()) + " bytes");
    }
    for (std::int64_t e = 0; e < n; ++e) {
        const std::int64_t at = kPolygonEntries + e * stride;
        entry(row, static_cast<int>(e), int16_at(b, at), int16_at(b, at + 2));
        if (!textured) continue;
        const float u = float32_at(b, at + 4), v = float32_at(b, at + 8);
        if (std::isfinite(u) && std::isfinite(v)) continue;
        const auto ref = item(row, {{1, static_cast<int>(e), false}});
        finite_or_report(c_, where(row, "entry", e), "u", u, ref);
        finite_or_report(c_, where(row, "entry", e), "v", v, ref);
    }
}

void BspCheck::entry(int row, int e, std::int16_t vertex, std::int16_t normal) {
    if (points_ == Points::Unreadable) return;
    if (points_ == Points::None) {
        if (told_no_points_) return;
        told_no_points_ = true;
        c_.out.add(Code::NoDefpoints, where(row),
                   "this polygon indexes vertices, but no DEFPOINTS block comes before it in "
                   "the subobject",
                   item(row));
        return;
    }
    if ((vertex < 0 || vertex >= vertices_) && !c_.out.counted_only(Code::VertexIndex)) {
        c_.out.add(Code::VertexIndex, where(row, "entry", e),
                   "vertex index " + integer_text(vertex) + " is outside the " +
                       integer_text(vertices_) + " vertices of the DEFPOINTS block before it",
                   item(row, {{1, e, false}}));
    }
    if ((normal < 0 || normal >= normals_) && !c_.out.counted_only(Code::NormalIndex)) {
        c_.out.add(Code::NormalIndex, where(row, "entry", e),
                   "normal index " + integer_text(normal) + " is outside the " +
                       integer_text(normals_) + " normals of the DEFPOINTS block before it",
                   item(row, {{1, e, false}}));
    }
}

void BspCheck::sortnorm(int row, std::string_view b) {
    const pof::Vec3 normal = vec_at(b, 8), point = vec_at(b, 20);
    if (!is_finite(normal) || !is_finite(point)) {
        finite_or_report(c_, where(row), "plane normal", normal, item(row));
        finite_or_report(c_, where(row), "plane point", point, item(row));
    }
    static constexpr const char* kNames[] = {"front", "back", "prelist", "postlist", "online"};
    for (int i = 0; i < 5; ++i) {
        const std::int32_t off = int32_at(b, 36 + 4 * i);
        if (off == 0) continue;
        const std::int64_t target = std::int64_t{walk_.rows[row].offset} + off;
        if (std::binary_search(starts_.begin(), starts_.end(), target)) continue;
        c_.out.add(Code::SortnormOffset, where(row),
                   std::string("the ") + kNames[i] + " offset " + integer_text(off) +
                       " leads to byte " + integer_text(target) +
                       ", where no block of this walk starts",
                   item(row));
    }
    box(row, vec_at(b, 56), vec_at(b, 68));
}

void BspCheck::boundbox(int row, std::string_view b) {
    box(row, vec_at(b, 8), vec_at(b, 20));
}

void BspCheck::box(int row, pof::Vec3 min, pof::Vec3 max) {
    if (!box_ok(min, max)) check_box(c_, where(row), min, max, item(row));
}

}  // namespace

void check_bsp(CheckContext& c, const records::Subobject& s) {
    BspCheck(c, s).run();
}

}  // namespace check
