#pragma once
// The Model View's scene: what the model's numbers place in space. Per drawn subobject its
// polygons, each over the vertices of the DEFPOINTS block before it; per chunk item a marker. Every
// polygon and marker names the window rows that show it. The scene only reads the store.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/vec.h"
#include "pof/item_ref.h"

namespace scene {

enum class MarkerKind {
    Gun,
    Missile,
    TurretGun,
    TurretMissile,
    Dock,
    Path,
    Thruster,
    Eye,
    Special,
    Shield,
    Insignia,
    CenterOfMass,
    AutoCenter,
    HeaderBox,
    SubobjectBox,
    Glow,
    MovementAxis,
    ShieldTree,
    Count  // not a kind: how many there are
};
inline constexpr int kMarkerKinds = static_cast<int>(MarkerKind::Count);

// How a kind's markers are counted: items, each holding points ("2 paths · 5 vertices"), or
// points alone when the item word is empty.
struct CountUnits {
    std::string_view item, items;
    std::string_view point, points;
};

struct MarkerKindInfo {
    MarkerKind kind;
    std::string_view caption;  // of its toggle
    bool shown_by_default;
    std::array<float, 3> colour;  // red, green, blue from 0 to 1; each kind its own
    CountUnits units;
};

// One row per kind, in the order of the enum (checked below).
inline constexpr std::array<MarkerKindInfo, kMarkerKinds> kMarkerKindInfo{{
    {MarkerKind::Gun,
     "Gun points",
     true,
     {1.0f, 0.25f, 0.25f},
     {"slot", "slots", "gun point", "gun points"}},
    {MarkerKind::Missile,
     "Missile points",
     true,
     {1.0f, 0.6f, 0.12f},
     {"slot", "slots", "missile point", "missile points"}},
    {MarkerKind::TurretGun,
     "Gun turrets",
     true,
     {1.0f, 0.37f, 0.82f},
     {"bank", "banks", "firing point", "firing points"}},
    {MarkerKind::TurretMissile,
     "Missile turrets",
     true,
     {0.69f, 0.49f, 1.0f},
     {"bank", "banks", "firing point", "firing points"}},
    {MarkerKind::Dock,
     "Docking points",
     true,
     {0.25f, 0.88f, 0.25f},
     {"dock", "docks", "point", "points"}},
    {MarkerKind::Path,
     "Paths",
     true,
     {0.18f, 0.85f, 0.94f},
     {"path", "paths", "vertex", "vertices"}},
    {MarkerKind::Thruster,
     "Thrusters",
     true,
     {0.31f, 0.48f, 1.0f},
     {"thruster", "thrusters", "glow", "glows"}},
    {MarkerKind::Eye, "Eye points", true, {1.0f, 0.94f, 0.25f}, {"", "", "point", "points"}},
    {MarkerKind::Special, "Special points", true, {0.78f, 1.0f, 0.5f}, {"", "", "point", "points"}},
    {MarkerKind::Shield, "Shield mesh", false, {0.25f, 0.63f, 0.54f}, {"", "", "face", "faces"}},
    {MarkerKind::Insignia,
     "Insignia",
     true,
     {0.82f, 0.63f, 0.38f},
     {"insignia", "insignia", "face", "faces"}},
    {MarkerKind::CenterOfMass,
     "Centre of mass",
     true,
     {1.0f, 1.0f, 1.0f},
     {"", "", "point", "points"}},
    {MarkerKind::AutoCenter, "ACEN point", true, {0.56f, 1.0f, 0.82f}, {"", "", "point", "points"}},
    {MarkerKind::HeaderBox, "Bounding box", false, {0.63f, 0.63f, 0.63f}, {"", "", "box", "boxes"}},
    {MarkerKind::SubobjectBox,
     "Subobject boxes",
     false,
     {0.44f, 0.47f, 0.56f},
     {"", "", "box", "boxes"}},
    {MarkerKind::Glow,
     "Glow points",
     true,
     {1.0f, 0.69f, 0.85f},
     {"bank", "banks", "point", "points"}},
    {MarkerKind::MovementAxis,
     "Movement axes",
     false,
     {0.6f, 0.8f, 0.2f},
     {"", "", "axis", "axes"}},
    {MarkerKind::ShieldTree,
     "Shield tree",
     false,
     {0.5f, 0.88f, 0.69f},
     {"", "", "box or face", "boxes and faces"}},
}};

constexpr bool in_kind_order(const std::array<MarkerKindInfo, kMarkerKinds>& table) {
    for (int i = 0; i < kMarkerKinds; ++i) {
        if (static_cast<int>(table[i].kind) != i || table[i].caption.empty()) return false;
    }
    return true;
}
static_assert(in_kind_order(kMarkerKindInfo), "a marker kind without its row, or out of order");

constexpr const MarkerKindInfo& info(MarkerKind kind) {
    return kMarkerKindInfo[static_cast<int>(kind)];
}

struct Corner {
    std::int32_t vertex = 0;  // into its mesh's vertices
    float u = 0, v = 0;
};

struct Polygon {
    bool textured = false;                 // TMAPPOLY or TMAP2POLY; FLATPOLY otherwise
    std::int32_t texture = 0;              // the texture number of a textured polygon
    std::array<std::uint8_t, 3> colour{};  // FLATPOLY's red, green, blue
    pof::Vec3 normal;
    std::uint32_t first_corner = 0;  // into its mesh's corners, in stored order
    std::uint32_t corner_count = 0;  // at least three
    int block_row = 0;               // of its block in the subobject window's block list
    bool wide = false;               // a TMAP2POLY: 32-bit indices, textured
};

// Where a DEFPOINTS block's vertices lie in its mesh's.
struct VertexBlock {
    int block_row = 0;  // of the block in the subobject window's block list
    std::uint32_t first = 0;
};

// One drawn subobject. Its vertices are those of its DEFPOINTS blocks as stored, one block
// after the other; the placement (offsets summed along the parent chain) moves them into the
// model's frame.
struct Mesh {
    std::int32_t subobject = 0;
    std::string name;  // bytes as stored
    pof::Vec3 placement;
    std::vector<pof::Vec3> vertices;
    std::vector<bool> vertex_finite;
    std::vector<Polygon> polygons;
    std::vector<Corner> corners;  // of all its polygons, one after the other
    std::vector<VertexBlock> vertex_blocks;
    int row = 0;  // of the subobject in the subobject window's drop-down list
    pof::ItemRef ref;
    // The detail level whose chain the subobject is on (-1 for none), and whether the header
    // lists it as debris: under "All subobjects" each is tinted apart.
    int detail_level = -1;
    bool debris = false;
    // A part placed on another subobject (a turret): it stays solid in x-ray.
    bool on_parent = false;

    std::span<const Corner> corners_of(const Polygon& p) const {
        return {corners.data() + p.first_corner, p.corner_count};
    }
    // The subobject's row, then a double-click on the polygon's block row.
    pof::ItemRef ref_of(const Polygon& p) const {
        return {pof::RecordEntry::SOBJ, {{1, row, false}, {2, p.block_row, true}}};
    }
};

// The rows that show a marker, held in the marker itself rather than in a list of its own: a
// record entry and at most two chosen rows (an item and its point), none double-clicked. A
// model of a million points then costs no allocation per point.
class MarkerRef {
  public:
    static constexpr std::size_t kMostRows = 2;
    MarkerRef() = default;
    // At most kMostRows choices, none opened; the rest are dropped.
    MarkerRef(pof::RecordEntry entry, std::span<const pof::RowChoice> choices);
    MarkerRef(pof::RecordEntry entry, std::initializer_list<pof::RowChoice> choices)
        : MarkerRef(entry, std::span<const pof::RowChoice>(choices.begin(), choices.size())) {}
    MarkerRef(pof::RecordEntry entry, const std::vector<pof::RowChoice>& choices)
        : MarkerRef(entry, std::span<const pof::RowChoice>(choices)) {}
    MarkerRef(const pof::ItemRef& ref)  // NOLINT(google-explicit-constructor): held as it is
        : MarkerRef(ref.entry, ref.choices) {}
    pof::RecordEntry entry() const { return static_cast<pof::RecordEntry>(entry_); }
    std::size_t size() const { return count_; }
    int list(std::size_t i) const { return lists_[i]; }
    int row(std::size_t i) const { return rows_[i]; }
    pof::ItemRef item_ref() const;
    // The same record and rows as ref, chosen or opened alike.
    bool same_rows(const pof::ItemRef& ref) const;
    bool operator==(const MarkerRef&) const = default;

  private:
    // The record entry in a byte: a marker of a million glow points then takes 52 bytes.
    std::uint8_t entry_ = static_cast<std::uint8_t>(pof::RecordEntry::OHDR);
    std::uint8_t count_ = 0;
    std::array<std::uint8_t, kMostRows> lists_{};
    std::array<std::int32_t, kMostRows> rows_{};
};

// Where a marker's line ends lie in the scene's list of them.
struct SegmentEnds {
    std::uint32_t first = 0;
    std::uint32_t count = 0;  // two per segment
};

// A point with an optional direction and radius, or a few line segments (a path leg, a shield
// face, a box), in the model's frame. Fixed in size: the segments' ends are in the scene's
// list, and a direction or a radius is drawn from shapes shared by every marker.
struct Marker {
    MarkerKind kind = MarkerKind::Gun;
    pof::Vec3 position;
    pof::Vec3 normal;  // zero when the item has none
    float radius = 0;  // zero when the item has none
    SegmentEnds segments;
    MarkerRef ref;
};
static_assert(sizeof(Marker) <= 52, "a marker grew: a million glow points cost its size each");

// What was left out of the scene and why.
struct LeftOut {
    std::int64_t short_polygons = 0;      // fewer than three vertex entries
    std::int64_t bad_index_polygons = 0;  // a vertex index outside the vertices
    std::int64_t cut_polygons = 0;        // the block ends inside the polygon
    std::int64_t nonfinite_polygons = 0;  // a corner on a vertex that is not finite
    std::int64_t nonfinite_vertices = 0;
    std::int64_t nonfinite_markers = 0;
    std::int64_t cut_vertex_blocks = 0;  // DEFPOINTS blocks that end inside their vertices
    std::int64_t bad_index_markers = 0;  // shield or insignia faces on a vertex not there
};

struct Counts {
    std::int64_t subobjects_drawn = 0;
    std::int64_t polygons = 0;
    std::int64_t triangles = 0;  // a polygon of n corners is n - 2 triangles
    std::array<std::int64_t, kMarkerKinds> markers{};
    LeftOut left_out;
};

struct Bounds {
    pof::Vec3 min, max;
    bool empty = true;
    void add(const pof::Vec3& p);
};

struct Scene {
    std::vector<Mesh> meshes;
    std::vector<Marker> markers;
    std::vector<pof::Vec3> segment_ends;  // of every marker's segments, pairs of line ends
    Counts counts;
    // Parent chains that broke (a parent outside the table, a loop), one sentence each.
    std::vector<std::string> notes;
    Bounds bounds;  // of the drawn vertices and markers, placement included

    std::span<const pof::Vec3> segments_of(const Marker& m) const {
        return {segment_ends.data() + m.segments.first, m.segments.count};
    }
    // Adds the marker with its segments' ends (pairs).
    void add_marker(Marker m, std::span<const pof::Vec3> ends) {
        m.segments = {static_cast<std::uint32_t>(segment_ends.size()),
                      static_cast<std::uint32_t>(ends.size())};
        segment_ends.insert(segment_ends.end(), ends.begin(), ends.end());
        markers.push_back(m);
    }
};

// Which subobjects the scene draws: detail level N of the header's list, or every subobject
// (debris included).
struct SceneOptions {
    static constexpr int kAllSubobjects = -1;
    int detail_level = 0;
};

}  // namespace scene
