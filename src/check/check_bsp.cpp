// The BSP data of a subobject, block by block in the order the block walk lists them: the
// walk itself, vertex tables against the subobject's box, polygons against the vertex table
// before them and the TXTR names, split-plane offsets against the walk's block starts.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "check/bsp_check.h"
#include "io/little_endian.h"
#include "io/text.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"

namespace check {

namespace {

using pof::integer_text;
using pof::little_endian;

// Little-endian numbers out of a block. Checked reads check each field against the block and
// throw as the block viewers' reads do. Unchecked reads are only for fields that the block's
// size was checked to hold before the block was decoded.
template <bool Checked>
struct Read {
    template <int Width>
    static std::uint32_t bits(std::string_view b, std::int64_t at) {
        if constexpr (Checked) {
            if (at < 0 || at > static_cast<std::int64_t>(b.size()) - Width) {
                throw records::OutOfRange(at, Width, static_cast<std::int64_t>(b.size()));
            }
        }
        return little_endian<Width>(b.data() + at);
    }
    static std::int32_t i32(std::string_view b, std::int64_t at) {
        return static_cast<std::int32_t>(bits<4>(b, at));
    }
    // The game reads the legacy polygons' 16-bit indices unsigned.
    static std::uint16_t u16(std::string_view b, std::int64_t at) {
        return static_cast<std::uint16_t>(bits<2>(b, at));
    }
    static std::uint32_t u32(std::string_view b, std::int64_t at) { return bits<4>(b, at); }
    static float f32(std::string_view b, std::int64_t at) {
        return std::bit_cast<float>(bits<4>(b, at));
    }
    static pof::Vec3 vec(std::string_view b, std::int64_t at) {
        const float x = f32(b, at), y = f32(b, at + 4), z = f32(b, at + 8);
        return {x, y, z};
    }
};
using Checked = Read<true>;
using Unchecked = Read<false>;

// Where a polygon block's entries lie: FLATPOLY and TMAPPOLY with 16-bit indices, TMAP2POLY
// with 32-bit ones.
template <std::int64_t At, std::int64_t Stride, std::int64_t Uv, bool Textured, bool Wide>
struct Entries {
    static constexpr std::int64_t kAt = At, kStride = Stride, kUv = Uv;
    static constexpr bool kTextured = Textured;
    static std::int64_t vertex(std::string_view b, std::int64_t field) {
        if constexpr (Wide) return Unchecked::u32(b, field);
        return Unchecked::u16(b, field);
    }
    static std::int64_t normal(std::string_view b, std::int64_t field) {
        if constexpr (Wide) return Unchecked::u32(b, field + 4);
        return Unchecked::u16(b, field + 2);
    }
};
template <const records::bsp::PolygonLayout& L>
using EntriesOf = Entries<L.entries_at, L.stride, L.uv_at, L.textured, L.wide>;
using FlatEntries = EntriesOf<records::bsp::kFlatPolyLayout>;
using TmapEntries = EntriesOf<records::bsp::kTmapPolyLayout>;
using Tmap2Entries = EntriesOf<records::bsp::kTmap2PolyLayout>;

constexpr std::int64_t kBlockHeader = 8;
constexpr std::int64_t kPolygonEntries = records::bsp::kTmapPolyLayout.entries_at;
constexpr std::int64_t kTmap2PolyEntries = records::bsp::kTmap2PolyLayout.entries_at;
constexpr std::int64_t kSortnorm2Fields = 40;
constexpr std::int64_t kNormalCounts = 20;
constexpr std::int64_t kSortnormFields = 80;
constexpr std::int64_t kBoundboxFields = 32;
constexpr float kBoxSlack = 0.001f;  // of the box's diagonal

class BspCheck {
  public:
    BspCheck(CheckContext& c, const records::Subobject& s)
        : c_(c),
          s_(s),
          subobject_row_(c.subobject_rows.row_of(s.number)),
          bsp_(s.bsp_data.data(), bsp_size(s)),
          walk_(c.block_walk),
          walker_(bsp_, walk_),
          box_slack_(slack_of(s.bbox_min, s.bbox_max)),
          txtr_reached_(c.reached(pof::RecordEntry::TXTR)) {}
    void run();

    static std::size_t bsp_size(const records::Subobject& s) {
        return std::min<std::size_t>(s.bsp_data.size(), std::max(s.bsp_data_size, 0));
    }

  private:
    static float slack_of(pof::Vec3 min, pof::Vec3 max);
    void block(int row);
    void decode(int row, std::string_view b);
    void defpoints(int row, std::string_view b);
    template <class R>
    void vertices(int row, std::string_view b, std::int64_t n);
    template <class R, bool Textured>
    void polygon(int row, std::string_view b);
    template <bool Textured>
    void whole_polygon(int row, std::string_view b);
    template <class L>
    void entries(int row, std::string_view b, std::int64_t n);
    template <class R>
    void tmap2poly(int row, std::string_view b);
    // Names the entries that do not fit in the block's bytes; how many do.
    std::int64_t entries_room(int row, std::string_view b, std::int64_t count, std::int64_t at,
                              std::int64_t stride);
    void texture(int row, std::int32_t texture);
    // An entry of a known vertex table whose indices are not both in it: counted, and told
    // once for the table when the next one starts or the walk ends.
    void entry(const BlockPlace& at, std::int64_t vertex, std::int64_t normal) {
        if (vertex < 0 || vertex >= vertices_) bad_vertices_.count(at, vertex);
        if (normal < 0 || normal >= normals_) bad_normals_.count(at, normal);
    }
    void tell_index_faults();
    void no_points(const BlockPlace& at);
    template <class R>
    void sortnorm(int row, std::string_view b);
    template <class R>
    void sortnorm2(int row, std::string_view b);
    // A split's offset (from the block's first byte) that does not land on a block.
    void split_offset(int row, const char* name, std::int32_t off);
    void box(int row, pof::Vec3 min, pof::Vec3 max);
    // Asks for the bytes some blocks ahead of the walk, so they have arrived when it gets there.
    void prefetch_ahead() const {
        constexpr std::int64_t kAhead = 512;
        const std::int64_t at = walker_.position() + kAhead;
        if (at < static_cast<std::int64_t>(bsp_.size())) __builtin_prefetch(bsp_.data() + at);
    }
    // Whether a block of this walk starts at offset; walks on as far as it needs to know.
    bool block_starts_at(std::int64_t offset);
    void check_vertex(int row, std::int32_t v, pof::Vec3 p);
    void check_vertex_normal(int row, std::int32_t v, int j, pof::Vec3 n);
    bool count_if_past_cap(Code code) { return c_.out.count_if_past_cap(code); }
    BlockPlace at(int row, std::int32_t entry = -1) const {
        return {s_.number, walk_.rows[row].offset, row, entry, subobject_row_};
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
        then.insert(then.begin(), {2, row, true});
        return c_.subobject_item(s_.number, std::move(then));
    }
    void walk_fault(int row, const std::string& why) {
        c_.out.add(Code::BspWalk, where(row), why, item(row));
    }

    CheckContext& c_;
    const records::Subobject& s_;
    std::int32_t subobject_row_;  // -1 when the subobject window lists it nowhere
    std::string_view bsp_;
    records::BlockWalk& walk_;
    records::BlockWalker walker_;  // lists each block just before it is checked
    float box_slack_ = -1;         // below 0 when the box cannot be tested against
    // The vertex table the polygons index: none met yet, known, or unreadable.
    enum class Points { None, Known, Unreadable } points_ = Points::None;
    std::int64_t vertices_ = 0, normals_ = 0;
    bool told_no_points_ = false;
    bool txtr_reached_;  // false: the texture numbers cannot be checked
    // The polygon corners that index past the vertex table, and the first of them.
    struct IndexFaults {
        std::int64_t corners = 0, polygons = 0, first_index = 0;
        BlockPlace first;
        void count(const BlockPlace& at, std::int64_t index) {
            if (corners++ == 0) {
                first = at;
                first_index = index;
            }
            if (polygons == 0 || at.row != last_row) ++polygons;
            last_row = at.row;
        }
        std::int32_t last_row = -1;
    } bad_vertices_, bad_normals_;
    int points_row_ = -1;           // the row of the vertex table the polygons index
    std::size_t points_place_ = 0;  // where its findings begin in the chunk's list
};

float BspCheck::slack_of(pof::Vec3 min, pof::Vec3 max) {
    const float dx = max.x - min.x, dy = max.y - min.y, dz = max.z - min.z;
    if (!(dx >= 0 && dy >= 0 && dz >= 0)) return -1;  // inverted or not finite
    const float diagonal = std::sqrt(dx * dx + dy * dy + dz * dz);
    return std::isfinite(diagonal) ? diagonal * kBoxSlack : -1;
}

// Each block is checked as soon as the walk lists it, while its bytes are at hand. A split
// plane's offsets may walk ahead; the blocks listed then are checked when their turn comes.
void BspCheck::run() {
    for (std::size_t row = 0; row < walk_.rows.size() || walker_.step(); ++row) {
        prefetch_ahead();
        c_.out.about_byte(s_.bsp_data_at + walk_.rows[row].offset);
        block(static_cast<int>(row));
    }
    tell_index_faults();
    c_.out.about_byte(-1);
}

// "12 corners of 4 polygons index past the 3 vertices of the DEFPOINTS block at 312", at that
// block, leading to the first of those corners.
void BspCheck::tell_index_faults() {
    std::size_t place = points_place_;
    const auto tell = [this, &place](IndexFaults& t, Code code, const char* word, const char* words,
                                     std::int64_t known) {
        if (t.corners == 0) return;
        const bool one = t.corners == 1;
        c_.out.about_byte(s_.bsp_data_at + walk_.rows[points_row_].offset);
        place += c_.out.add_at(
            place, code, where(points_row_),
            integer_text(t.corners) + (one ? " corner of " : " corners of ") +
                integer_text(t.polygons) + (t.polygons == 1 ? " polygon " : " polygons ") +
                (one ? "indexes" : "index") + " past the " + integer_text(known) + " " + words +
                " of the DEFPOINTS block at " + integer_text(walk_.rows[points_row_].offset) +
                " (" + (one ? "" : "the first: ") + word + " " + integer_text(t.first_index) +
                " at entry " + integer_text(t.first.entry) + " of the block at " +
                integer_text(t.first.block_offset) + ")",
            item(t.first.row, {{1, t.first.entry, false}}));
        t = {};
    };
    tell(bad_vertices_, Code::VertexIndex, "vertex", "vertices", vertices_);
    tell(bad_normals_, Code::NormalIndex, "normal", "normals", normals_);
}

bool BspCheck::block_starts_at(std::int64_t offset) {
    while (walker_.position() <= offset && walker_.step()) {
    }
    auto end = walk_.rows.end();
    if (end != walk_.rows.begin() && end[-1].note) --end;  // the note row ends the walk
    const auto found =
        std::lower_bound(walk_.rows.begin(), end, offset,
                         [](const records::BlockRow& r, std::int64_t at) { return r.offset < at; });
    return found != end && found->offset == offset;
}

void BspCheck::block(int row) {
    // A copy, field by field: a split plane may walk on and move the rows, and the fields were
    // just stored one by one.
    const records::BlockRow& listed = walk_.rows[row];
    const records::BlockRow r{listed.offset, listed.size, listed.type_id, listed.note};
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
    if (r.size < kBlockHeader) {
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

// Blocks whose size holds every fixed field are read unchecked; shorter ones field by field,
// so the first field that runs past the block is the one named.
void BspCheck::decode(int row, std::string_view b) {
    const auto size = static_cast<std::int64_t>(b.size());
    switch (walk_.rows[row].type_id) {
        case records::bsp::kDefPoints:
            return defpoints(row, b);
        case records::bsp::kFlatPoly:
            if (size < kPolygonEntries) return polygon<Checked, false>(row, b);
            return whole_polygon<false>(row, b);
        case records::bsp::kTmapPoly:
            if (size < kPolygonEntries) return polygon<Checked, true>(row, b);
            return whole_polygon<true>(row, b);
        case records::bsp::kSortNorm:
            if (size >= kSortnormFields) return sortnorm<Unchecked>(row, b);
            return sortnorm<Checked>(row, b);
        case records::bsp::kTmap2Poly:
            if (size < kTmap2PolyEntries) return tmap2poly<Checked>(row, b);
            return tmap2poly<Unchecked>(row, b);
        case records::bsp::kSortNorm2:
            if (size >= kSortnorm2Fields) return sortnorm2<Unchecked>(row, b);
            return sortnorm2<Checked>(row, b);
        case records::bsp::kBoundBox:
            if (size >= kBoundboxFields) {
                return box(row, Unchecked::vec(b, 8), Unchecked::vec(b, 20));
            }
            return box(row, Checked::vec(b, 8), Checked::vec(b, 20));
        default:
            return;
    }
}

void BspCheck::defpoints(int row, std::string_view b) {
    tell_index_faults();
    c_.out.about_byte(s_.bsp_data_at + walk_.rows[row].offset);
    points_row_ = row;
    points_place_ = c_.out.next_place();
    points_ = Points::Unreadable;
    const std::int32_t count = Checked::i32(b, 8);
    if (count < 0) check_count(c_, where(row), "vertex count", count, item(row));
    const std::int64_t n = std::max(count, 0);
    // One normal-count byte per vertex: a count the block cannot hold is refused before the loop.
    if (n > static_cast<std::int64_t>(b.size()) - kNormalCounts) {
        return walk_fault(row, "its " + integer_text(n) + " vertices do not fit in its " +
                                   integer_text(b.size()) + " bytes");
    }
    // The vertices and their normals, 12 bytes each, from the data offset on: read unchecked
    // when all of them lie in the block.
    const std::int64_t from = Unchecked::i32(b, 16);
    std::int64_t vectors = n;
    for (std::int64_t v = 0; v < n; ++v)
        vectors += static_cast<unsigned char>(b[kNormalCounts + v]);
    if (from >= 0 && 12 * vectors <= static_cast<std::int64_t>(b.size()) - from) {
        vertices<Unchecked>(row, b, n);
    } else {
        vertices<Checked>(row, b, n);
    }
}

template <class R>
void BspCheck::vertices(int row, std::string_view b, std::int64_t n) {
    std::int64_t at = Unchecked::i32(b, 16), normals = 0;
    for (std::int64_t v = 0; v < n; ++v) {
        const auto vertex = static_cast<std::int32_t>(v);
        check_vertex(row, vertex, R::vec(b, at));
        const int k = static_cast<unsigned char>(b[kNormalCounts + v]);
        for (int j = 0; j < k; ++j) {
            check_vertex_normal(row, vertex, j, R::vec(b, at + 12 + std::int64_t{12} * j));
        }
        at += std::int64_t{12} * (1 + k);
        normals += k;
    }
    points_ = Points::Known;
    vertices_ = n;
    normals_ = normals;
}

void BspCheck::check_vertex(int row, std::int32_t v, pof::Vec3 p) {
    if (!is_finite(p)) {
        if (count_if_past_cap(Code::NotFinite)) return;
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
    if (count_if_past_cap(Code::VertexOutsideBox)) return;
    c_.out.add(Code::VertexOutsideBox, where(row, "Vertex", v),
               "the vertex " + vec_text(p) + " lies outside the subobject's bounding box " +
                   vec_text(lo) + " to " + vec_text(hi),
               item(row, {{1, v, false}}));
}

void BspCheck::check_vertex_normal(int row, std::int32_t v, int j, pof::Vec3 n) {
    if (is_unit(n) || count_if_past_cap(is_finite(n) ? Code::NormalLength : Code::NotFinite))
        return;
    check_normal(c_, where(row, "Vertex", v), "vertex normal", n,
                 item(row, {{1, v, false}, {2, j, false}}));
}

// A polygon whose fixed fields lie in its block. Most polygons have sound normal, center,
// radius and entry count: those are tested at once, without words or places; any fault there
// sends the polygon through polygon(), which words them in order.
template <bool Textured>
void BspCheck::whole_polygon(int row, std::string_view b) {
    constexpr std::int64_t stride = Textured ? 12 : 4;
    // NaN or infinite: the exponent bits are all set.
    const auto not_finite = [p = b.data()](std::int64_t at) {
        constexpr std::uint32_t kExponent = 0x7f800000;
        return (little_endian<4>(p + at) & kExponent) == kExponent;
    };
    bool fault = !is_unit(Unchecked::vec(b, 8));
    for (std::int64_t at = 20; at < 36; at += 4) fault |= not_finite(at);  // center, radius
    const std::int32_t count = Unchecked::i32(b, 36);
    fault |= count < 3 || count * stride > static_cast<std::int64_t>(b.size()) - kPolygonEntries;
    if (fault) return polygon<Unchecked, Textured>(row, b);
    if constexpr (Textured) texture(row, Unchecked::i32(b, 40));
    entries<std::conditional_t<Textured, TmapEntries, FlatEntries>>(row, b, count);
}

void BspCheck::texture(int row, std::int32_t texture) {
    if (!txtr_reached_) {
        c_.unreached.texture_numbers = true;
        return;
    }
    if (texture >= 0 && texture < c_.texture_names()) {
        if (!c_.texture_used[texture]) c_.texture_used[texture] = true;
    } else {
        c_.out.add(Code::TextureIndex, at(row), texture, c_.texture_names());
    }
}

// The first n entries, which lie in the block.
template <class L>
void BspCheck::entries(int row, std::string_view b, std::int64_t n) {
    // Kept at hand: the stores of the loop could otherwise alias them.
    const bool indexed = points_ == Points::Known;
    const std::int64_t vertices = vertices_, normals = normals_;
    BlockPlace place = at(row);
    for (std::int64_t e = 0; e < n; ++e) {
        const std::int64_t field = L::kAt + e * L::kStride;
        const auto entry_number = static_cast<std::int32_t>(e);
        const std::int64_t vertex = L::vertex(b, field), normal = L::normal(b, field);
        if (!indexed) {
            place.entry = entry_number;
            no_points(place);
        } else if (vertex < 0 || vertex >= vertices || normal < 0 || normal >= normals) {
            place.entry = entry_number;
            entry(place, vertex, normal);
        }
        if constexpr (!L::kTextured) continue;
        const float u = Unchecked::f32(b, field + L::kUv),
                    v = Unchecked::f32(b, field + L::kUv + 4);
        if (std::isfinite(u) && std::isfinite(v)) continue;
        const auto ref = item(row, {{1, entry_number, false}});
        if (!std::isfinite(u) && !count_if_past_cap(Code::NotFinite)) {
            finite_or_report(c_, where(row, "entry", e), "u", u, ref);
        }
        if (!std::isfinite(v) && !count_if_past_cap(Code::NotFinite)) {
            finite_or_report(c_, where(row, "entry", e), "v", v, ref);
        }
    }
}

template <class R, bool Textured>
void BspCheck::polygon(int row, std::string_view b) {
    const pof::Vec3 normal = R::vec(b, 8), center = R::vec(b, 20);
    const float radius = R::f32(b, 32);
    if (!is_unit(normal) &&
        !count_if_past_cap(is_finite(normal) ? Code::NormalLength : Code::NotFinite)) {
        check_normal(c_, where(row), "polygon normal", normal, item(row));
    }
    if (!is_finite(center) && !count_if_past_cap(Code::NotFinite)) {
        finite_or_report(c_, where(row), "polygon center", center, item(row));
    }
    if (!std::isfinite(radius) && !count_if_past_cap(Code::NotFinite)) {
        finite_or_report(c_, where(row), "polygon radius", radius, item(row));
    }
    const std::int32_t count = R::i32(b, 36);
    if (count < 3) c_.out.add(Code::PolygonVertices, at(row), count);
    if constexpr (Textured) texture(row, R::i32(b, 40));
    constexpr std::int64_t stride = Textured ? 12 : 4;
    const std::int64_t n = entries_room(row, b, std::max(count, 0), kPolygonEntries, stride);
    // n is at most what the block holds: they lie in it
    entries<std::conditional_t<Textured, TmapEntries, FlatEntries>>(row, b, n);
}

std::int64_t BspCheck::entries_room(int row, std::string_view b, std::int64_t count,
                                    std::int64_t at, std::int64_t stride) {
    const std::int64_t room =
        std::max<std::int64_t>((static_cast<std::int64_t>(b.size()) - at) / stride, 0);
    if (count > room) {
        walk_fault(row, "its " + integer_text(count) + " entries do not fit in its " +
                            integer_text(b.size()) + " bytes");
    }
    return std::min(count, room);
}

// A TMAP2POLY: its box, normal and texture, then entries of 32-bit indices. Its count is
// unsigned.
template <class R>
void BspCheck::tmap2poly(int row, std::string_view b) {
    box(row, R::vec(b, 8), R::vec(b, 20));
    const pof::Vec3 normal = R::vec(b, 32);
    if (!is_unit(normal) &&
        !count_if_past_cap(is_finite(normal) ? Code::NormalLength : Code::NotFinite)) {
        check_normal(c_, where(row), "polygon normal", normal, item(row));
    }
    texture(row, R::i32(b, 44));
    const std::int64_t count = R::u32(b, 48);
    if (count < 3) c_.out.add(Code::PolygonVertices, at(row), count);
    entries<Tmap2Entries>(row, b,
                          entries_room(row, b, count, Tmap2Entries::kAt, Tmap2Entries::kStride));
}

void BspCheck::no_points(const BlockPlace& at) {
    if (points_ == Points::Unreadable || told_no_points_) return;
    told_no_points_ = true;
    c_.out.add(Code::NoDefpoints, {at.subobject, at.block_offset, at.row, -1, at.subobject_row});
}

template <class R>
void BspCheck::sortnorm(int row, std::string_view b) {
    const pof::Vec3 normal = R::vec(b, 8), point = R::vec(b, 20);
    if (!is_finite(normal) || !is_finite(point)) {
        finite_or_report(c_, where(row), "plane normal", normal, item(row));
        finite_or_report(c_, where(row), "plane point", point, item(row));
    }
    static constexpr const char* kNames[] = {"front", "back", "prelist", "postlist", "online"};
    for (int i = 0; i < 5; ++i) split_offset(row, kNames[i], R::i32(b, 36 + 4 * i));
    box(row, R::vec(b, 56), R::vec(b, 68));
}

void BspCheck::split_offset(int row, const char* name, std::int32_t off) {
    if (off == 0) return;
    const std::int64_t target = std::int64_t{walk_.rows[row].offset} + off;
    if (block_starts_at(target)) return;
    c_.out.add(Code::SortnormOffset, where(row),
               std::string("the ") + name + " offset " + integer_text(off) + " leads to byte " +
                   integer_text(target) + ", where no block of this walk starts",
               item(row));
}

// A SORTNORM2: front and back offsets, then a box; no plane.
template <class R>
void BspCheck::sortnorm2(int row, std::string_view b) {
    split_offset(row, "front", R::i32(b, 8));
    split_offset(row, "back", R::i32(b, 12));
    box(row, R::vec(b, 16), R::vec(b, 28));
}

void BspCheck::box(int row, pof::Vec3 min, pof::Vec3 max) {
    if (!box_ok(min, max)) check_box(c_, where(row), min, max, item(row));
}

}  // namespace

void check_bsp(CheckContext& c, const records::Subobject& s) {
    BspCheck(c, s).run();
}

// The TMAPPOLY and TMAP2POLY blocks the check reads a texture number of: listed by the walk,
// inside the data, and long enough to hold the number.
void mark_textures_used(CheckContext& c, const records::Subobject& s) {
    const std::string_view bsp(s.bsp_data.data(), BspCheck::bsp_size(s));
    c.block_walk = records::walk_blocks(bsp);
    for (const records::BlockRow& r : c.block_walk.rows) {
        const bool tmap2 = r.type_id == records::bsp::kTmap2Poly;
        if (r.note || (r.type_id != records::bsp::kTmapPoly && !tmap2) ||
            r.size < (tmap2 ? 48 : kPolygonEntries) ||
            r.size > static_cast<std::int64_t>(bsp.size()) - r.offset)
            continue;
        const std::int32_t texture = Unchecked::i32(bsp.substr(r.offset), tmap2 ? 44 : 40);
        if (texture >= 0 && texture < c.texture_names()) c.texture_used[texture] = true;
    }
}

}  // namespace check
