// The model check: every code found where it is planted in an otherwise clean model, the cap
// per code and chunk, and a finding's double-click leading to its item.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <set>

#include "check/frmModelCheck.h"
#include "check/model_check.h"
#include "clean_model.h"
#include "every_chunk_model.h"
#include "pof/read_pof.h"
#include "sample_textures.h"
#include "session.h"
#include "ship_model.h"
#include "temp_file.h"
#include "vp_builder.h"

namespace {

using namespace testing_pof;
using check::Code;

check::FindingList check_bytes(const std::string& bytes) {
    Session s;
    s.read(bytes);
    return check::check_model(s.store);
}

std::set<std::string> codes_of(const check::FindingList& findings) {
    std::set<std::string> codes;
    for (const auto& f : findings) codes.insert(std::string(check::code_name(f.code)));
    return codes;
}

Bytes with_bsp(std::int32_t number, std::int32_t parent, const Bytes& bsp) {
    return CleanModel::subobject(number, parent, bsp, number == 0 ? "hull" : "turret01");
}

Bytes tmap(const std::vector<bsp::PolygonEntry>& entries, std::int32_t texture = 0) {
    return Bytes()
        .raw(bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}}))
        .raw(bsp::tmappoly(entries, texture))
        .raw(bsp::eof());
}

// A block with one int32 field replaced.
Bytes patched(const Bytes& block, std::size_t at, std::int32_t value) {
    std::string bytes = block.str();
    bytes.replace(at, 4, Bytes().i32(value).str());
    return Bytes().raw(bytes);
}

// Three vertices, one normal (on vertex 0).
const Bytes kThreePoints =
    bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}});

// A DEFPOINTS of three vertices and one TMAP2POLY over them.
Bytes tmap2(const std::vector<bsp::Polygon2Entry>& entries, std::int32_t texture = 0,
            bsp::Vec min = {-1, -2, -3}, bsp::Vec max = {1, 2, 3}) {
    return Bytes().raw(kThreePoints).raw(bsp::tmap2poly(entries, texture, min, max));
}

// A SORTNORM2 over two TMAP2POLY leaves of 100 bytes each, after a DEFPOINTS of three vertices.
Bytes tmap2_tree(std::int32_t front = 40, std::int32_t back = 140, bsp::Vec min = {-4, -5, -6},
                 bsp::Vec max = {4, 5, 6}) {
    return Bytes()
        .raw(kThreePoints)
        .raw(bsp::sortnorm2(front, back, min, max))
        .raw(bsp::tmap2poly({{0, 0}, {1, 0}, {2, 0}}, 0))
        .raw(bsp::tmap2poly({{2, 0}, {1, 0}, {0, 0}}, 0));
}

Bytes shield_faces(std::array<int, 3> corners0, std::array<int, 3> neighbours0,
                   std::array<int, 3> neighbours1) {
    Bytes b = Bytes().i32(3).vec(0, 0, 0).vec(1, 0, 0).vec(0, 1, 0).i32(2).vec(0, 0, 1);
    for (int v : corners0) b.i32(v);
    for (int n : neighbours0) b.i32(n);
    b.vec(0, 0, -1).i32(2).i32(1).i32(0);
    for (int n : neighbours1) b.i32(n);
    return b;
}

struct Planted {
    const char* code;
    std::function<void(CleanModel&)> plant;
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A GLOW chunk of one bank (no blinking, type 0) with one point at the origin facing +z.
std::string glow_chunk(std::int32_t parent, std::int32_t lod, float radius,
                       const std::string& properties = "$glow_texture=glow") {
    const Bytes body =
        Bytes().i32(1).i32(0).i32(0).i32(0).i32(parent).i32(lod).i32(0).i32(1).text(properties);
    const Bytes point = Bytes().vec(0, 0, 0).vec(0, 0, 1).f32(radius);
    return "GLOW" + Bytes().i32(body.size32() + point.size32()).raw(body).raw(point).str();
}

Bytes turret_subobject(SubobjectFields s) {
    s.number = 1;
    s.parent = 0;
    s.name = s.name == "hull" ? "turret01" : s.name;
    s.bsp = CleanModel::triangle_bsp();
    return subobject_body(CleanModel::kVersion, s);
}
std::string chunk(const std::string& id, const Bytes& body) {
    return id + Bytes().i32(body.size32()).raw(body).str();
}

// The game's limits and repairs: each fault just past a limit (in kPlanted) and the model
// just inside it (in kInside), which gives nothing.
const std::vector<Planted> kGameRules = {
    {"detail-level-count",
     [](CleanModel& m) {
         m.header = header_body(2117, {.detail_levels = 9, .debris = 0, .detail_level_step = 0});
     }},
    {"debris-count",
     [](CleanModel& m) {
         m.header = header_body(2117, {.debris = 33, .first_debris = 1, .debris_step = 0});
     }},
    {"insignia-count", [](CleanModel& m) { m.insg = insignias(7); }},
    {"eye-count", [](CleanModel& m) { m.eye = eye_points(11); }},
    {"dock-point-count",  // an error: the game's table holds two
     [](CleanModel& m) {
         m.dock =
             dock_points({{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}, {{2, 0, 0}, {0, 0, 1}}});
     }},
    {"dock-point-count",  // a warning
     [](CleanModel& m) {
         m.dock = dock_points({{{0, 0, 0}, {0, 0, 1}}});
     }},
    {"dock-point-count", [](CleanModel& m) { m.dock = dock_points({}); }},
    {"reserved", [](CleanModel& m) { m.turret = turret_subobject({.reserved = 1}); }},
    {"dock-geometry",  // a zero normal, not also a normal of length 0
     [](CleanModel& m) {
         m.dock = dock_points({{{0, 0, 0}, {0, 0, 0}}, {{1, 0, 0}, {0, 0, 1}}});
     }},
    {"dock-geometry",
     [](CleanModel& m) {
         m.dock = dock_points({{{1, 2, 3}, {0, 0, 1}}, {{1, 2, 3}, {0, 1, 0}}});
     }},
    {"dock-geometry",  // the line along the second point's normal, reversed
     [](CleanModel& m) {
         m.dock = dock_points({{{0, 0, 0}, {1, 0, 0}}, {{0.1f, 0, 1}, {0, 0, -1}}});
     }},
    {"firing-point-count", [](CleanModel& m) { m.tgun = turret(1, 1, 11); }},
    {"turret-gun", [](CleanModel& m) { m.tgun = turret(1, 0, 1); }},
    {"name-length",
     [](CleanModel& m) { m.turret = turret_subobject({.name = std::string(32, 'n')}); }},
    {"name-length",
     [](CleanModel& m) { m.turret = turret_subobject({.properties = std::string(256, 'p')}); }},
    {"radius-zero", [](CleanModel& m) { m.turret = turret_subobject({.radius = 0.00001f}); }},
    {"radius-zero", [](CleanModel& m) { m.turret = turret_subobject({.radius = -3}); }},
    {"radius-zero",
     [](CleanModel& m) {
         m.header = header_body(2117, {.radius = 0, .debris = 0, .cross_sections = 1});
     }},
    {"glow-texture", [](CleanModel& m) { m.extra = glow_chunk(-1, 0, 1, "$glow_textur=x"); }},
    {"path-duplicate",
     [](CleanModel& m) {
         m.path = named_paths({"p0", "q", "P0"});
     }},
    {"bay-path",
     [](CleanModel& m) {
         m.path = named_paths({"$bay01", "$bay03"});
     }},
    {"bay-path", [](CleanModel& m) { m.path = named_paths({"$bay02"}); }},
    {"bay-path",
     [](CleanModel& m) {
         m.path = named_paths({"$bay01", "$bay32"});
     }},
    {"bay-path", [](CleanModel& m) { m.path = named_paths({"$Bay00"}); }},
    {"chunk-order",  // a header after a chunk that names no subobject
     [](CleanModel& m) { m.first = chunk("PINF", Bytes().raw("pofscope")); }},
    {"chunk-order",  // the TGUN and PATH chunks before subobject 2's chunk
     [](CleanModel& m) {
         m.header = header_body(2117, {.subobjects = 3, .debris = 0, .cross_sections = 1});
         m.extra = chunk("OBJ2", CleanModel::subobject(2, 0, CleanModel::triangle_bsp(), "aft"));
     }},
};

// An SLDC (the tree the clean model's version reads) or SLC2 chunk over the clean shield,
// whose faces 0 and 1 lie on (0, 0, 0), (1, 0, 0) and (0, 1, 0).
std::string tree_chunk(const char* id, const std::vector<ShieldTreeNode>& nodes) {
    return chunk(id, shield_tree_body(id == std::string("SLDC") ? 1 : 4, nodes));
}
// A split over two leaves of one face each, its front child at front: 37 follows it directly.
std::vector<ShieldTreeNode> split_over_faces(std::uint32_t front, std::uint32_t back) {
    return {{.split = true, .front = front, .back = back}, {.faces = {0}}, {.faces = {1}}};
}
// One leaf of both faces whose box reaches max_x along x: the diagonal of a box (0, 0, 0) to
// (max_x, 1, 1) is about 1.73, so corner (1, 0, 0) may lie 0.0017 outside it.
std::vector<ShieldTreeNode> leaf_to(float max_x) {
    return {{.max = {max_x, 1, 1}, .faces = {0, 1}}};
}

const std::vector<Planted> kInside = {
    {"detail-level-count",
     [](CleanModel& m) {
         m.header = header_body(2117, {.detail_levels = 8, .debris = 0, .detail_level_step = 0});
     }},
    {"debris-count",
     [](CleanModel& m) {
         m.header = header_body(2117, {.debris = 32, .first_debris = 1, .debris_step = 0});
     }},
    {"insignia-count", [](CleanModel& m) { m.insg = insignias(6); }},
    {"eye-count", [](CleanModel& m) { m.eye = eye_points(10); }},
    {"dock-geometry",  // the line 11.5 degrees off the normal: |cos| 0.98
     [](CleanModel& m) {
         m.dock = dock_points({{{0, 0, 0}, {0, 0, 1}}, {{0.2f, 0, 0.98f}, {0, 0, 1}}});
     }},
    {"firing-point-count", [](CleanModel& m) { m.tgun = turret(1, 1, 10); }},
    {"turret-gun", [](CleanModel& m) { m.tgun = turret(0, 1, 1); }},  // a gun under its base
    {"name-length",
     [](CleanModel& m) {
         m.turret =
             turret_subobject({.name = std::string(31, 'n'), .properties = std::string(255, 'p')});
     }},
    {"radius-zero", [](CleanModel& m) { m.turret = turret_subobject({.radius = 0.00002f}); }},
    {"glow-texture", [](CleanModel& m) { m.extra = glow_chunk(-1, 0, 1, "a\n$glow_texture=x"); }},
    {"path-duplicate",
     [](CleanModel& m) {
         m.path = named_paths({"p0", "p1", "p 0"});
     }},
    {"bay-path",
     [](CleanModel& m) {
         std::vector<std::string> names{"$bay-approach", "$bay", "$bay1x"};
         for (int n = 31; n >= 1; --n)
             names.push_back((n < 10 ? "$BAY0" : "$bay") + std::to_string(n));
         m.path = named_paths(names);
     }},
    {"shield-tree-index", [](CleanModel& m) { m.extra = tree_chunk("SLDC", leaf_to(1)); }},
    {"shield-tree-offset",
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", split_over_faces(37, 74)); }},
    {"shield-tree-order",
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", split_over_faces(37, 74)); }},
    {"shield-tree-box", [](CleanModel& m) { m.extra = tree_chunk("SLDC", leaf_to(0.999f)); }},
    {"shield-tree-coverage",
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", split_over_faces(37, 74)); }},
    {"shield-tree-ignored",  // the game reads SLDC at 2117
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", leaf_to(1)); }},
};

const std::vector<Planted> kPlanted = {
    {"chunk-size", [](CleanModel& m) { m.acen_declared = 20; }},
    {"unknown-chunk", [](CleanModel& m) { m.extra = "XXXX" + Bytes().i32(4).i32(0).str(); }},
    {"duplicate-chunk",
     [](CleanModel& m) { m.extra = "ACEN" + Bytes().i32(12).raw(acen_body(0, 0, 0)).str(); }},
    {"duplicate-chunk",  // and the first GLOW chunk is read, not an unknown chunk
     [](CleanModel& m) {
         const std::string no_banks = "GLOW" + Bytes().i32(4).i32(0).str();
         m.extra = no_banks + no_banks;
     }},
    {"subobject-missing",
     [](CleanModel& m) { m.header = header_body(2117, {.subobjects = 3, .debris = 0}); }},
    {"subobject-duplicate",
     [](CleanModel& m) { m.extra = "OBJ2" + Bytes().i32(m.turret.size32()).raw(m.turret).str(); }},
    {"subobject-unstored",
     [](CleanModel& m) {
         m.extra =
             "OBJ2" +
             Bytes().i32(m.turret.size32()).raw(with_bsp(5, 0, CleanModel::triangle_bsp())).str();
     }},
    {"parent", [](CleanModel& m) { m.turret = with_bsp(1, 7, CleanModel::triangle_bsp()); }},
    {"parent", [](CleanModel& m) { m.hull = with_bsp(0, 1, CleanModel::triangle_bsp()); }},
    {"detail-level",
     [](CleanModel& m) { m.header = header_body(2117, {.detail_levels = 3, .debris = 0}); }},
    {"debris", [](CleanModel& m) { m.header = header_body(2117, {.debris = 1}); }},
    {"bsp-walk",
     [](CleanModel& m) { m.turret = with_bsp(1, 0, Bytes().raw(bsp::block(2, 0)).i32(0)); }},
    {"bsp-walk",  // a FLATPOLY of 4 bytes: smaller than its header
     [](CleanModel& m) { m.turret = with_bsp(1, 0, Bytes().i32(2).i32(4).i32(0).i32(0)); }},
    {"bsp-walk",
     [](CleanModel& m) {
         m.turret = with_bsp(
             1, 0, Bytes().raw(bsp::block(9, 16)).i32(5).i32(400).vec(0, 0, 0).vec(0, 0, 0));
     }},
    {"no-defpoints",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0,
                             Bytes()
                                 .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))
                                 .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))
                                 .raw(bsp::eof()));
     }},
    {"vertex-index",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}, {3, 0}}));
     }},
    {"normal-index",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}, {2, 1}}));
     }},
    {"texture-index",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}, {2, 0}}, 1));
     }},
    {"polygon-vertices",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}}));
     }},
    {"sortnorm-offset",
     [](CleanModel& m) {
         m.turret =
             with_bsp(1, 0, Bytes().raw(bsp::sortnorm(80, 12)).raw(CleanModel::triangle_bsp()));
     }},
    // TMAP2POLY and SORTNORM2, in a file of the described version as the game takes them.
    {"no-defpoints",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, Bytes().raw(bsp::tmap2poly({{0, 0}, {1, 0}, {2, 0}}, 0)));
     }},
    {"vertex-index",  // past the 16-bit range
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2({{0, 0}, {70000, 0}, {2, 0}}));
     }},
    {"normal-index",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2({{0, 0}, {1, 4294967295u}, {2, 0}}));
     }},
    {"texture-index",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2({{0, 0}, {1, 0}, {2, 0}}, -1));
     }},
    {"polygon-vertices",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2({{0, 0}, {1, 0}}));
     }},
    {"bsp-walk",  // more entries than the block holds
     [](CleanModel& m) {
         m.turret =
             with_bsp(1, 0, patched(tmap2({{0, 0}, {1, 0}, {2, 0}}), kThreePoints.size() + 48, 4));
     }},
    {"bsp-walk",  // cut inside its normal
     [](CleanModel& m) {
         m.turret =
             with_bsp(1, 0, patched(Bytes().raw(bsp::tmap2poly({}).str().substr(0, 36)), 4, 36));
     }},
    {"sortnorm-offset", [](CleanModel& m) { m.turret = with_bsp(1, 0, tmap2_tree(40, 12)); }},
    {"sortnorm-offset", [](CleanModel& m) { m.turret = with_bsp(1, 0, tmap2_tree(-64, 140)); }},
    {"box-inverted",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2_tree(40, 140, {1, 0, 0}, {-1, 0, 0}));
     }},
    {"box-inverted",
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0, tmap2({{0, 0}, {1, 0}, {2, 0}}, 0, {0, 1, 0}, {0, -1, 0}));
     }},
    {"version", [](CleanModel& m) { m.version = 3100; }},
    {"version", [](CleanModel& m) { m.version = std::numeric_limits<std::int32_t>::max(); }},
    {"sortnorm-offset",  // a far offset from a block that does not start the data
     [](CleanModel& m) {
         m.turret = with_bsp(1, 0,
                             Bytes()
                                 .raw(bsp::boundbox({-1, -1, -1}, {1, 1, 1}))
                                 .raw(bsp::sortnorm(std::numeric_limits<std::int32_t>::max(), 0))
                                 .raw(CleanModel::triangle_bsp()));
     }},
    {"box-inverted",
     [](CleanModel& m) {
         m.turret = with_bsp(
             1, 0,
             Bytes().raw(CleanModel::triangle_bsp()).raw(bsp::boundbox({1, 0, 0}, {-1, 0, 0})));
     }},
    {"vertex-outside-box",
     [](CleanModel& m) {
         m.turret =
             with_bsp(1, 0, Bytes().raw(bsp::defpoints({{{0, 0, 3.01f}, {}}})).raw(bsp::eof()));
     }},
    {"not-finite", [](CleanModel& m) { m.acen = acen_body(0, kNaN, 0); }},
    {"normal-length",
     [](CleanModel& m) { m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 1.02f); }},
    {"turret-subobject",
     [](CleanModel& m) { m.tgun = Bytes().i32(1).i32(1).i32(2).vec(0, 0, 1).i32(1).vec(0, 0, 0); }},
    {"turret-firing-points",
     [](CleanModel& m) { m.tgun = Bytes().i32(1).i32(1).i32(1).vec(0, 0, 1).i32(0); }},
    {"eye-subobject", [](CleanModel& m) { m.eye = eye_body(3); }},
    {"dock-path",
     [](CleanModel& m) {
         m.dock = dock_points({{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}}, 1);
     }},
    {"path-parent", [](CleanModel& m) { m.path = Bytes().i32(1).text("p0").text("hul").i32(0); }},
    {"path-turret",
     [](CleanModel& m) {
         m.path = Bytes().i32(1).text("p0").text("").i32(1).vec(0, 0, 0).f32(1).i32(1).i32(-1);
     }},
    {"shield-vertex-index",
     [](CleanModel& m) {
         m.shld = shield_faces({0, 1, 3}, {1, 1, 1}, {0, 0, 0});
     }},
    {"shield-neighbour-index",
     [](CleanModel& m) {
         m.shld = shield_faces({0, 1, 2}, {1, 1, 2}, {0, 0, 0});
     }},
    {"shield-neighbour",
     [](CleanModel& m) {
         m.shld = shield_faces({0, 1, 2}, {1, 1, 1}, {1, 1, 1});
     }},
    {"insignia-vertex-index",
     [](CleanModel& m) {
         m.insg =
             Bytes().raw(insg_body().str().substr(0, 76)).i32(9).raw(insg_body().str().substr(80));
     }},
    {"insignia-detail-level",
     [](CleanModel& m) { m.insg = Bytes().i32(1).i32(1).i32(0).i32(0).vec(0, 0, 0); }},
    {"count-negative", [](CleanModel& m) { m.spcl = Bytes().i32(-1); }},
    // The turret's name length (8, at byte 60 of its body) or its properties length after it.
    {"count-negative",
     [](CleanModel& m) {
         m.turret =
             Bytes().raw(m.turret.str().substr(0, 60)).i32(-1).raw(m.turret.str().substr(72));
     }},
    {"count-negative",
     [](CleanModel& m) {
         m.turret =
             Bytes().raw(m.turret.str().substr(0, 72)).i32(-5).raw(m.turret.str().substr(76));
     }},
    {"texture-unused",
     [](CleanModel& m) {
         m.txtr = texture_body({"hull", "spare"});
     }},
    {"glow-parent", [](CleanModel& m) { m.extra = glow_chunk(5, 0, 1); }},
    {"glow-lod", [](CleanModel& m) { m.extra = glow_chunk(0, 1, 1); }},
    {"glow-radius", [](CleanModel& m) { m.extra = glow_chunk(-1, 0, 0); }},
    {"read", [](CleanModel& m) { m.extra = "PINF" + Bytes().i32(12).i32(0).str(); }},
    {"shield-tree-index",  // face 2 of 2
     [](CleanModel& m) {
         m.extra = tree_chunk("SLDC", {{.faces = {0, 1, 2}}});
     }},
    {"shield-tree-offset",  // the back child at 38, one byte into the first leaf
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", split_over_faces(37, 38)); }},
    {"shield-tree-offset",  // a leaf's size past the tree's end
     [](CleanModel& m) {
         m.extra = tree_chunk("SLDC", {{.faces = {0, 1}, .size = 48}});
     }},
    {"shield-tree-order",  // the front child is the second leaf
     [](CleanModel& m) { m.extra = tree_chunk("SLDC", split_over_faces(74, 37)); }},
    {"shield-tree-box", [](CleanModel& m) { m.extra = tree_chunk("SLDC", leaf_to(0.998f)); }},
    {"shield-tree-coverage", [](CleanModel& m) { m.extra = tree_chunk("SLDC", {{.faces = {0}}}); }},
    {"shield-tree-ignored",  // SLC2 in a 2117 file
     [](CleanModel& m) { m.extra = tree_chunk("SLC2", leaf_to(1)); }},
};

TEST(ModelCheck, CleanModelHasNoFindings) {
    const auto findings = check_bytes(CleanModel().str());
    EXPECT_EQ(codes_of(findings), std::set<std::string>{});
}

// Every planted fault, the game's rules after the others.
std::vector<Planted> all_planted() {
    std::vector<Planted> all = kPlanted;
    all.insert(all.end(), kGameRules.begin(), kGameRules.end());
    return all;
}

TEST(ModelCheck, EachPlantedFaultGivesExactlyItsCode) {
    for (const Planted& p : all_planted()) {
        CleanModel m;
        p.plant(m);
        EXPECT_EQ(codes_of(check_bytes(m.str())), std::set<std::string>{p.code}) << p.code;
    }
}

TEST(ModelCheck, AModelJustInsideEachLimitOfTheGameGivesNothing) {
    for (const Planted& p : kInside) {
        CleanModel m;
        p.plant(m);
        EXPECT_EQ(codes_of(check_bytes(m.str())), std::set<std::string>{}) << p.code;
    }
}

// A dock of one point is a warning the window lists under Warnings; one of three an error.
TEST(ModelCheck, ACodeOfTwoSeveritiesCountsEachFindingAsItsOwn) {
    CleanModel m;
    m.dock = docks({{{{0, 0, 0}, {0, 0, 1}}},
                    {{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}, {{2, 0, 0}, {0, 0, 1}}}});
    const auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].severity, check::Severity::Warning);
    EXPECT_EQ(findings[1].severity, check::Severity::Error);
    EXPECT_EQ(findings.severity(0), check::Severity::Warning);
    EXPECT_EQ(check::summary_text(check::tally(findings)), "1 error, 1 warning, 0 notes");
}

// The trees of today's models check clean in a file of any version the game reads silently;
// a version it reads by older rules is a warning naming those rules, one it refuses an error.
TEST(ModelCheck, VersionsAndTheNewBlocks) {
    const auto findings_of = [](std::int32_t version, const Bytes& turret_bsp) {
        CleanModel m;
        m.version = version;
        m.turret = with_bsp(1, 0, turret_bsp);
        std::vector<std::string> lines;
        for (const auto& f : check_bytes(m.str())) {
            lines.push_back(std::string(check::code_name(f.code)) + ": " + f.message);
        }
        return lines;
    };
    const std::vector<std::string> none;
    EXPECT_EQ(findings_of(2117, tmap2_tree()), none);
    EXPECT_EQ(findings_of(2117, tmap2({{0, 0}, {1, 0}, {2, 0}})), none);
    EXPECT_EQ(findings_of(3100, tmap2_tree()),
              std::vector<std::string>{"version: version 3100 is outside the versions the game "
                                       "reads, 1900 to 3099: it refuses the file"});
    // Every chunk laid out by the rules of the version: the version's warning is the file's
    // own, first; a version the game knows adds nothing.
    const auto first_of = [](std::int32_t version) {
        const auto findings = check_bytes(every_chunk_model(version));
        if (findings.empty()) return std::string();
        const char* severity =
            findings[0].severity == check::Severity::Warning ? "warning" : "not a warning";
        return std::string(check::code_name(findings[0].code)) + " " + severity + ": " +
               findings[0].message;
    };
    EXPECT_EQ(first_of(2250),
              "version warning: version 2250 is newer than the game knows: it reads the "
              "file by the rules of version 2201, with a warning");
    EXPECT_EQ(first_of(2119),
              "version warning: version 2119 is newer than the game knows: it reads the "
              "file by the rules of version 2118, with a warning");
    EXPECT_EQ(first_of(3099).substr(0, 24), "version warning: version");
    for (const std::int32_t known : {1900, 2118, 2200, 2201, 2300, 2301}) {
        for (const auto& f : check_bytes(every_chunk_model(known))) {
            EXPECT_NE(f.code, Code::Version) << known;
        }
    }
    EXPECT_EQ(first_of(2302).substr(0, 24), "version warning: version");
    // Legacy indices are unsigned: 40000 is past the three vertices, not below zero.
    EXPECT_EQ(
        findings_of(2117, Bytes()
                              .raw(bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}}))
                              .raw(bsp::tmappoly({{0, 0}, {std::int16_t(-25536), 0}, {0, 0}}, 0))),
        std::vector<std::string>{"vertex-index: 1 corner of 1 polygon indexes past the 1 vertices "
                                 "of the DEFPOINTS block at 0 (vertex 40000 at entry 1 of the "
                                 "block at 48)"});
}

TEST(ModelCheck, NoHeaderIsTheOneFindingOfAFileWithoutOne) {
    const auto one = check_bytes(PofBuilder(2117).chunk("ACEN", acen_body(0, 0, 0)).str());
    EXPECT_EQ(codes_of(one), std::set<std::string>{"no-header"});
    const auto before = check_bytes(
        PofBuilder(2117)
            .chunk("OBJ2", with_bsp(0, -1, {}))
            .chunk("HDR2", header_body(2117, {.subobjects = 0, .detail_levels = 0, .debris = 0}))
            .str());
    EXPECT_EQ(codes_of(before), std::set<std::string>{"no-header"});
}

// A model read from a file has its textures looked for beside it: a name found nowhere is a
// note, a file whose header cannot be decoded a warning, a sound one nothing.
TEST(ModelCheck, TexturesAreLookedForWhereTheModelLies) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pofscope_check_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "maps");
    const std::string model = (folder / "ship.pof").string();
    std::ofstream(model, std::ios::binary) << CleanModel().str();
    const auto codes_with = [&](const std::string& hull) {
        std::filesystem::remove(folder / "maps" / "HULL.dds");
        if (!hull.empty()) std::ofstream(folder / "maps" / "HULL.dds", std::ios::binary) << hull;
        Session s;
        pof::open_pof_file(model, s.store, s.form, s.desktop);
        return codes_of(check::check_model(s.store));
    };
    EXPECT_EQ(codes_with(""), std::set<std::string>{"texture-missing"});
    EXPECT_EQ(codes_with("DDS not really"), std::set<std::string>{"texture-unreadable"});
    EXPECT_EQ(codes_with(sample_textures()[0].bytes), std::set<std::string>{});
    std::filesystem::remove_all(folder);
}

// Every code of the table is planted once at least.
TEST(ModelCheck, EveryCodeIsPlanted) {
    std::set<std::string> planted{"no-header", "texture-missing", "texture-unreadable", "archive"};
    for (const Planted& p : all_planted()) planted.insert(p.code);
    for (int c = 0; c < check::kCodeCount; ++c) {
        EXPECT_TRUE(planted.count(std::string(check::code_name(static_cast<Code>(c)))))
            << check::code_name(static_cast<Code>(c));
    }
}

// An archive's own faults, each at its directory entry (the version at its header field): an
// entry that cannot be opened is an error, a ".." at the top, a second entry of one path (in
// other case) and an unknown version are warnings; a directory the file cannot hold is one
// error where the header says so.
TEST(ModelCheck, AnArchivesOwnFaultsAreFoundAtTheirEntries) {
    const std::string bytes = VpBuilder()
                                  .file("a.pof", "PSPO")         // 0, at 16
                                  .up()                          // 1
                                  .entry(4, 1000, "cut.pof", 0)  // 2
                                  .file("A.POF", "PSPO2")        // 3, directory at 25
                                  .version(7)
                                  .str();
    std::vector<std::string> lines;
    for (const check::Finding& f :
         check::check_archive(archive::Archive::from_bytes(bytes, "x.vp")))
        lines.push_back(std::to_string(f.offset) + " " +
                        std::string(check::severity_name(f.severity)) + " " +
                        check::shown_place(f) + " [" + std::string(check::code_name(f.code)) + "]");
    EXPECT_EQ(lines,
              (std::vector<std::string>{"4 warning file [archive]", "69 warning entry 1 [archive]",
                                        "113 error entry 2 \xC2\xB7 cut.pof [archive]",
                                        "157 warning entry 3 \xC2\xB7 A.POF [archive]"}));
    try {
        archive::Archive::from_bytes(VpBuilder().file("a.pof", "PSPO").entry_count(9).str(),
                                     "x.vp");
        FAIL() << "a directory of 9 entries was listed";
    } catch (const pof::ReadError& e) {
        const check::Finding f = check::unlisted_archive(e);
        EXPECT_EQ(f.offset, 12);
        EXPECT_EQ(f.severity, check::Severity::Error);
        EXPECT_EQ(f.code, Code::Archive);
    }
}

TEST(ModelCheck, OneMissingVertexTableIsOneFinding) {
    Bytes bsp;
    for (int i = 0; i < 500; ++i) bsp.raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0));
    CleanModel m;
    m.turret = with_bsp(1, 0, bsp.raw(bsp::eof()));
    const auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].code, Code::NoDefpoints);
    EXPECT_EQ(findings[0].place, "subObject 1 \xC2\xB7 block at 0");
}

// The cap counts per chunk: the next chunk lists its own hundred.
TEST(ModelCheck, AtMostAHundredFindingsOfOneCodePerChunkThenACount) {
    const auto polygons = [](int n) {
        Bytes bsp = Bytes().raw(kThreePoints);
        for (int i = 0; i < n; ++i) bsp.raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 9));
        return bsp.raw(bsp::eof());
    };
    CleanModel m;
    m.hull = with_bsp(0, -1, polygons(60));
    m.turret = with_bsp(1, 0, polygons(150));
    const auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 162u);  // and "hull", which no polygon uses
    EXPECT_EQ(findings[59].place, "subObject 0 \xC2\xB7 block at " + std::to_string(72 + 59 * 80));
    EXPECT_EQ(findings[159].place, "subObject 1 \xC2\xB7 block at " + std::to_string(72 + 99 * 80));
    EXPECT_EQ(findings[160].code, Code::TextureIndex);
    EXPECT_EQ(findings[160].message, "50 more texture-index findings here are not listed");
    EXPECT_EQ(check::tally(findings).errors, 210);
}

// The findings of the turret's BSP data, one line each, after "OBJ2 · subObject 1 · block at ".
struct BspWords {
    const char* what;
    Bytes bsp;
    std::vector<std::string> lines;
};

const Bytes kTwoPoints = bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}});
const Bytes kNoNormals = bsp::defpoints({{{0, 0, 0}, {}}, {{1, 0, 0}, {}}});  // data at 24

const std::vector<BspWords> kBspWords = {
    {"polygon findings are worded when read; a front offset leads forward",
     Bytes()
         .raw(bsp::sortnorm(80, 12))
         .raw(kTwoPoints)
         .raw(bsp::tmappoly({{0, 0}, {5, 0}, {1, 1}}, 3))
         .raw(bsp::flatpoly({{0, 0}, {1, 0}}))
         .raw(bsp::block(3, 40))  // cut before its texture number
         .raw(bsp::eof()),
     {"0: the back offset 12 leads to byte 12, where no block of this walk starts "
      "[sortnorm-offset]",
      "80: 1 corner of 1 polygon indexes past the 2 vertices of the DEFPOINTS block at 80 "
      "(vertex 5 at entry 1 of the block at 140) [vertex-index]",
      "80: 1 corner of 1 polygon indexes past the 1 normals of the DEFPOINTS block at 80 "
      "(normal 1 at entry 2 of the block at 140) [normal-index]",
      "140: texture 3 is not one of the 1 TXTR names [texture-index]",
      "220: the polygon has 2 entries; it needs at least 3 [polygon-vertices]",
      "272: the polygon normal (0, 0, 0) has length 0, not 1 [normal-length]",
      "272: the polygon has 0 entries; it needs at least 3 [polygon-vertices]",
      "272: its fields run past its 40 bytes (at byte 40 of the block) [bsp-walk]"}},
    {"vertex data 12 bytes late: the second vertex runs past, the table is unreadable",
     Bytes().raw(patched(kNoNormals, 16, 36)).raw(bsp::tmappoly({{0, 0}, {7, 0}, {1, 0}}, 0)),
     {"0: its fields run past its 48 bytes (at byte 48 of the block) [bsp-walk]"}},
    {"vertex data before the block",
     Bytes().raw(patched(kNoNormals, 16, -1)),
     {"0: its fields run past its 48 bytes (at byte -1 of the block) [bsp-walk]"}},
    {"more entries than the polygon's size holds",
     Bytes().raw(kTwoPoints).raw(patched(bsp::flatpoly({{0, 0}, {1, 0}, {9, 0}}), 36, 5)),
     {"0: 1 corner of 1 polygon indexes past the 2 vertices of the DEFPOINTS block at 0 (vertex 9 "
      "at entry 2 of the block at 60) [vertex-index]",
      "60: its 5 entries do not fit in its 56 bytes [bsp-walk]"}},
};

TEST(ModelCheck, BspFindingsReadAsTheirWords) {
    for (const BspWords& c : kBspWords) {
        CleanModel m;
        m.turret = with_bsp(1, 0, c.bsp);
        std::vector<std::string> lines;
        for (const check::Finding& f : check_bytes(m.str())) {
            lines.push_back(check::shown_place(f) + ": " + f.message + " [" +
                            std::string(check::code_name(f.code)) + "]");
        }
        std::vector<std::string> expected;
        for (const auto& line : c.lines) {
            expected.push_back("OBJ2 \xC2\xB7 subObject 1 \xC2\xB7 block at " + line);
        }
        EXPECT_EQ(lines, expected) << c.what;
    }
}

TEST(ModelCheck, EveryPlantedFaultIsListedInFileOrder) {
    for (const Planted& p : all_planted()) {
        CleanModel m;
        p.plant(m);
        m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);  // one more finding mid-file
        const auto findings = check_bytes(m.str());
        std::vector<std::int64_t> offsets;
        for (const auto& f : findings) offsets.push_back(f.offset);
        EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end())) << p.code;
    }
}

// A read that stopped is one finding, at the byte whose read failed, after every finding of
// the chunks read before: an unknown chunk whose skip passes the end is not also "skipped",
// and a chunk header cut short is told at its own byte, not at byte 0 ahead of the rest.
TEST(ModelCheck, AReadThatStoppedIsOneFindingAtTheByteThatFailed) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    const std::string clean = m.str();
    const auto gpnt_offset = static_cast<std::int64_t>(clean.find("GPNT"));

    m.extra = "XXXX" + Bytes().i32(558188353).i32(0).str();
    auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].offset, gpnt_offset);
    EXPECT_EQ(findings[1].code, Code::Read);
    EXPECT_EQ(findings[1].offset, static_cast<std::int64_t>(clean.size()) + 8);
    EXPECT_EQ(check::shown_place(findings[1]), "XXXX");
    EXPECT_FALSE(findings[1].item);

    m.extra = "XXXX";
    findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].offset, gpnt_offset);
    EXPECT_EQ(findings[1].code, Code::Read);
    EXPECT_EQ(findings[1].offset, static_cast<std::int64_t>(clean.size()));
    EXPECT_EQ(check::shown_place(findings[1]), "file");
}

// The sample and its copies cut in each chunk's header and inside its body give one finding
// more than whole, the read's (for a shield tree cut at the end, its size's): none that only
// follows from what the read never reached. The read says that once (kept for the sample).
TEST(ModelCheck, ACutCopyOfTheSampleGivesOneFindingMore) {
    std::map<std::string, std::string> said;  // per "OBJ2 header" or "OBJ2", what the read adds
    for (const ShipCopy copy : kShipCopies) {
        const std::string ship = ship_model(copy);
        std::set<std::string> whole;
        for (const auto& f : check_bytes(ship)) whole.insert(f.message);
        for (std::uint32_t at = 8, size = 0; at + 8 <= ship.size(); at += 8 + size) {
            std::memcpy(&size, ship.data() + at + 4, 4);
            for (const std::uint32_t end :
                 {at + 4, at + 8 + size / 4, at + 8 + size / 2, at + 7 + size}) {
                Session s;
                s.read(ship.substr(0, end));
                std::vector<std::string> more;
                for (const auto& f : check::check_model(s.store))
                    if (!whole.count(f.message)) more.push_back(f.message);
                ASSERT_EQ(more.size(), 1u) << ship_file_name(copy) << " cut at " << end;
                const std::string key = ship.substr(at, 4) + (end == at + 4 ? " header" : "");
                if (copy == ShipCopy::Sample)
                    said.try_emplace(key, more[0].substr(s.store.read_failure.size()));
            }
        }
    }
    // Cuts inside a subobject and inside TXTR are golden texts.
    EXPECT_EQ(said["OBJ2 header"], " It never reached subobjects 0 to 4 of the header's table.");
    EXPECT_EQ(said["PATH header"],
              " No whole PATH chunk was read, so no dock's path number is checked.");
    EXPECT_EQ(said["GLOW"], "");
}

// The streaming check hands on the same findings as the one that keeps them.
TEST(ModelCheck, StreamedFindingsMatchTheKeptOnes) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    m.extra = "XXXX";
    Session s;
    s.read(m.str());
    std::vector<std::pair<std::int64_t, std::string>> streamed, kept;
    check::check_model(s.store, [&](const check::Finding& f) {
        streamed.emplace_back(f.offset, std::string(check::code_name(f.code)));
    });
    for (const auto& f : check::check_model(s.store))
        kept.emplace_back(f.offset, std::string(check::code_name(f.code)));
    EXPECT_EQ(streamed, kept);
    EXPECT_EQ(kept.back().second, "read");
}

// A parent loop is found after the BSP data of later chunks, and still listed first.
TEST(ModelCheck, AFindingAboutAnEarlierChunkIsListedInFileOrder) {
    CleanModel m;
    m.hull = with_bsp(0, 1, CleanModel::triangle_bsp());
    m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}, {3, 0}}));
    const auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].code, Code::Parent);
    EXPECT_EQ(findings[1].code, Code::VertexIndex);
    EXPECT_LT(findings[0].offset, findings[1].offset);
}

TEST(ModelCheck, FindingsCarryChunkOffsetAndSummary) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    m.eye = eye_body(3);
    const auto findings = check_bytes(m.str());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].chunk, "GPNT");
    EXPECT_EQ(check::shown_place(findings[0]), "GPNT \xC2\xB7 Slot 0 \xC2\xB7 Gun 0");
    EXPECT_EQ(findings[1].chunk, "EYE ");
    EXPECT_EQ(findings[1].offset - findings[0].offset, 8 + m.gpnt.size32() + 8 + m.tgun.size32());
    EXPECT_EQ(check::summary_text(check::tally(findings)), "1 error, 1 warning, 0 notes");
    EXPECT_EQ(check::summary_text(check::tally({})), "No problems found");
}

// The sample ship is the file the build writes for users: nothing to report. The every-chunk
// model, made to fill every window, has notes for its unknown chunk and its unused texture,
// and the game would warn of its second dock, which has one point, and of its second glow
// bank, which names no glow texture.
TEST(ModelCheck, SampleShipChecksCleanAndEveryChunkModelHasNoErrors) {
    EXPECT_EQ(check::summary_text(check::tally(check_bytes(ship_model()))), "No problems found");
    // Its copies in today's layouts: no error or warning (their shield trees are notes at most).
    for (const ShipCopy copy : kShipCopies) {
        const auto t = check::tally(check_bytes(ship_model(copy)));
        EXPECT_EQ(t.errors + t.warnings, 0) << ship_file_name(copy);
    }
    std::vector<std::string> warnings;
    const auto findings = check_bytes(every_chunk_model());
    for (const auto& f : findings) {
        if (f.severity == check::Severity::Warning)
            warnings.push_back(check::shown_place(f) + " [" +
                               std::string(check::code_name(f.code)) + "]");
    }
    EXPECT_EQ(warnings, (std::vector<std::string>{"DOCK \xC2\xB7 Dock 1 [dock-point-count]",
                                                  "GLOW \xC2\xB7 Bank 1 [glow-texture]"}));
    EXPECT_EQ(check::summary_text(check::tally(findings)), "0 errors, 2 warnings, 2 notes");
}

// The Model Check window and its way to the item a finding is about.
class ModelCheckWindow : public ::testing::Test {
  protected:
    check::frmModelCheck& open(const std::string& bytes) {
        s.read(bytes);
        s.form.menu_command("IDM_MODEL_CHECK");
        return *static_cast<check::frmModelCheck*>(s.viewer("frmModelCheck"));
    }
    Session s;
};

TEST_F(ModelCheckWindow, ViewMenuFollowsTheHeaderChunk) {
    EXPECT_FALSE(s.entry_enabled("IDM_MODEL_CHECK"));
    s.read(PofBuilder(2117).chunk("ACEN", acen_body(0, 0, 0)).str());
    EXPECT_FALSE(s.entry_enabled("IDM_MODEL_CHECK"));
    s.read(CleanModel().str());
    EXPECT_TRUE(s.entry_enabled("IDM_MODEL_CHECK"));
}

TEST_F(ModelCheckWindow, FilterListsOneSeverityAndResetClosesIt) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    m.txtr = texture_body({"hull", "spare"});
    auto& w = open(m.str());
    EXPECT_EQ(w.summary.value.text, "0 errors, 1 warning, 1 note");
    ASSERT_EQ(w.findings.row_count(), 2u);
    w.filter.choose(3);
    ASSERT_EQ(w.findings.row_count(), 1u);
    const std::string txtr_offset = std::to_string(s.store.chunks[3].offset);
    ASSERT_EQ(s.store.chunks[3].id, "TXTR");
    EXPECT_EQ(w.findings.cells(0),
              (std::vector<std::string>{"note", txtr_offset, "TXTR \xC2\xB7 Texture 1",
                                        "no TMAPPOLY uses \"spare\"", "texture-unused"}));
    EXPECT_EQ(w.findings.tone(0), view::Tone::Info);
    w.filter.choose(0);
    EXPECT_EQ(w.findings.tone(1), view::Tone::Warning);
    s.read(m.str());
    EXPECT_EQ(s.viewer("frmModelCheck"), nullptr);
}

// A code of two severities is filtered by each finding's own: the dock of one point under
// Warnings, the dock of three under Errors; a double-click leads to the dock's row.
TEST_F(ModelCheckWindow, FilterListsEachFindingOfACodeOfTwoUnderItsOwnSeverity) {
    CleanModel m;
    m.dock = docks({{{{0, 0, 0}, {0, 0, 1}}},
                    {{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}, {{2, 0, 0}, {0, 0, 1}}}});
    auto& w = open(m.str());
    EXPECT_EQ(w.summary.value.text, "1 error, 1 warning, 0 notes");
    w.filter.choose(2);
    ASSERT_EQ(w.findings.row_count(), 1u);
    EXPECT_EQ(w.findings.cell(0, 0), "warning");
    EXPECT_EQ(w.findings.cell(0, 2), "DOCK \xC2\xB7 Dock 0");
    EXPECT_EQ(w.findings.tone(0), view::Tone::Warning);
    w.filter.choose(1);
    ASSERT_EQ(w.findings.row_count(), 1u);
    EXPECT_EQ(w.findings.cell(0, 2), "DOCK \xC2\xB7 Dock 1");
    EXPECT_EQ(w.findings.cell(0, 4), "dock-point-count");
    w.findings.double_click(0);
    EXPECT_EQ(s.windows.front(), "frmDOCK");
    EXPECT_EQ(
        static_cast<view::DropDown*>(view::lists_of(s.viewer("frmDOCK")->layout())[0])->selected,
        1);
}

TEST_F(ModelCheckWindow, DoubleClickOpensTheBlockOnTheEntry) {
    CleanModel m;
    m.turret = with_bsp(1, 0, tmap({{0, 0}, {1, 0}, {2, 0}, {7, 0}}));
    auto& w = open(m.str());
    ASSERT_EQ(w.findings.row_count(), 1u);
    w.findings.double_click(0);
    auto* sobj = s.viewer("frmSOBJ");
    ASSERT_NE(sobj, nullptr);
    EXPECT_EQ(view::lists_of(sobj->layout())[0]->name, "cboSubObjects");
    EXPECT_EQ(static_cast<view::DropDown*>(view::lists_of(sobj->layout())[0])->selected, 1);
    EXPECT_EQ(s.windows.front(), "frmTMAPPOLY");
    auto* poly = s.viewer("frmTMAPPOLY");
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(static_cast<view::Table*>(view::lists_of(poly->layout())[0])->selected, 3);
    // The window system activates the window after the choices: the entry stays chosen.
    poly->activated();
    EXPECT_EQ(static_cast<view::Table*>(view::lists_of(poly->layout())[0])->selected, 3);
}

TEST_F(ModelCheckWindow, AFindingWithoutRowsOpensItsChunksViewer) {
    CleanModel m;
    m.spcl = Bytes().i32(-1);
    auto& w = open(m.str());
    ASSERT_EQ(w.findings.row_count(), 1u);
    w.findings.double_click(0);
    EXPECT_EQ(s.windows.front(), "frmSPCL");
}

// A finding no window shows leads to the main window's row of its chunk: the chunk the read
// stopped in, or the last chunk read when the next chunk header was cut short.
TEST_F(ModelCheckWindow, AReadFindingLeadsToTheRowOfItsChunk) {
    CleanModel m;
    m.extra = "XXXX" + Bytes().i32(1000).i32(0).str();
    auto& w = open(m.str());
    ASSERT_EQ(w.findings.row_count(), 1u);
    const int last_row = static_cast<int>(s.form.record_list().row_count()) - 1;
    EXPECT_EQ(s.form.record_list().cell(last_row, 0), "XXXX");
    // The skip of its body fails at the body's first byte.
    EXPECT_EQ(w.findings.cell(0, 1), std::to_string(m.str().size() - 4));
    EXPECT_EQ(w.findings.tone(0), view::Tone::Error);
    w.findings.double_click(0);
    EXPECT_EQ(s.form.record_list().selected, last_row);

    m.extra = "XXXX";
    auto& cut = open(m.str());
    ASSERT_EQ(cut.findings.row_count(), 1u);
    EXPECT_EQ(cut.findings.cell(0, 2), "file");
    cut.findings.double_click(0);
    EXPECT_EQ(s.form.record_list().selected,
              static_cast<int>(s.form.record_list().row_count()) - 1);
}

TEST(ModelCheck, ChunkRowAtFindsTheChunkHoldingAByte) {
    const std::vector<records::ChunkFact> chunks{{"HDR2", 8, 10, 10, true, {}},
                                                 {"GPNT", 26, 4, 4, true, {}}};
    EXPECT_EQ(check::chunk_row_at(chunks, 0), std::nullopt);
    EXPECT_EQ(check::chunk_row_at(chunks, 8), 0u);
    EXPECT_EQ(check::chunk_row_at(chunks, 25), 0u);
    EXPECT_EQ(check::chunk_row_at(chunks, 26), 1u);
    EXPECT_EQ(check::chunk_row_at(chunks, 9000), 1u);
    EXPECT_EQ(check::chunk_row_at({}, 9000), std::nullopt);
}

// F5 reads the file again and opens the Model View and the Model Check again on it, each with
// the rows chosen in its drop-down lists, the window in front last.
TEST_F(ModelCheckWindow, ReloadReopensTheViewWindowsWithTheirChoices) {
    CleanModel m;
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 2);
    m.txtr = texture_body({"hull", "spare"});
    TempFile file(m.str());
    s.form.open_file(file.path());
    s.form.menu_command("IDM_MODEL_VIEW");
    auto* levels =
        static_cast<view::DropDown*>(view::lists_of(s.viewer("frmModelView")->layout())[0]);
    ASSERT_GT(levels->rows.size(), 1u);
    levels->choose(static_cast<int>(levels->rows.size()) - 1);
    const std::string level = levels->selected_text();
    s.form.menu_command("IDM_MODEL_CHECK");
    static_cast<check::frmModelCheck*>(s.viewer("frmModelCheck"))->filter.choose(2);

    // The file changed on disk: a second warning.
    m.eye = Bytes().i32(1).i32(0).vec(0, 0, 0).vec(0, 0, 3);
    file.write(m.str());
    s.form.reload();
    auto* check = static_cast<check::frmModelCheck*>(s.viewer("frmModelCheck"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->filter.selected_text(), "Warnings");
    EXPECT_EQ(check->findings.row_count(), 2u);
    ASSERT_NE(s.viewer("frmModelView"), nullptr);
    levels = static_cast<view::DropDown*>(view::lists_of(s.viewer("frmModelView")->layout())[0]);
    EXPECT_EQ(levels->selected_text(), level);
    EXPECT_EQ(s.windows.front(), "frmModelCheck");

    // A file without a header chunk offers neither window.
    file.write(PofBuilder(2117).chunk("ACEN", acen_body(0, 0, 0)).str());
    s.form.reload();
    EXPECT_EQ(s.viewer("frmModelCheck"), nullptr);
    EXPECT_EQ(s.viewer("frmModelView"), nullptr);
}

TEST_F(ModelCheckWindow, DoubleClickChoosesNestedRows) {
    CleanModel m;
    m.path = Bytes()
                 .i32(1)
                 .text("p0")
                 .text("")
                 .i32(2)
                 .vec(0, 0, 0)
                 .f32(1)
                 .i32(0)
                 .vec(0, 0, 0)
                 .f32(1)
                 .i32(2)
                 .i32(1)
                 .i32(8);
    auto& w = open(m.str());
    ASSERT_EQ(w.findings.row_count(), 1u);
    w.findings.double_click(0);
    EXPECT_EQ(s.windows.front(), "frmPATH");
    const auto lists = view::lists_of(s.viewer("frmPATH")->layout());
    EXPECT_EQ(static_cast<view::DropDown*>(lists[1])->selected, 1);
    EXPECT_EQ(static_cast<view::DropDown*>(lists[2])->selected, 1);
}

}  // namespace
