#include "scene/markers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "records/versions.h"

namespace scene {

namespace {

using pof::RecordEntry;
using pof::Vec3;

class MarkerMaker;
using MakeMarkers = void (*)(MarkerMaker&);

// Whether rows name every chunk kind once.
template <std::size_t N>
constexpr bool every_kind_once(const std::pair<RecordEntry, MakeMarkers> (&rows)[N]) {
    for (const pof::ChunkKind& k : pof::chunk_kinds()) {
        if (std::count_if(rows, rows + N, [&k](const auto& r) { return r.first == k.entry; }) != 1)
            return false;
    }
    return true;
}

class MarkerMaker {
  public:
    MarkerMaker(const pof::ModelStore& store, Chains& chains, Scene& scene)
        : store_(store), chains_(chains), scene_(scene) {}

    void all() {
        using E = RecordEntry;
        using M = MarkerMaker;
        // Each kind's markers, in the order they are made; none for a kind without markers of
        // its own. A kind without its row here fails the check below.
        static constexpr std::pair<E, MakeMarkers> kKindMarkers[] = {
            {E::GPNT, [](M& m) { m.weapons(m.store_.gpnt, MarkerKind::Gun, E::GPNT); }},
            {E::MPNT, [](M& m) { m.weapons(m.store_.mpnt, MarkerKind::Missile, E::MPNT); }},
            {E::TGUN, [](M& m) { m.turrets(m.store_.tgun, MarkerKind::TurretGun, E::TGUN); }},
            {E::TMIS, [](M& m) { m.turrets(m.store_.tmis, MarkerKind::TurretMissile, E::TMIS); }},
            {E::DOCK, [](M& m) { m.docks(); }},
            {E::PATH, [](M& m) { m.paths(); }},
            {E::FUEL, [](M& m) { m.thrusters(); }},
            {E::EYE, [](M& m) { m.eyes(); }},
            {E::SPCL, [](M& m) { m.specials(); }},
            {E::SHLD, [](M& m) { m.shield(); }},
            {E::INSG, [](M& m) { m.insignia(); }},
            {E::GLOW, [](M& m) { m.glow_points(); }},
            {E::SLDC, [](M& m) { m.shield_tree(E::SLDC); }},
            {E::SLC2, [](M& m) { m.shield_tree(E::SLC2); }},
            {E::OHDR, [](M& m) { m.header(); }},
            {E::ACEN, nullptr},  // with the header's markers
            {E::TXTR, nullptr},  // names, nothing placed
            {E::SOBJ, nullptr},  // the subobject boxes come with the meshes
            {E::PINF, nullptr},  // a text
        };
        static_assert(every_kind_once(kKindMarkers), "a kind without its row of markers here");
        scene_.markers.reserve(scene_.markers.size() + most_markers());
        for (const auto& [entry, make] : kKindMarkers) {
            if (make) make(*this);
        }
    }

  private:
    // At most how many markers the records give: the marker list is sized once, so a model of
    // many points costs one allocation rather than a copy at every doubling.
    std::size_t most_markers() const {
        const auto& s = store_;
        std::size_t n = 3;  // centre of mass, header box, ACEN
        const auto each = [&n](int items, auto rows) {
            for (int i = 0; i < items; ++i) n += static_cast<std::size_t>(rows(i));
        };
        each(s.gpnt.slot_rows(), [&](int b) { return s.gpnt.point_rows(b); });
        each(s.mpnt.slot_rows(), [&](int b) { return s.mpnt.point_rows(b); });
        each(s.tgun.bank_rows(), [&](int b) { return 1 + s.tgun.firing_point_rows(b); });
        each(s.tmis.bank_rows(), [&](int b) { return 1 + s.tmis.firing_point_rows(b); });
        each(s.dock.dock_rows(), [&](int d) { return s.dock.point_rows(d); });
        each(s.path.path_rows(), [&](int p) { return s.path.vertex_rows(p); });
        each(s.fuel.thruster_rows(), [&](int t) { return s.fuel.glow_rows(t); });
        each(s.insg.insignia_rows(), [&](int i) { return s.insg.face_rows(i); });
        each(s.glow.bank_rows(), [&](int b) { return s.glow.point_rows(b); });
        for (const auto& node : read_tree().nodes) n += 1 + node.faces.size();
        return n + static_cast<std::size_t>(s.eye.point_rows() + s.spcl.point_rows() +
                                            s.shld.face_rows());
    }

    // The shield tree the game reads: SLC2 from version 2200 on, SLDC below.
    RecordEntry read_tree_entry() const {
        return store_.file_version >= records::kSlc2Read ? RecordEntry::SLC2 : RecordEntry::SLDC;
    }
    const records::ShieldTreeRecord& read_tree() const {
        return read_tree_entry() == RecordEntry::SLC2 ? store_.slc2 : store_.sldc;
    }

    void add(const Marker& m, std::span<const Vec3> ends = {}) {
        bool ok = finite(m.position) && finite(m.normal) && std::isfinite(m.radius);
        for (const Vec3& p : ends) ok = ok && finite(p);
        if (!ok) {
            ++scene_.counts.left_out.nonfinite_markers;
            return;
        }
        ++scene_.counts.markers[static_cast<int>(m.kind)];
        scene_.add_marker(m, ends);
    }

    void weapons(const records::WeaponPointRecord& r, MarkerKind kind, RecordEntry entry) {
        for (int b = 0; b < r.slot_rows(); ++b) {
            for (int p = 0; p < r.point_rows(b); ++p) {
                const auto point = r.points.at(b, p);
                add({kind,
                     point.position,
                     point.normal,
                     0,
                     {},
                     {entry, {{1, b, false}, {2, p, false}}}});
            }
        }
    }

    void turrets(const records::TurretRecord& r, MarkerKind kind, RecordEntry entry) {
        for (int bank = 0; bank < r.bank_rows(); ++bank) {
            const records::Turret& t = r.turrets[bank];
            const records::Subobject& base = store_.subobjects.at(t.parent);
            add({kind,
                 chains_.placement(t.parent) + base.geometric_center,
                 t.normal,
                 0,
                 {},
                 {entry, {{1, bank, false}}}});
            for (int p = 0; p < r.firing_point_rows(bank); ++p) {
                add({kind,
                     r.firing_points.at(bank, p),
                     t.normal,
                     0,
                     {},
                     {entry, {{1, bank, false}, {2, p, false}}}});
            }
        }
    }

    void docks() {
        const auto& r = store_.dock;
        for (int d = 0; d < r.dock_rows(); ++d) {
            for (int p = 0; p < r.point_rows(d); ++p) {
                const auto point = r.points.at(d, p);
                add({MarkerKind::Dock,
                     point.position,
                     point.normal,
                     0,
                     {},
                     {RecordEntry::DOCK, {{1, d, false}, {3, p, false}}}});
            }
        }
    }

    // Each path vertex with its radius and the leg to the next vertex.
    void paths() {
        const auto& r = store_.path;
        for (int p = 0; p < r.path_rows(); ++p) {
            const int rows = r.vertex_rows(p);
            for (int v = 0; v < rows; ++v) {
                const auto vertex = r.vertices.at(p, v);
                const Marker m{MarkerKind::Path,
                               vertex.position,
                               {},
                               vertex.radius,
                               {},
                               {RecordEntry::PATH, {{1, p, false}, {2, v, false}}}};
                if (v + 1 < rows) {
                    const std::array<Vec3, 2> leg{vertex.position,
                                                  r.vertices.at(p, v + 1).position};
                    add(m, leg);
                } else {
                    add(m);
                }
            }
        }
    }

    void thrusters() {
        const auto& r = store_.fuel;
        for (int t = 0; t < r.thruster_rows(); ++t) {
            for (int g = 0; g < r.glow_rows(t); ++g) {
                const auto glow = r.glows.at(t, g);
                add({MarkerKind::Thruster,
                     glow.position,
                     glow.normal,
                     glow.radius,
                     {},
                     {RecordEntry::FUEL, {{1, t, false}, {2, g, false}}}});
            }
        }
    }

    void eyes() {
        const auto& r = store_.eye;
        for (int i = 0; i < r.point_rows(); ++i) {
            const auto& e = r.points[i];
            add({MarkerKind::Eye,
                 chains_.placement(e.subobject) + e.offset,
                 e.normal,
                 0,
                 {},
                 {RecordEntry::EYE, {{1, i, false}}}});
        }
    }

    void specials() {
        const auto& r = store_.spcl;
        for (int i = 0; i < r.point_rows(); ++i) {
            add({MarkerKind::Special,
                 r.points[i].point,
                 {},
                 r.points[i].radius,
                 {},
                 {RecordEntry::SPCL, {{1, i, false}}}});
        }
    }

    using Edges = std::array<Vec3, 6>;
    // A triangle's three edges; false when a corner is outside the vertices.
    static bool edges(const std::array<const Vec3*, 3>& corners, Edges& out) {
        for (std::size_t k = 0; k < 3; ++k) {
            const auto* a = corners[k];
            const auto* b = corners[(k + 1) % 3];
            if (!a || !b) return false;
            out[2 * k] = *a;
            out[2 * k + 1] = *b;
        }
        return true;
    }

    // The middle of a triangle given as its three edges (a b, b c, c a); each corner divided
    // first, so corners near the float range's end do not overflow the sum.
    static Vec3 centroid(const Edges& edges) {
        constexpr float kThird = 1.0f / 3;
        return edges[0] * kThird + edges[2] * kThird + edges[4] * kThird;
    }

    void shield() {
        const auto& r = store_.shld;
        const int vertices = r.vertex_rows();
        const auto vertex = [&](std::int32_t v) -> const Vec3* {
            return v >= 0 && v < vertices ? &r.vertices[v] : nullptr;
        };
        for (int f = 0; f < r.face_rows(); ++f) {
            const auto& face = r.faces[f];
            Marker m{
                MarkerKind::Shield, {}, face.normal, 0, {}, {RecordEntry::SHLD, {{2, f, false}}}};
            const std::array<const Vec3*, 3> corners{
                vertex(face.vertices[0]), vertex(face.vertices[1]), vertex(face.vertices[2])};
            Edges ends;
            if (!edges(corners, ends)) {
                ++scene_.counts.left_out.bad_index_markers;
                continue;
            }
            m.position = centroid(ends);
            add(m, ends);
        }
    }

    // The leaf boxes of the tree the game reads, and each leaf's shield faces. A node's box and
    // faces share its row, so a chosen node lights them all; a face's own row is its place in
    // the node's triangle list.
    void shield_tree(RecordEntry entry) {
        if (entry != read_tree_entry()) return;
        const auto& shield = store_.shld;
        const int vertices = shield.vertex_rows();
        const auto vertex = [&](std::int32_t v) -> const Vec3* {
            return v >= 0 && v < vertices ? &shield.vertices[v] : nullptr;
        };
        const auto& nodes = read_tree().nodes;
        for (int n = 0; n < static_cast<int>(nodes.size()); ++n) {
            const auto& node = nodes[n];
            if (node.split()) continue;
            std::vector<pof::RowChoice> box_rows{{1, n, false}};
            if (!node.faces.empty()) box_rows.push_back({2, 0, false});
            add({MarkerKind::ShieldTree, node.min, {}, 0, {}, {entry, box_rows}},
                box_edges(node.min, node.max, {}));
            for (int t = 0; t < static_cast<int>(node.faces.size()); ++t) {
                const std::uint32_t f = node.faces[t];
                std::array<const Vec3*, 3> corners{};
                if (f < static_cast<std::uint32_t>(shield.face_rows())) {
                    const auto& face = shield.faces[f];
                    corners = {vertex(face.vertices[0]), vertex(face.vertices[1]),
                               vertex(face.vertices[2])};
                }
                Edges ends;
                if (!edges(corners, ends)) {
                    ++scene_.counts.left_out.bad_index_markers;
                    continue;
                }
                add({MarkerKind::ShieldTree,
                     centroid(ends),
                     {},
                     0,
                     {},
                     {entry, {{1, n, false}, {2, t, false}}}},
                    ends);
            }
        }
    }

    void insignia() {
        const auto& r = store_.insg;
        for (int i = 0; i < r.insignia_rows(); ++i) {
            const int vertices = r.vertex_rows(i);
            std::array<Vec3, 3> corner_store;
            for (int f = 0; f < r.face_rows(i); ++f) {
                const auto face = r.faces.at(i, f);
                std::array<const Vec3*, 3> corners{};
                for (int k = 0; k < 3; ++k) {
                    const std::int32_t v = face[k].vertex;
                    if (v < 0 || v >= vertices) continue;
                    corner_store[k] = r.vertices.at(i, v);
                    corners[k] = &corner_store[k];
                }
                Marker m{MarkerKind::Insignia,
                         {},
                         {},
                         0,
                         {},
                         {RecordEntry::INSG, {{1, i, false}, {3, f, false}}}};
                Edges ends;
                if (!edges(corners, ends)) {
                    ++scene_.counts.left_out.bad_index_markers;
                    continue;
                }
                m.position = centroid(ends);
                add(m, ends);
            }
        }
    }

    // Each glow point with its normal and radius, in the model's frame as stored.
    void glow_points() {
        const auto& r = store_.glow;
        for (int b = 0; b < r.bank_rows(); ++b) {
            for (int p = 0; p < r.point_rows(b); ++p) {
                const auto point = r.points.at(b, p);
                add({MarkerKind::Glow,
                     point.position,
                     point.normal,
                     point.radius,
                     {},
                     {RecordEntry::GLOW, {{1, b, false}, {2, p, false}}}});
            }
        }
    }

    void header() {
        if (store_.header_read) {
            const auto& h = store_.ohdr;
            add({MarkerKind::CenterOfMass, h.center_of_mass, {}, 0, {}, {RecordEntry::OHDR, {}}});
            add({MarkerKind::HeaderBox, h.bbox_min, {}, 0, {}, {RecordEntry::OHDR, {}}},
                box_edges(h.bbox_min, h.bbox_max, {}));
        }
        if (store_.acen.chunk_size > 0) {
            add({MarkerKind::AutoCenter,
                 store_.acen.auto_center,
                 {},
                 0,
                 {},
                 {RecordEntry::ACEN, {}}});
        }
    }

    const pof::ModelStore& store_;
    Chains& chains_;
    Scene& scene_;
};

// Any vector not along axis, crossed with it, gives a direction across it.
Vec3 across(const Vec3& axis) {
    const Vec3 other = std::abs(axis.x) < 0.9f ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 c{axis.y * other.z - axis.z * other.y, axis.z * other.x - axis.x * other.z,
                 axis.x * other.y - axis.y * other.x};
    return c * (1 / std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z));
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

constexpr int kRingSegments = 20;
// The ring's arc: 300 degrees, so its arrowhead shows the turn.
constexpr float kRingArc = 5.2359878f;

// A ring of the given radius around axis through centre, its arrowhead at the arc's end.
std::vector<Vec3> ring_arrow(const Vec3& centre, const Vec3& axis, float radius) {
    const Vec3 u = across(axis), v = cross(axis, u);
    const auto at = [&](float a) {
        return centre + u * (radius * std::cos(a)) + v * (radius * std::sin(a));
    };
    std::vector<Vec3> ends;
    for (int i = 0; i < kRingSegments; ++i) {
        ends.push_back(at(kRingArc * static_cast<float>(i) / kRingSegments));
        ends.push_back(at(kRingArc * static_cast<float>(i + 1) / kRingSegments));
    }
    const Vec3 tip = at(kRingArc);
    const Vec3 back = u * std::sin(kRingArc) - v * std::cos(kRingArc);  // against the turn
    const Vec3 out = tip - centre;
    for (const float side : {0.25f, -0.25f}) {
        ends.push_back(tip);
        ends.push_back(tip + back * (radius * 0.3f) + out * side);
    }
    return ends;
}

// A straight arrow from centre along axis, length long, its head at the far end.
std::vector<Vec3> straight_arrow(const Vec3& centre, const Vec3& axis, float length) {
    const Vec3 tip = centre + axis * length, side = across(axis);
    return {centre, tip,
            tip,    tip - axis * (length * 0.2f) + side * (length * 0.1f),
            tip,    tip - axis * (length * 0.2f) - side * (length * 0.1f)};
}

}  // namespace

std::optional<Vec3> movement_axis(std::int32_t axis, std::string_view properties,
                                  std::string_view key) {
    switch (axis) {
        case 0:
            return Vec3{1, 0, 0};
        case 1:
            return Vec3{0, 0, 1};
        case 2:
            return Vec3{0, 1, 0};
        case 3:
            break;
        default:
            return std::nullopt;
    }
    const std::size_t found = properties.find(key);
    if (found == std::string_view::npos) return std::nullopt;
    // After the key: "=" or ":" and three numbers, apart by spaces or commas.
    std::string_view rest = properties.substr(found + key.size());
    std::array<float, 3> n{};
    for (float& value : n) {
        const std::size_t start = rest.find_first_not_of(" \t=:,");
        if (start == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(start);
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    }
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
    return Vec3{n[0] / length, n[1] / length, n[2] / length};
}

void add_movement_axes(const records::Subobject& s, std::int32_t file_version,
                       const Vec3& placement, const MarkerRef& ref, Scene& scene) {
    // Sized by the subobject: its radius, or 1 where that says nothing.
    const float size = std::isfinite(s.radius) && s.radius > 0 ? s.radius : 1.0f;
    const auto add = [&](const Vec3& axis, std::vector<Vec3> ends) {
        const bool placed =
            finite(placement) &&
            std::all_of(ends.begin(), ends.end(), [](const Vec3& p) { return finite(p); });
        if (!placed) {
            ++scene.counts.left_out.nonfinite_markers;
            return;
        }
        scene.add_marker({MarkerKind::MovementAxis, placement, axis, 0, {}, ref}, ends);
        ++scene.counts.markers[static_cast<int>(MarkerKind::MovementAxis)];
    };
    if (s.movement_type != -1) {
        if (const auto axis = movement_axis(s.movement_axis, s.properties, "$rotation_axis"))
            add(*axis, ring_arrow(placement, *axis, size * 0.6f));
    }
    if (records::has_translation(file_version) && s.translation_type != -1) {
        if (const auto axis = movement_axis(s.translation_axis, s.properties, "$translation_axis"))
            add(*axis, straight_arrow(placement, *axis, size * 1.2f));
    }
}

BoxEdges box_edges(const Vec3& min, const Vec3& max, const Vec3& shift) {
    const auto corner = [&](int i) {
        return Vec3{i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z} + shift;
    };
    BoxEdges out;
    std::size_t n = 0;
    for (int i = 0; i < 8; ++i) {
        for (int bit = 1; bit < 8; bit <<= 1) {
            if (!(i & bit)) {
                out[n++] = corner(i);
                out[n++] = corner(i | bit);
            }
        }
    }
    return out;
}

MarkerRef::MarkerRef(pof::RecordEntry entry, std::span<const pof::RowChoice> choices)
    : entry_(static_cast<std::uint8_t>(entry)),
      count_(static_cast<std::uint8_t>(std::min(choices.size(), kMostRows))) {
    for (std::size_t i = 0; i < count_; ++i) {
        lists_[i] = static_cast<std::uint8_t>(choices[i].list);
        rows_[i] = choices[i].row;
    }
}

pof::ItemRef MarkerRef::item_ref() const {
    pof::ItemRef ref{entry(), {}};
    for (std::size_t i = 0; i < count_; ++i) ref.choices.push_back({lists_[i], rows_[i], false});
    return ref;
}

bool MarkerRef::same_rows(const pof::ItemRef& ref) const {
    if (ref.entry != entry() || ref.choices.size() != count_) return false;
    for (std::size_t i = 0; i < count_; ++i) {
        const pof::RowChoice& c = ref.choices[i];
        if (c.list != lists_[i] || c.row != rows_[i]) return false;
    }
    return true;
}

void add_markers(const pof::ModelStore& store, Chains& chains, Scene& scene) {
    MarkerMaker(store, chains, scene).all();
}

std::optional<Vec3> unmarked_point(const pof::ModelStore& store, const pof::ItemRef& ref) {
    const auto& c = ref.choices;
    std::optional<Vec3> point;
    if (ref.entry == RecordEntry::SHLD && c.size() == 1 && c[0].list == 1) {
        if (c[0].row >= 0 && c[0].row < store.shld.vertex_rows())
            point = store.shld.vertices[c[0].row];
    } else if (ref.entry == RecordEntry::INSG && c.size() == 2 && c[1].list == 2) {
        const auto& r = store.insg;
        if (c[1].row >= 0 && c[1].row < r.vertex_rows(c[0].row))
            point = r.vertices.at(c[0].row, c[1].row);
    }
    if (point && !finite(*point)) point.reset();
    return point;
}

}  // namespace scene
