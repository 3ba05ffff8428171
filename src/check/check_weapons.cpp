// Gun and missile points, turrets, special points, eye points and the shield mesh.

#include <algorithm>
#include <cmath>

#include "check/check_context.h"
#include "io/text.h"

namespace check {

namespace {

using pof::integer_text;
using pof::RecordEntry;

void weapon_points(CheckContext& c, RecordEntry entry, const records::WeaponPointRecord& r,
                   const char* word) {
    check_count(c, "", "slot count", r.bank_count, {});
    for (int b = 0; b < r.slot_rows(); ++b) {
        const std::string slot = numbered("Slot", b);
        check_count(c, slot, "point count", r.point_counts[b], rows(entry, {b}));
        for (int p = 0; p < r.point_rows(b); ++p) {
            const std::string at = place({slot, numbered(word, p)});
            const auto item = rows(entry, {b, p});
            finite_or_report(c, at, "position", r.points.at(b, p).position, item);
            check_normal(c, at, "normal", r.points.at(b, p).normal, item);
        }
    }
}

void turret_subobject(CheckContext& c, const std::string& at, const char* what, std::int32_t n,
                      const pof::ItemRef& item) {
    if (c.is_subobject(n)) return;
    c.out.add(Code::TurretSubobject, at,
              std::string("its ") + what + " " + integer_text(n) + " is not a subobject number",
              item);
}

// The gun subobject (the physical parent) is the base (the parent) itself, a one-piece
// turret, or a direct child of it; the game falls back to the base otherwise.
void turret_gun(CheckContext& c, const std::string& at, const records::Turret& t,
                const pof::ItemRef& item) {
    if (t.physical_parent == t.parent || !c.is_subobject(t.parent) ||
        !c.subobject_chunks.count(t.physical_parent)) {
        return;
    }
    const std::int32_t above = c.store.subobjects.at(t.physical_parent).parent;
    if (above == t.parent) return;
    c.out.add(Code::TurretGun, at,
              "its gun subobject " + integer_text(t.physical_parent) + " (whose parent is " +
                  integer_text(above) + ") is neither its base " + integer_text(t.parent) +
                  " nor a direct child of it: the game uses the base instead, with a warning",
              item);
}

void turrets(CheckContext& c, RecordEntry entry, const records::TurretRecord& r) {
    check_count(c, "", "bank count", r.bank_count, {});
    for (int b = 0; b < r.bank_rows(); ++b) {
        const records::Turret& t = r.turrets[b];
        const std::string at = numbered("Bank", b);
        const auto item = rows(entry, {b});
        turret_subobject(c, at, "parent", t.parent, item);
        turret_subobject(c, at, "physical parent", t.physical_parent, item);
        check_normal(c, at, "turret normal", t.normal, item);
        check_count(c, at, "firing point count", t.firing_point_count, item);
        if (t.firing_point_count == 0) {
            c.out.add(Code::TurretFiringPoints, at, "the turret has no firing points", item);
        }
        if (t.firing_point_count > kGameFiringPoints) {
            c.out.add(Code::FiringPointCount, at,
                      integer_text(t.firing_point_count) + " firing points: the game uses " +
                          integer_text(kGameFiringPoints) + " and ignores the rest, with a warning",
                      item);
        }
        turret_gun(c, at, t, item);
        for (int p = 0; p < r.firing_point_rows(b); ++p) {
            finite_or_report(c, place({at, numbered("Point", p)}), "firing point",
                             r.firing_points.at(b, p), rows(entry, {b, p}));
        }
    }
}

void special_points(CheckContext& c, const records::SpclRecord& r) {
    check_count(c, "", "special point count", r.point_count, {});
    for (int i = 0; i < r.point_rows(); ++i) {
        const std::string at = numbered("Special Point", i);
        finite_or_report(c, at, "point", r.points[i].point, rows(RecordEntry::SPCL, {i}));
        finite_or_report(c, at, "radius", r.points[i].radius, rows(RecordEntry::SPCL, {i}));
    }
}

void eye_points(CheckContext& c, const records::EyeRecord& r) {
    check_count(c, "", "eye point count", r.point_count, {});
    check_game_table(c, Code::EyeCount, "", r.point_count, kGameEyePoints, "eye points",
                     "so it overruns it", {});
    for (int i = 0; i < r.point_rows(); ++i) {
        const records::EyePoint& e = r.points[i];
        const std::string at = numbered("Eye Point", i);
        const auto item = rows(RecordEntry::EYE, {i});
        if (!c.is_subobject(e.subobject)) {
            c.out.add(Code::EyeSubobject, at,
                      "its subobject " + integer_text(e.subobject) + " is not a subobject number",
                      item);
        }
        finite_or_report(c, at, "offset", e.offset, item);
        check_normal(c, at, "normal", e.normal, item);
    }
}

void shield_face(CheckContext& c, const records::ShldRecord& r, int f, int vertices, int faces) {
    const records::ShieldFace& face = r.faces[f];
    const std::string at = numbered("Face", f);
    const pof::ItemRef item{RecordEntry::SHLD, {{2, f, false}}};
    check_normal(c, at, "face normal", face.normal, item);
    for (const std::int32_t v : face.vertices) {
        if (v >= 0 && v < vertices) continue;
        c.out.add(Code::ShieldVertexIndex, at,
                  "corner " + integer_text(v) + " is outside the " + integer_text(vertices) +
                      " shield vertices",
                  item);
    }
    for (const std::int32_t g : face.neighbours) {
        if (g < 0 || g >= faces) {
            c.out.add(Code::ShieldNeighbourIndex, at,
                      "neighbour " + integer_text(g) + " is outside the " + integer_text(faces) +
                          " shield faces",
                      item);
            continue;
        }
        const auto& back = r.faces[g].neighbours;
        if (std::find(back.begin(), back.end(), f) != back.end()) continue;
        c.out.add(Code::ShieldNeighbour, at,
                  "it names face " + integer_text(g) + " as a neighbour, but face " +
                      integer_text(g) + " does not name it",
                  item);
    }
}

void shield(CheckContext& c, const records::ShldRecord& r) {
    check_count(c, "", "vertex count", r.vertex_count, {});
    check_count(c, "", "face count", r.face_count, {});
    const int vertices = r.vertex_rows();
    const int faces = r.face_rows();
    for (int v = 0; v < vertices; ++v) {
        finite_or_report(c, numbered("Vertex", v), "vertex", r.vertices[v],
                         rows(RecordEntry::SHLD, {v}));
    }
    for (int f = 0; f < faces; ++f) shield_face(c, r, f, vertices, faces);
}

// How far p lies outside the box, 0 inside it.
double outside_box(pof::Vec3 p, pof::Vec3 min, pof::Vec3 max) {
    const auto axis = [](double v, double lo, double hi) {
        return v < lo ? lo - v : (v > hi ? v - hi : 0.0);
    };
    return std::hypot(axis(p.x, min.x, max.x), axis(p.y, min.y, max.y), axis(p.z, min.z, max.z));
}

// A leaf's faces: each named face inside SHLD, its corners inside the leaf's box; each face the
// leaf names is marked in covered.
void shield_leaf(CheckContext& c, RecordEntry entry, const records::ShieldTreeNode& leaf, int n,
                 std::vector<bool>& covered) {
    const auto& shield = c.store.shld;
    const std::string at = numbered("Node", n);
    const auto item = rows(entry, {n});
    const std::int64_t faces = shield.face_rows();
    const std::int64_t vertices = shield.vertex_rows();
    const pof::Vec3 d = leaf.max - leaf.min;
    const double slack = 0.001 * std::hypot(double(d.x), double(d.y), double(d.z));
    for (const std::uint32_t f : leaf.faces) {
        if (f >= faces) {
            if (c.out.count_if_past_cap(Code::ShieldTreeIndex)) continue;
            c.out.add(Code::ShieldTreeIndex, at,
                      "it names face " + integer_text(f) + ", outside the " + integer_text(faces) +
                          " shield faces",
                      item);
            continue;
        }
        covered[f] = true;
        for (const std::int32_t v : shield.faces[f].vertices) {
            if (v < 0 || v >= vertices) continue;  // shield-vertex-index tells of it
            if (!(outside_box(shield.vertices[v], leaf.min, leaf.max) > slack)) continue;
            if (c.out.count_if_past_cap(Code::ShieldTreeBox)) break;
            c.out.add(Code::ShieldTreeBox, at,
                      "face " + integer_text(f) + " has corner " + integer_text(v) +
                          " outside the leaf's box",
                      item);
            break;
        }
    }
}

// Where a node's size and a split's offsets lead: onto a node read from the tree (the size
// may also end the tree exactly).
void shield_tree_links(CheckContext& c, RecordEntry entry, const records::ShieldTreeRecord& r,
                       int n) {
    const auto& nodes = r.nodes;
    const records::ShieldTreeNode& node = nodes[n];
    const auto on_node = [&nodes](std::int64_t at) {
        const auto it = std::lower_bound(
            nodes.begin(), nodes.end(), at,
            [](const records::ShieldTreeNode& x, std::int64_t v) { return x.offset < v; });
        return it != nodes.end() && it->offset == at;
    };
    const std::string at = numbered("Node", n);
    const auto item = rows(entry, {n});
    const auto link = [&](const char* what, std::uint32_t by, bool may_end) {
        const std::int64_t to = node.offset + by;
        if (on_node(to) || (may_end && !r.cut && to == r.tree_size)) return;
        // Past the last node of a tree the chunk or the file cuts short: unknown.
        if (r.tree_bytes < r.tree_size && to > nodes.back().offset) return;
        if (c.out.count_if_past_cap(Code::ShieldTreeOffset)) return;
        c.out.add(Code::ShieldTreeOffset, at,
                  std::string("its ") + what + " " + integer_text(by) + " leads to byte " +
                      integer_text(to) + " of the " + integer_text(r.tree_size) +
                      "-byte tree, where no node starts",
                  item);
    };
    link("size", node.size, true);
    if (!node.split()) return;
    link("front offset", node.front, false);
    link("back offset", node.back, false);
    if (entry == RecordEntry::SLDC && node.front != node.size &&
        !c.out.count_if_past_cap(Code::ShieldTreeOrder)) {
        c.out.add(Code::ShieldTreeOrder, at,
                  "its front child is at offset " + integer_text(node.front) +
                      ", not directly after it at " + integer_text(node.size) +
                      ": the game's conversion of SLDC takes the node after it",
                  item);
    }
}

void shield_tree(CheckContext& c, RecordEntry entry, const records::ShieldTreeRecord& r) {
    const bool slc2 = entry == RecordEntry::SLC2;
    const std::int32_t version = c.store.file_version;
    if (slc2 != (version >= records::kSlc2Read)) {
        c.out.add(Code::ShieldTreeIgnored, "",
                  std::string("the game ") + (slc2 ? "reads SLC2 from" : "reads SLDC only below") +
                      " version " + integer_text(records::kSlc2Read) +
                      " and skips this one (version " + integer_text(version) + ")",
                  pof::ItemRef{entry, {}});
    }
    std::vector<bool> covered(static_cast<std::size_t>(c.store.shld.face_rows()), false);
    // A node's findings list its own byte: the tree follows the chunk header and its size.
    const std::int64_t tree_at = c.store.chunks[*c.record_chunk(entry)].offset + 12;
    std::size_t chunk_place = c.out.next_place();  // for the faces, at the chunk's header
    for (int n = 0; n < r.node_rows(); ++n) {
        c.out.about_byte(tree_at + r.nodes[n].offset);
        shield_tree_links(c, entry, r, n);
        if (!r.nodes[n].split()) shield_leaf(c, entry, r.nodes[n], n, covered);
    }
    c.out.about_byte(-1);
    const char* id = slc2 ? "SLC2" : "SLDC";
    // A tree the chunk or the file cuts short may list the other faces past the cut.
    if (r.tree_bytes < r.tree_size) covered.clear();
    for (int f = 0; f < static_cast<int>(covered.size()); ++f) {
        if (covered[f] || c.out.count_if_past_cap(Code::ShieldTreeCoverage)) continue;
        chunk_place += c.out.add_at(
            chunk_place, Code::ShieldTreeCoverage, numbered("Face", f),
            std::string("no leaf of the ") + id + " tree lists shield face " + integer_text(f),
            pof::ItemRef{RecordEntry::SHLD, {{2, f, false}}});
    }
}

}  // namespace

namespace {

using E = RecordEntry;

constexpr KindRules kWeaponRules[] = {
    {E::GPNT, [](CheckContext& c) { weapon_points(c, E::GPNT, c.store.gpnt, "Gun"); }},
    {E::MPNT, [](CheckContext& c) { weapon_points(c, E::MPNT, c.store.mpnt, "Missile"); }},
    {E::TGUN, [](CheckContext& c) { turrets(c, E::TGUN, c.store.tgun); }},
    {E::TMIS, [](CheckContext& c) { turrets(c, E::TMIS, c.store.tmis); }},
    {E::SPCL, [](CheckContext& c) { special_points(c, c.store.spcl); }},
    {E::EYE, [](CheckContext& c) { eye_points(c, c.store.eye); }},
    {E::SHLD, [](CheckContext& c) { shield(c, c.store.shld); }},
    {E::SLDC, [](CheckContext& c) { shield_tree(c, E::SLDC, c.store.sldc); }},
    {E::SLC2, [](CheckContext& c) { shield_tree(c, E::SLC2, c.store.slc2); }},
};
static_assert(covers_group(kWeaponRules, pof::RecordGroup::Weapons),
              "each weapons kind has one row of rules here, none for a kind of another group");

}  // namespace

void check_weapon_record(CheckContext& c, RecordEntry entry) {
    run_rules(kWeaponRules, c, entry);
}

}  // namespace check
