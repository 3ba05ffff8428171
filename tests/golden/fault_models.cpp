#include "fault_models.h"

#include <limits>

#include "clean_model.h"

namespace golden {

namespace {

using testing_pof::Bytes;
using testing_pof::CleanModel;
namespace bsp = testing_pof::bsp;

// The windows and the check of a faulty model: its record list, its findings, and what the
// Model View draws and leaves out.
const std::vector<std::string> kFaultRuns = {"", "--check", "--view MODEL"};

Bytes patched(const Bytes& body, std::size_t at, std::int32_t value) {
    std::string bytes = body.str();
    bytes.replace(at, 4, Bytes().i32(value).str());
    return Bytes().raw(bytes);
}

Bytes chunk(std::string_view id, const Bytes& body) {
    return Bytes().raw(id).i32(body.size32()).raw(body);
}

// Three subobject slots (slot 2 never filled), detail level 3 and debris piece 0 naming no slot.
Bytes faulty_header() {
    return testing_pof::header_body(
        CleanModel::kVersion, {.subobjects = 3, .detail_levels = 4, .debris = 1, .lights = 1});
}

// Bank 0 hangs under subobject 9; bank 1 has no firing points.
Bytes faulty_turrets() {
    return Bytes()
        .i32(2)
        .i32(9)
        .i32(1)
        .vec(0, 0, 1)
        .i32(1)
        .vec(0, 0, 0)
        .i32(1)
        .i32(1)
        .vec(0, 0, 1)
        .i32(0);
}

// Face 0 has corner 3 of 3 vertices, names face 2 of 2, and names face 1, which does not name
// it back.
Bytes faulty_shield() {
    return Bytes()
        .i32(3)
        .vec(0, 0, 0)
        .vec(1, 0, 0)
        .vec(0, 1, 0)
        .i32(2)
        .vec(0, 0, 1)
        .i32(0)
        .i32(1)
        .i32(3)
        .i32(1)
        .i32(2)
        .i32(0)
        .vec(0, 0, -1)
        .i32(2)
        .i32(1)
        .i32(0)
        .i32(1)
        .i32(1)
        .i32(1);
}

// Detail level 7 of the header's 4 (the second field), and the first corner of face 0 (at
// byte 76) naming vertex 9 of 4.
Bytes faulty_insignia() {
    return patched(patched(testing_pof::insg_body(), 4, 7), 76, 9);
}

// Glow banks under subobject 9 of 2, at detail level 99, and with a point of radius 0.
Bytes faulty_glow() {
    const auto bank = [](std::int32_t parent, std::int32_t lod, float radius) {
        const Bytes timing = Bytes().i32(100).i32(200).i32(300);
        const Bytes where = Bytes().i32(parent).i32(lod).i32(0).i32(1).text("$glow_texture=x");
        return Bytes().raw(timing).raw(where).vec(0, 0, 0).vec(0, 0, 1).f32(radius);
    };
    return Bytes().i32(3).raw(bank(9, 0, 1)).raw(bank(0, 99, 1)).raw(bank(-1, 0, 0));
}

// After the ACEN chunk: the glow banks, an unknown chunk, a second PINF, subobject 1 once more
// and a subobject 5 outside the header's table.
std::string trailing_chunks(const CleanModel& m) {
    const Bytes unstored = CleanModel::subobject(5, 0, CleanModel::triangle_bsp(), "extra");
    return Bytes()
        .raw(chunk("GLOW", faulty_glow()))
        .raw(chunk("XXXX", Bytes().i32(4).i32(0)))
        .raw(chunk("PINF", Bytes().raw("first")))
        .raw(chunk("PINF", Bytes().raw("second")))
        .raw(chunk("OBJ2", m.turret))
        .raw(chunk("OBJ2", unstored))
        .str();
}

// The polygons of the hull: one before any DEFPOINTS block, then a vertex above the
// subobject's box (z 3.01 of 3), a BOUNDBOX whose min exceeds its max, and a second DEFPOINTS
// of 2 vertices and 1 normal whose two polygons index past it at 3 vertex and 2 normal corners.
Bytes faulty_hull_blocks() {
    return Bytes()
        .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))
        .raw(bsp::defpoints(
            {{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {{0, 0, 1}}}, {{0, 0, 3.01f}, {{0, 0, 1}}}}))
        .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))
        .raw(bsp::boundbox({1, 0, 0}, {-1, 0, 0}))
        .raw(bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}}))
        .raw(bsp::tmappoly({{0, 0}, {2, 0}, {3, 1}}, 0))
        .raw(bsp::flatpoly({{4, 1}, {1, 0}, {0, 0}}))
        .raw(bsp::eof());
}

// The turret's blocks: a SORTNORM back offset into its own block, a TMAPPOLY with texture 3
// of 1, vertex 5 of 2 and normal 1 of 1, a FLATPOLY of two entries, and a TMAPPOLY cut before
// its texture number.
Bytes faulty_turret_blocks() {
    return Bytes()
        .raw(bsp::sortnorm(80, 12))
        .raw(bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}}))
        .raw(bsp::tmappoly({{0, 0}, {5, 0}, {1, 1}}, 3))
        .raw(bsp::flatpoly({{0, 0}, {1, 0}}))
        .raw(bsp::block(3, 40))
        .raw(bsp::eof());
}

}  // namespace

Model chunk_faults() {
    CleanModel m;
    m.header = faulty_header();
    m.turret = CleanModel::subobject(1, 7, CleanModel::triangle_bsp(), "turret01");
    m.txtr = testing_pof::texture_body({"hull", "spare"});
    m.gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 1.02f);
    m.tgun = faulty_turrets();
    m.eye = testing_pof::eye_body(4);
    m.spcl = Bytes().i32(-1);
    m.shld = faulty_shield();
    m.dock = testing_pof::dock_points({{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}}, 1);
    m.path = Bytes().i32(1).text("p0").text("hul").i32(1).vec(0, 0, 0).f32(1).i32(1).i32(-1);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    m.fuel = Bytes().i32(1).i32(1).text("").vec(0, 0, 0).vec(0, 0, 1).f32(nan);
    m.insg = faulty_insignia();
    m.acen_declared = 20;
    m.extra = trailing_chunks(m);
    // A subobject chunk before the header.
    std::string bytes = m.str();
    bytes.insert(8, chunk("OBJ2", m.hull).str());
    return {"chunk-faults", bytes, kFaultRuns};
}

Model block_faults() {
    CleanModel m;
    m.hull = CleanModel::subobject(0, -1, faulty_hull_blocks(), "hull");
    m.turret = CleanModel::subobject(1, 0, faulty_turret_blocks(), "turret01");
    return {"block-faults", m.str(), kFaultRuns};
}

// The clean model past every limit of the game, and with every repair it makes: a chunk before
// the header, 9 detail levels, 33 debris pieces and a radius of 0 in the header; a turret
// subobject with a reserved field of 1, a name of 32 bytes and a radius of 0.00001; a turret of
// 11 firing points whose gun is the hull; 11 eye points; 7 insignias; docks of 3 points, of 1,
// of two points at one position (one of them with a zero normal) and of a line along a normal;
// paths named twice and bay paths after a gap and past 31; a glow bank without a texture; and
// a subobject after the TGUN and PATH chunks, its properties 256 bytes long. Its version, 3100,
// is one the game refuses; it is read by the rules of 2117, as its chunks are laid out.
Model game_faults() {
    CleanModel m;
    m.version = 3100;
    m.first = chunk("PINF", Bytes().raw("made first")).str();
    m.header = testing_pof::header_body(CleanModel::kVersion, {.subobjects = 3,
                                                               .radius = 0,
                                                               .detail_levels = 9,
                                                               .debris = 33,
                                                               .cross_sections = 1,
                                                               .first_debris = 1,
                                                               .debris_step = 0,
                                                               .detail_level_step = 0});
    m.turret = testing_pof::subobject_body(CleanModel::kVersion,
                                           {.number = 1,
                                            .parent = 0,
                                            .radius = 0.00001f,
                                            .name = "turret01-with-a-name-of-32-bytes",
                                            .bsp = CleanModel::triangle_bsp(),
                                            .reserved = 1});
    m.tgun = testing_pof::turret(1, 0, 11);
    m.eye = testing_pof::eye_points(11);
    m.insg = testing_pof::insignias(7);
    m.dock = testing_pof::docks(
        {{{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}, {{2, 0, 0}, {0, 0, 1}}},
         {{{0, 0, 0}, {0, 0, 1}}},
         {{{0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 0, 1}}},
         {{{0, 0, 0}, {0, 1, 0}}, {{0, 2, 0.1f}, {0, 1, 0}}}});
    m.path = testing_pof::named_paths({"$bay01", "$bay03", "$BAY01", "$bay32"});
    const Bytes glow = Bytes()
                           .i32(1)
                           .i32(0)
                           .i32(0)
                           .i32(0)
                           .i32(-1)
                           .i32(0)
                           .i32(0)
                           .i32(1)
                           .text("$glow=x")
                           .vec(0, 0, 0)
                           .vec(0, 0, 1)
                           .f32(1);
    const Bytes aft =
        testing_pof::subobject_body(CleanModel::kVersion, {.number = 2,
                                                           .parent = 0,
                                                           .name = "aft",
                                                           .properties = std::string(256, 'p'),
                                                           .bsp = CleanModel::triangle_bsp()});
    m.extra = chunk("GLOW", glow).str() + chunk("OBJ2", aft).str();
    return {"game-faults", m.str(), {"--check"}};
}

// Over the clean shield (faces 0 and 1 on vertices 0, 1, 2): a split whose front child is the
// second leaf, not the node after it, and whose back offset lands inside a node; a leaf naming
// face 5 of 2; a leaf whose box leaves out vertex 1 (1, 0, 0) of face 0. No leaf names face 1.
Model shield_tree_faults() {
    CleanModel m;
    const Bytes sldc = testing_pof::shield_tree_body(1, {{.split = true, .front = 74, .back = 40},
                                                         {.faces = {5}},
                                                         {.max = {0.5f, 1, 1}, .faces = {0}}});
    const Bytes slc2 = testing_pof::shield_tree_body(4, {{.faces = {0, 1}}});
    m.extra = chunk("SLDC", sldc).str() + chunk("SLC2", slc2).str();
    return {"shield-tree-faults", m.str(), kFaultRuns};
}

}  // namespace golden
