// Gun and missile points, turrets, special points, eye points and the shield mesh.

#include <algorithm>

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
};
static_assert(covers_group(kWeaponRules, pof::RecordGroup::Weapons),
              "each weapons kind has one row of rules here, none for a kind of another group");

}  // namespace

void check_weapon_record(CheckContext& c, RecordEntry entry) {
    run_rules(kWeaponRules, c, entry);
}

}  // namespace check
