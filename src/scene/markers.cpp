#include "scene/markers.h"

#include <algorithm>
#include <cmath>

namespace scene {

namespace {

using pof::RecordEntry;
using pof::Vec3;

bool finite(const Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

Vec3 plus(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// Rows of item among count items whose own counts may run past what the table holds.
template <class Table>
int listed(const std::vector<std::int32_t>& counts, const Table& table, std::int32_t item) {
    if (item < 0 || item >= static_cast<std::int32_t>(counts.size())) return 0;
    return records::rows_for(counts[item], table, item);
}

class MarkerMaker {
  public:
    MarkerMaker(const pof::ModelStore& store, Chains& chains, Scene& scene)
        : store_(store), chains_(chains), scene_(scene) {}

    void all() {
        weapons(store_.gpnt, MarkerKind::Gun, RecordEntry::GPNT);
        weapons(store_.mpnt, MarkerKind::Missile, RecordEntry::MPNT);
        turrets(store_.tgun, MarkerKind::TurretGun, RecordEntry::TGUN);
        turrets(store_.tmis, MarkerKind::TurretMissile, RecordEntry::TMIS);
        docks();
        paths();
        thrusters();
        eyes();
        specials();
        shield();
        insignia();
        header();
    }

  private:
    void add(Marker m) {
        bool ok = finite(m.position) && finite(m.normal) && std::isfinite(m.radius);
        for (const Vec3& p : m.segments) ok = ok && finite(p);
        if (!ok) {
            ++scene_.counts.left_out.nonfinite_markers;
            return;
        }
        ++scene_.counts.markers[static_cast<int>(m.kind)];
        scene_.markers.push_back(std::move(m));
    }

    void weapons(const records::WeaponPointRecord& r, MarkerKind kind, RecordEntry entry) {
        for (std::int32_t b = 0; b < r.points.items(); ++b) {
            for (int p = 0; p < listed(r.point_counts, r.points, b); ++p) {
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
        const auto banks = std::min<std::size_t>(r.turrets.size(), r.firing_points.items());
        for (std::size_t b = 0; b < banks; ++b) {
            const records::Turret& t = r.turrets[b];
            const int bank = static_cast<int>(b);
            const records::Subobject& base = store_.subobjects.at(t.parent);
            add({kind,
                 plus(chains_.placement(t.parent), base.geometric_center),
                 t.normal,
                 0,
                 {},
                 {entry, {{1, bank, false}}}});
            const int rows = records::rows_for(t.firing_point_count, r.firing_points, bank);
            for (int p = 0; p < rows; ++p) {
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
        for (std::int32_t d = 0; d < r.points.items(); ++d) {
            for (int p = 0; p < listed(r.point_counts, r.points, d); ++p) {
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
        for (std::int32_t p = 0; p < r.vertices.items(); ++p) {
            const int rows = listed(r.vertex_counts, r.vertices, p);
            for (int v = 0; v < rows; ++v) {
                const auto vertex = r.vertices.at(p, v);
                Marker m{MarkerKind::Path,
                         vertex.position,
                         {},
                         vertex.radius,
                         {},
                         {RecordEntry::PATH, {{1, p, false}, {2, v, false}}}};
                if (v + 1 < rows) m.segments = {vertex.position, r.vertices.at(p, v + 1).position};
                add(std::move(m));
            }
        }
    }

    void thrusters() {
        const auto& r = store_.fuel;
        for (std::int32_t t = 0; t < r.glows.items(); ++t) {
            for (int g = 0; g < listed(r.glow_counts, r.glows, t); ++g) {
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
        const auto& points = store_.eye.points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto& e = points[i];
            add({MarkerKind::Eye,
                 plus(chains_.placement(e.subobject), e.offset),
                 e.normal,
                 0,
                 {},
                 {RecordEntry::EYE, {{1, static_cast<int>(i), false}}}});
        }
    }

    void specials() {
        const auto& points = store_.spcl.points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            add({MarkerKind::Special,
                 points[i].point,
                 {},
                 points[i].radius,
                 {},
                 {RecordEntry::SPCL, {{1, static_cast<int>(i), false}}}});
        }
    }

    // A triangle's three edges; false when a corner is outside the vertices.
    template <class Corner>
    static bool edges(const std::array<Corner, 3>& corners, std::vector<Vec3>& out) {
        for (int k = 0; k < 3; ++k) {
            const auto* a = corners[k];
            const auto* b = corners[(k + 1) % 3];
            if (!a || !b) return false;
            out.push_back(*a);
            out.push_back(*b);
        }
        return true;
    }

    void shield() {
        const auto& r = store_.shld;
        const auto vertex = [&](std::int32_t v) -> const Vec3* {
            return v >= 0 && v < static_cast<std::int32_t>(r.vertices.size()) ? &r.vertices[v]
                                                                              : nullptr;
        };
        for (std::size_t f = 0; f < r.faces.size(); ++f) {
            const auto& face = r.faces[f];
            Marker m{MarkerKind::Shield,
                     {},
                     face.normal,
                     0,
                     {},
                     {RecordEntry::SHLD, {{2, static_cast<int>(f), false}}}};
            const std::array<const Vec3*, 3> corners{
                vertex(face.vertices[0]), vertex(face.vertices[1]), vertex(face.vertices[2])};
            if (!edges(corners, m.segments)) {
                ++scene_.counts.left_out.bad_index_markers;
                continue;
            }
            m.position = m.segments[0];
            add(std::move(m));
        }
    }

    void insignia() {
        const auto& r = store_.insg;
        for (std::int32_t i = 0; i < r.faces.items(); ++i) {
            const std::int32_t vertices = r.vertices.slots(i);
            std::vector<Vec3> corner_store(3);
            for (std::int32_t f = 0; f < r.faces.slots(i); ++f) {
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
                if (!edges(corners, m.segments)) {
                    ++scene_.counts.left_out.bad_index_markers;
                    continue;
                }
                m.position = m.segments[0];
                add(std::move(m));
            }
        }
    }

    void header() {
        if (store_.header_read) {
            const auto& h = store_.ohdr;
            add({MarkerKind::CenterOfMass, h.center_of_mass, {}, 0, {}, {RecordEntry::OHDR, {}}});
            add({MarkerKind::HeaderBox,
                 h.bbox_min,
                 {},
                 0,
                 box_edges(h.bbox_min, h.bbox_max, {}),
                 {RecordEntry::OHDR, {}}});
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

}  // namespace

std::vector<Vec3> box_edges(const Vec3& min, const Vec3& max, const Vec3& shift) {
    const auto corner = [&](int i) {
        return plus(Vec3{i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z},
                    shift);
    };
    std::vector<Vec3> out;
    for (int i = 0; i < 8; ++i) {
        for (int bit = 1; bit < 8; bit <<= 1) {
            if (!(i & bit)) {
                out.push_back(corner(i));
                out.push_back(corner(i | bit));
            }
        }
    }
    return out;
}

void add_markers(const pof::ModelStore& store, Chains& chains, Scene& scene) {
    MarkerMaker(store, chains, scene).all();
}

std::optional<Vec3> unmarked_point(const pof::ModelStore& store, const pof::ItemRef& ref) {
    const auto& c = ref.choices;
    std::optional<Vec3> point;
    if (ref.entry == RecordEntry::SHLD && c.size() == 1 && c[0].list == 1) {
        const auto& vertices = store.shld.vertices;
        if (c[0].row >= 0 && c[0].row < static_cast<int>(vertices.size()))
            point = vertices[c[0].row];
    } else if (ref.entry == RecordEntry::INSG && c.size() == 2 && c[1].list == 2) {
        const auto& vertices = store.insg.vertices;
        if (c[1].row >= 0 && c[1].row < vertices.slots(c[0].row))
            point = vertices.at(c[0].row, c[1].row);
    }
    if (point && !finite(*point)) point.reset();
    return point;
}

}  // namespace scene
