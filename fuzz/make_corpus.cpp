// Writes the fuzz seed corpus: one small file per chunk type and header version, the
// every-chunk model, the sample ship, and the damaged forms a reader must survive; with a
// second folder, the seeds of the archive target there: the sample archive and every header
// and directory fault. Run by hand when the seeds should follow a new chunk type or fault
// (make_corpus fuzz/corpus fuzz/corpus-vp); its output is kept in the repository.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "sample_archive.h"
#include "ship_model.h"
#include "subobject_model.h"
#include "vp_builder.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kVersion = 2117;

const std::vector<std::pair<std::string, std::int32_t>> kHostileCounts{
    {"0", 0}, {"minus1", -1}, {"min", kMin}, {"max", kMax}};

struct Seed {
    std::string name;
    std::string bytes;
};

std::vector<Seed> seeds;

void add(std::string name, std::string bytes) {
    seeds.push_back({std::move(name), std::move(bytes)});
}

// Entries that follow a count in the file: as many as it announces, up to three.
std::int32_t entries_for(std::int32_t count) {
    return count < 0 ? 0 : count > 3 ? 0 : count;
}

struct HeaderCounts {
    std::int32_t subobjects = 2, detail_levels = 1, debris = 1, cross_sections = 1, lights = 1;
};

// A version 2117 header whose counts may announce more than the file holds.
Bytes header_2117(const HeaderCounts& c) {
    Bytes b;
    b.f32(25.5f).i32(0).i32(c.subobjects).vec(-1, -2, -3).vec(1, 2, 3);
    b.i32(c.detail_levels);
    for (int i = 0; i < entries_for(c.detail_levels); ++i) b.i32(i);
    b.i32(c.debris);
    for (int i = 0; i < entries_for(c.debris); ++i) b.i32(i + 1);
    b.f32(100).vec(0, 0, 0);
    for (int k = 1; k <= 9; ++k) b.f32(static_cast<float>(k));
    b.i32(c.cross_sections);
    for (int i = 0; i < entries_for(c.cross_sections); ++i) b.f32(i).f32(i + 0.5f);
    b.i32(c.lights);
    for (int i = 0; i < entries_for(c.lights); ++i) b.vec(i, i, i).i32(i);
    return b;
}

// A subobject body in the version 2116+ order with a DEFPOINTS and an EOF block.
Bytes subobject_body(std::int32_t number) {
    namespace bsp = testing_pof::bsp;
    const Bytes data = Bytes().raw(bsp::defpoints({{{1, 2, 3}, {{0, 0, 1}}}})).raw(bsp::eof());
    return testing_pof::subobject_body(kVersion, {.number = number, .bsp = data});
}

// One bank of one point (position and normal): the shape of most point chunks.
Bytes point_body() {
    return Bytes().i32(1).i32(1).vec(1, 2, 3).vec(0, 0, 1);
}

void framing() {
    add("empty", "");
    add("magic-cut", "PSP");
    add("magic-only", "PSPO");
    add("version-cut", "PSPO\x01\x02");
    add("magic-version", PofBuilder(kVersion).str());
    add("magic-lower-case",
        PofBuilder(kVersion, "pspo").chunk("ACEN", testing_pof::acen_body(1, 2, 3)).str());
    add("chunk-header-cut", PofBuilder(kVersion).raw("TXTR\x10").str());
    add("chunk-header-id-only", PofBuilder(kVersion).raw("ACEN").str());
}

void headers() {
    for (const std::int32_t v : {1800, 1902, 1903, 2006, 2007, 2013, 2014, 2015, 2016, 2117}) {
        const char* id = v >= 2016 ? "HDR2" : "OHDR";
        add(std::string("header-") + id + "-" + std::to_string(v),
            PofBuilder(v).chunk(id, testing_pof::header_body(v)).str());
    }
    add("header-HDR2-2015", PofBuilder(2015).chunk("HDR2", testing_pof::header_body(2015)).str());
    add("header-twice", PofBuilder(kVersion)
                            .chunk("OHDR", header_2117({}))
                            .chunk("HDR2", header_2117({.subobjects = 5, .lights = 3}))
                            .str());
    add("header-100-lights", PofBuilder(kVersion)
                                 .chunk("HDR2",
                                        [] {
                                            Bytes b = header_2117({.lights = 0});
                                            std::string s = b.str();
                                            s.resize(s.size() - 4);  // the light count
                                            Bytes out = Bytes().raw(s).i32(100);
                                            for (int i = 0; i < 100; ++i)
                                                out.vec(i, -i, 0.5f * i).i32(i);
                                            return out;
                                        }())
                                 .str());
}

void hostile_header_counts() {
    for (const auto& [word, n] : kHostileCounts) {
        const auto file = [&](HeaderCounts c) {
            return PofBuilder(kVersion)
                .chunk("HDR2", header_2117(c))
                .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                .str();
        };
        add("count-detail-levels-" + word, file({.detail_levels = n}));
        add("count-debris-" + word, file({.debris = n}));
        add("count-cross-sections-" + word, file({.cross_sections = n}));
        add("count-lights-" + word, file({.lights = n}));
        add("count-subobjects-" + word, file({.subobjects = n}));
    }
    add("count-subobjects-2000000000", PofBuilder(kVersion)
                                           .chunk("HDR2", header_2117({.subobjects = 2000000000}))
                                           .chunk("OBJ2", subobject_body(1999999999))
                                           .str());
}

void textures() {
    for (const auto& [word, n] : kHostileCounts) {
        add("count-textures-" + word, PofBuilder(kVersion)
                                          .chunk("TXTR", Bytes().i32(n).text("hull"))
                                          .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                                          .str());
    }
    for (const auto& [word, n] : kHostileCounts) {
        add("texture-name-length-" + word, PofBuilder(kVersion)
                                               .chunk("TXTR", Bytes().i32(2).i32(n).text("wing"))
                                               .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                                               .str());
    }
    add("texture-name-with-nul-and-high-bytes",
        PofBuilder(kVersion)
            .chunk("TXTR", testing_pof::texture_body({std::string("a\0b\x80\x9f\xff", 6), ""}))
            .str());
    Bytes many = Bytes().i32(100);
    for (int i = 0; i < 100; ++i) many.text("tex" + std::to_string(i));
    add("textures-100", PofBuilder(kVersion).chunk("TXTR", many).str());
}

void chunk_types() {
    add("chunk-TXTR",
        PofBuilder(kVersion).chunk("TXTR", testing_pof::texture_body({"hull"})).str());
    add("chunk-PINF", PofBuilder(kVersion).chunk("PINF", Bytes().raw("made\r\nby\nhand")).str());
    add("chunk-ACEN",
        PofBuilder(kVersion).chunk("ACEN", testing_pof::acen_body(0, 1.5f, -2)).str());
    add("chunk-unknown", PofBuilder(kVersion).chunk("XXXX", Bytes().i32(1).i32(2)).str());
    add("chunk-SOBJ", PofBuilder(2015)
                          .chunk("OHDR", testing_pof::header_body(2015))
                          .chunk("SOBJ", subobject_body(0))
                          .chunk("SOBJ", subobject_body(1))
                          .str());
    add("chunk-OBJ2", PofBuilder(kVersion)
                          .chunk("HDR2", header_2117({}))
                          .chunk("OBJ2", subobject_body(0))
                          .chunk("OBJ2", subobject_body(1))
                          .str());
    for (const char* id :
         {"GPNT", "MPNT", "TGUN", "TMIS", "DOCK", "FUEL", "SHLD", "EYE ", "INSG", "PATH", "SPCL"}) {
        std::string name = std::string("chunk-") + id;
        if (name.back() == ' ') name.pop_back();
        add(name, PofBuilder(kVersion).chunk(id, point_body()).str());
    }
    add("every-chunk-model", testing_pof::every_chunk_model());
    add("every-chunk-model-1800", testing_pof::every_chunk_model(1800));
    add("every-chunk-model-2015", testing_pof::every_chunk_model(2015));
    add("every-chunk-model-2201", testing_pof::every_chunk_model(2201));
    add("every-chunk-model-2301", testing_pof::every_chunk_model(2301));
    add("sample-ship", testing_pof::ship_model());
}

using Counts = std::vector<std::int32_t>;

// One or two docks (properties, spline paths, points), each count as given.
Bytes dock_seed(const Counts& c) {
    Bytes b = Bytes().i32(c[0]);
    for (int d = 0; d < entries_for(c[0]); ++d) {
        b.i32(c[1]).raw(std::string(entries_for(c[1]), 'p')).i32(c[2]);
        for (int j = 0; j < entries_for(c[2]); ++j) b.i32(j);
        b.i32(c[3]);
        for (int p = 0; p < entries_for(c[3]); ++p) b.vec(p, 1, 2).vec(0, 0, 1);
    }
    return b;
}

// Paths (name, parent, vertices, turrets per vertex).
Bytes path_seed(const Counts& c) {
    Bytes b = Bytes().i32(c[0]);
    for (int p = 0; p < entries_for(c[0]); ++p) {
        b.i32(c[1]).raw(std::string(entries_for(c[1]), 'n'));
        b.i32(c[2]).raw(std::string(entries_for(c[2]), 'q')).i32(c[3]);
        for (int v = 0; v < entries_for(c[3]); ++v) {
            b.vec(v, 0, 0).f32(0.5f).i32(c[4]);
            for (int t = 0; t < entries_for(c[4]); ++t) b.i32(t);
        }
    }
    return b;
}

// Thrusters of version 2117 (glows, properties).
Bytes fuel_seed(const Counts& c) {
    Bytes b = Bytes().i32(c[0]);
    for (int t = 0; t < entries_for(c[0]); ++t) {
        b.i32(c[1]).i32(c[2]).raw(std::string(entries_for(c[2]), 'f'));
        for (int g = 0; g < entries_for(c[1]); ++g) b.vec(g, 0, 0).vec(0, 0, 1).f32(1);
    }
    return b;
}

// Insignias (faces, vertices).
Bytes insg_seed(const Counts& c) {
    Bytes b = Bytes().i32(c[0]);
    for (int i = 0; i < entries_for(c[0]); ++i) {
        b.i32(i).i32(c[1]).i32(c[2]);
        for (int k = 0; k < entries_for(c[2]); ++k) b.vec(k, 0, 0);
        b.vec(1, 2, 3);
        for (int f = 0; f < 3 * entries_for(c[1]); ++f) b.i32(f % 3).f32(0.5f).f32(1);
    }
    return b;
}

// Glow point banks (points, properties).
Bytes glow_seed(const Counts& c) {
    Bytes b = Bytes().i32(c[0]);
    for (int k = 0; k < entries_for(c[0]); ++k) {
        b.i32(100).i32(200).i32(300).i32(k).i32(0).i32(0).i32(c[1]);
        b.i32(c[2]).raw(std::string(entries_for(c[2]), 'g'));
        for (int p = 0; p < entries_for(c[1]); ++p) b.vec(p, k, 0).vec(0, 1, 0).f32(0.5f);
    }
    return b;
}

// Every count of a docking chunk in turn set to each hostile value, an ACEN chunk after it.
void hostile_docking_counts(const char* id, Bytes (*body)(const Counts&), const Counts& fine,
                            const std::vector<std::string>& names) {
    for (std::size_t k = 0; k < names.size(); ++k) {
        for (const auto& [word, n] : kHostileCounts) {
            Counts c = fine;
            c[k] = n;
            add("count-" + names[k] + "-" + word,
                PofBuilder(kVersion)
                    .chunk(id, body(c))
                    .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                    .str());
        }
    }
}

void docking() {
    add("docking-DOCK", PofBuilder(kVersion).chunk("DOCK", testing_pof::dock_body()).str());
    add("docking-PATH", PofBuilder(kVersion).chunk("PATH", testing_pof::path_body()).str());
    add("docking-INSG", PofBuilder(kVersion).chunk("INSG", testing_pof::insg_body()).str());
    for (const std::int32_t v : {2116, 2117}) {
        add("docking-FUEL-" + std::to_string(v),
            PofBuilder(v).chunk("FUEL", testing_pof::fuel_body(v)).str());
    }
    add("docking-FUEL-2117-layout-in-2116-file",
        PofBuilder(2116).chunk("FUEL", testing_pof::fuel_body(2117)).str());
    hostile_docking_counts("DOCK", dock_seed, {2, 3, 2, 2},
                           {"docks", "dock-property-length", "dock-spline-paths", "dock-points"});
    hostile_docking_counts(
        "PATH", path_seed, {2, 2, 1, 2, 2},
        {"paths", "path-name-length", "path-parent-length", "path-vertices", "path-turrets"});
    hostile_docking_counts("FUEL", fuel_seed, {2, 2, 3},
                           {"thrusters", "thruster-glows", "thruster-property-length"});
    hostile_docking_counts("INSG", insg_seed, {2, 2, 3},
                           {"insignias", "insignia-faces", "insignia-vertices"});
}

void chunk_sizes() {
    const auto between = [](std::int32_t size) {
        return PofBuilder(kVersion)
            .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
            .chunk("XXXX", size, Bytes())
            .chunk("TXTR", testing_pof::texture_body({"hull"}))
            .str();
    };
    add("chunk-size-0", between(0));
    add("chunk-size-minus1", between(-1));
    add("chunk-size-min", between(kMin));
    for (const char* id : {"PINF", "XXXX", "TXTR", "ACEN"}) {
        const Bytes body =
            std::string(id) == "TXTR" ? testing_pof::texture_body({"a"}) : Bytes().vec(1, 2, 3);
        add(std::string("chunk-size-past-end-") + id,
            PofBuilder(kVersion).chunk(id, 1000, body).str());
        add(std::string("chunk-size-max-") + id, PofBuilder(kVersion).chunk(id, kMax, body).str());
    }
}

void subobjects() {
    add("header-after-subobjects", PofBuilder(kVersion)
                                       .chunk("OBJ2", subobject_body(0))
                                       .chunk("OBJ2", subobject_body(1))
                                       .chunk("HDR2", header_2117({}))
                                       .str());
    for (const auto& [word, n] : std::vector<std::pair<std::string, std::int32_t>>{
             {"2", 2}, {"minus1", -1}, {"min", kMin}, {"max", kMax}}) {
        add("subobject-number-outside-" + word, PofBuilder(kVersion)
                                                    .chunk("HDR2", header_2117({}))
                                                    .chunk("OBJ2", subobject_body(n))
                                                    .str());
    }
}

// One subobject holding the BSP data, in a model whose header announces it.
std::string with_bsp(const Bytes& data, std::int32_t version = kVersion) {
    return PofBuilder(version)
        .chunk(version >= 2016 ? "HDR2" : "OHDR",
               testing_pof::header_body(version, {.subobjects = 1}))
        .chunk(version >= 2016 ? "OBJ2" : "SOBJ",
               testing_pof::subobject_body(version, {.name = "hull", .bsp = data}))
        .str();
}

// A block header and a body of zeros, whatever size it declares.
Bytes raw_block(std::int32_t type, std::int32_t size, std::size_t body) {
    return Bytes().i32(type).i32(size).raw(std::string(body, '\0'));
}

void bsp_blocks() {
    namespace bsp = testing_pof::bsp;
    add("subobject-order-2014", with_bsp(testing_pof::every_block_type(), 2014));
    add("subobject-order-2117", with_bsp(testing_pof::every_block_type(), 2117));
    add("bsp-DEFPOINTS",
        with_bsp(bsp::defpoints({{{1, 2, 3}, {{0, 0, 1}, {0, 1, 0}}}, {{4, 5, 6}, {}}})));
    add("bsp-FLATPOLY", with_bsp(bsp::flatpoly({{0, 1}, {1, 2}, {2, -1}})));
    add("bsp-TMAPPOLY", with_bsp(bsp::tmappoly({{0, 1, 0.5f, 1}, {1, 2, 0, 0}}, 3)));
    add("bsp-SORTNORM-runs", with_bsp(Bytes()
                                          .raw(bsp::sortnorm(80, 120))
                                          .raw(bsp::boundbox({0, 0, 0}, {1, 1, 1}))
                                          .raw(bsp::eof())
                                          .raw(bsp::flatpoly({{0, 0}}))
                                          .raw(bsp::eof())));
    add("bsp-UNKNOWN", with_bsp(Bytes().raw(bsp::block(9, 16)).raw(bsp::eof())));
    add("bsp-TMAP2POLY", with_bsp(bsp::tmap2poly({{0, 1, 0.5f, 1}, {70000, 2, 0, 0}}, 3)));
    add("bsp-SORTNORM2-tree",
        with_bsp(
            Bytes()
                .raw(bsp::defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}}))
                .raw(bsp::sortnorm2(40, 140))
                .raw(bsp::tmap2poly({{0, 0}, {1, 0}, {2, 0}}))
                .raw(bsp::tmap2poly({{2, 0}, {1, 0}, {0, 0}}))
                .raw(bsp::eof()),
            2301));
    add("bsp-SORTNORM2-cut", with_bsp(Bytes().i32(7).i32(40).i32(40).i32(-1).f32(1)));
    add("bsp-TMAP2POLY-max-entries",
        with_bsp(Bytes().raw(raw_block(6, 68, 40)).i32(-1).i32(0).i32(0)));
    add("bsp-DEFPOINTS-padded-2201",
        with_bsp(bsp::defpoints({{{1, 2, 3}, {}}, {{4, 5, 6}, {{0, 0, 1}}}, {{7, 8, 9}, {}}}, 0xAB),
                 2201));
    add("bsp-size-0", with_bsp(Bytes().raw(raw_block(3, 0, 40)).raw(bsp::eof())));
    add("bsp-size-minus8", with_bsp(Bytes().raw(bsp::boundbox({}, {})).raw(raw_block(2, -8, 40))));
    add("bsp-size-past-end", with_bsp(raw_block(4, 1000, 72)));
    add("bsp-eof-size-minus40",
        with_bsp(Bytes().raw(bsp::boundbox({}, {})).i32(0).i32(-40).i32(5)));
    add("bsp-header-cut", with_bsp(Bytes().raw(bsp::boundbox({}, {})).i32(5).u8(1)));
    add("bsp-DEFPOINTS-max-vertices", with_bsp(Bytes()
                                                   .i32(1)
                                                   .i32(48)
                                                   .i32(kMax)
                                                   .i32(1)
                                                   .i32(24)
                                                   .i32(0x01010101)
                                                   .vec(1, 2, 3)
                                                   .vec(0, 0, 1)));
    add("bsp-DEFPOINTS-data-offset-minus1",
        with_bsp(Bytes().i32(1).i32(36).i32(1).i32(0).i32(-1).i32(0).vec(1, 2, 3)));
    add("bsp-FLATPOLY-max-entries", with_bsp(Bytes().raw(raw_block(2, 48, 32)).i32(kMax).i32(0)));
    add("bsp-data-size-max",
        PofBuilder(kVersion)
            .chunk("HDR2", testing_pof::header_body(kVersion, {.subobjects = 1}))
            .chunk("OBJ2",
                   [] {
                       std::string b = testing_pof::subobject_body(kVersion).str();
                       b.resize(b.size() - 4);
                       return Bytes().raw(b).i32(kMax).raw("ab");
                   }())
            .str());
}

// Weapon, special point, eye and shield chunks, each followed by an ACEN chunk that the reader
// must still find where the chunk ends.
std::string then_acen(const std::string& id, const Bytes& body, std::int32_t version = kVersion) {
    return PofBuilder(version).chunk(id, body).chunk("ACEN", testing_pof::acen_body(1, 2, 3)).str();
}

std::string seed_name(std::string id) {
    if (id.back() == ' ') id.pop_back();
    return id;
}

// The first count of a body one higher: the chunk announces more than it holds and the
// parser reads on into the next chunk.
Bytes first_count_plus_one(const Bytes& body) {
    std::string bytes = body.str();
    ++bytes[0];
    return Bytes().raw(bytes);
}

void weapons() {
    const std::vector<std::pair<std::string, Bytes>> sound{
        {"GPNT", testing_pof::weapon_points_body({3, 1, 0, -1})},
        {"MPNT", testing_pof::weapon_points_body({1})},
        {"TGUN", testing_pof::turret_body({2, 0, -1})},
        {"TMIS", testing_pof::turret_body({1, 3})},
        {"SPCL", testing_pof::special_points_body({{"$gun", "$a=1\r\n$b"}, {"", ""}})},
        {"EYE ", testing_pof::eye_body(2)},
        {"SHLD", testing_pof::shield_body(4, 4)},
    };
    for (const auto& [id, body] : sound) {
        add("weapons-" + seed_name(id), then_acen(id, body));
        add("count-past-chunk-" + seed_name(id), then_acen(id, first_count_plus_one(body)));
    }
    // Points with angle offsets, and points without them in a version that wants them.
    const Bytes angled = testing_pof::weapon_points_body({2, 1}, false, true);
    add("weapons-GPNT-2201", then_acen("GPNT", angled, 2201));
    add("weapons-MPNT-2118", then_acen("MPNT", angled, 2118));
    add("weapons-GPNT-2200-angled", then_acen("GPNT", angled, 2200));
    add("weapons-GPNT-2301-unangled",
        then_acen("GPNT", testing_pof::weapon_points_body({2, 1}), 2301));
    const Bytes point = Bytes().vec(1, 2, 3).vec(0, 0, 1);
    const Bytes turret_head = Bytes().i32(1).i32(-1).vec(0, 0, 1);
    const Bytes face = Bytes().vec(0, 0, 1).i32(0).i32(1).i32(2).i32(-1).i32(-1).i32(-1);
    for (const auto& [word, n] : kHostileCounts) {
        const std::int32_t k = entries_for(n);
        Bytes points, firing_points, eyes, vertices, faces;
        for (int i = 0; i < k; ++i) {
            points.raw(point);
            firing_points.vec(i, 0, 0);
            eyes.i32(i).raw(point);
            vertices.vec(i, 0, 0);
            faces.raw(face);
        }
        add("count-GPNT-banks-" + word, then_acen("GPNT", Bytes().i32(n).i32(1).raw(point)));
        add("count-GPNT-points-" + word, then_acen("GPNT", Bytes().i32(1).i32(n).raw(points)));
        add("count-TGUN-banks-" + word,
            then_acen("TGUN", Bytes().i32(n).raw(turret_head).i32(1).vec(1, 2, 3)));
        add("count-TGUN-firing-points-" + word,
            then_acen("TGUN", Bytes().i32(1).raw(turret_head).i32(n).raw(firing_points)));
        add("count-SPCL-points-" + word,
            then_acen("SPCL", Bytes().i32(n).text("a").text("b").vec(1, 2, 3).f32(1)));
        add("spcl-name-length-" + word,
            then_acen("SPCL", Bytes().i32(1).i32(n).text("props").vec(1, 2, 3).f32(1)));
        add("spcl-properties-length-" + word,
            then_acen("SPCL", Bytes().i32(1).text("name").i32(n).vec(1, 2, 3).f32(1)));
        add("count-EYE-points-" + word, then_acen("EYE ", Bytes().i32(n).raw(eyes)));
        add("count-SHLD-vertices-" + word,
            then_acen("SHLD", Bytes().i32(n).raw(vertices).i32(1).raw(face)));
        add("count-SHLD-faces-" + word,
            then_acen("SHLD", Bytes().i32(1).vec(1, 2, 3).i32(n).raw(faces)));
    }
}

// What a campaign against the check's output, the scene and the OBJ export found: findings by
// the ten thousand, a polygon after a second DEFPOINTS block, offsets that sum to infinity
// along a chain, texture names that collide with flat colours and with each other.
void scene_and_check_regressions() {
    namespace bsp = testing_pof::bsp;
    std::string unknown = PofBuilder(kVersion).str();
    for (int i = 0; i < 20000; ++i) unknown += Bytes().raw("XXXX").i32(1).u8(0).str();
    add("regress-check-findings", unknown);
    add("regress-second-DEFPOINTS",
        with_bsp(
            Bytes()
                .raw(bsp::defpoints({{{0, 0, 0}, {}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}}))
                .raw(bsp::defpoints({{{10, 10, 10}, {}}, {{11, 10, 10}, {}}, {{10, 11, 10}, {}}}))
                .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))));
    const Bytes triangle =
        Bytes()
            .raw(bsp::defpoints({{{0, 0, 0}, {}}, {{1, 0, 0}, {}}, {{0, 1, 0}, {}}}))
            .raw(bsp::tmappoly({{0, 0}, {1, 0}, {2, 0}}, 0))
            .raw(bsp::eof());
    PofBuilder far(kVersion);
    far.chunk("HDR2", testing_pof::header_body(kVersion, {.subobjects = 3}));
    for (std::int32_t n = 0; n < 3; ++n) {
        testing_pof::SubobjectFields s{.number = n, .parent = n - 1, .bsp = triangle};
        s.offset[0] = 3e38f;
        far.chunk("OBJ2", testing_pof::subobject_body(kVersion, s));
    }
    add("regress-offsets-to-infinity", far.str());
    add("regress-texture-names-collide",
        PofBuilder(kVersion)
            .chunk("HDR2", testing_pof::header_body(kVersion, {.subobjects = 1}))
            .chunk("OBJ2", subobject_body(0))
            .chunk("TXTR", testing_pof::texture_body({"flat_010203", "x y", "x_y", "#comment"}))
            .str());
}

// Glow points: the every-chunk banks, a second chunk over them, counts that run past the chunk
// into the next, and each count set to each hostile value.
void glow() {
    const Bytes body = testing_pof::glow_body();
    add("docking-GLOW", PofBuilder(kVersion).chunk("GLOW", body).str());
    add("docking-GLOW-twice", PofBuilder(kVersion)
                                  .chunk("GLOW", body)
                                  .chunk("GLOW", glow_seed({1, 1, 0}))
                                  .chunk("GLOW", Bytes().i32(0))
                                  .str());
    add("count-past-chunk-GLOW", then_acen("GLOW", first_count_plus_one(body)));
    // Many points of one bank (each with a normal and a radius, each drawn from the shared
    // sphere), about 14 KiB, inside the fuzz targets' input size.
    Bytes many = Bytes().i32(1).i32(100).i32(200).i32(300).i32(0).i32(0).i32(0).i32(480);
    many.i32(3).raw("ggg");
    for (int p = 0; p < 480; ++p) many.vec(p % 20, p / 20, 0).vec(0, 1, 0).f32(0.5f);
    add("glow-many-points", PofBuilder(kVersion).chunk("GLOW", many).str());
    hostile_docking_counts("GLOW", glow_seed, {2, 2, 3},
                           {"glow-banks", "glow-points", "glow-property-length"});
}

// The worst small files of a hostile campaign: multi-line texts of many lines, lists of many
// rows, and the chunks that once let a second file show the first file's records.
void regressions() {
    const std::string line_feeds(16384, '\n');
    add("regress-PINF-line-feeds",
        PofBuilder(kVersion).chunk("PINF", Bytes().raw(line_feeds)).str());
    add("regress-subobject-properties-line-feeds",
        PofBuilder(kVersion)
            .chunk("HDR2", testing_pof::header_body(kVersion, {.subobjects = 1}))
            .chunk("OBJ2", testing_pof::subobject_body(kVersion, {.properties = line_feeds}))
            .str());
    Bytes tiny_blocks;
    for (int i = 0; i < 4096; ++i) tiny_blocks.i32(99).i32(8);
    add("regress-BSP-tiny-blocks", with_bsp(tiny_blocks));
    add("regress-FLATPOLY-entries",
        with_bsp(testing_pof::bsp::flatpoly(std::vector<testing_pof::bsp::PolygonEntry>(8192))));
    add("regress-TXTR-cut-in-count", PofBuilder(kVersion).chunk("TXTR", 44, Bytes().u8(5)).str());
    add("regress-OBJ2-without-header", PofBuilder(kVersion).chunk("OBJ2", subobject_body(0)).str());
    scene_and_check_regressions();
}

// The every-chunk model cut at every chunk boundary, inside every chunk header and inside every
// body.
void cuts() {
    const std::string model = testing_pof::every_chunk_model();
    std::size_t at = 8;
    while (at + 8 <= model.size()) {
        const auto* p = reinterpret_cast<const unsigned char*>(model.data() + at + 4);
        const std::size_t size = p[0] | p[1] << 8 | p[2] << 16 | std::size_t{p[3]} << 24;
        const std::string id = seed_name(model.substr(at, 4));
        add("cut-" + std::to_string(at) + "-before-" + id, model.substr(0, at));
        add("cut-" + std::to_string(at + 3) + "-in-header-" + id, model.substr(0, at + 3));
        add("cut-" + std::to_string(at + 8 + size / 2) + "-in-body-" + id,
            model.substr(0, at + 8 + size / 2));
        at += 8 + size;
    }
}

std::vector<Seed> archive_seeds;

void add_archive(std::string name, std::string bytes) {
    archive_seeds.push_back({std::move(name), std::move(bytes)});
}

using testing_pof::VpBuilder;

// Header faults, each alone.
void archive_headers() {
    const std::string one = VpBuilder().file("a.pof", "PSPO").str();
    add_archive("header-magic-only", "VPVP");
    add_archive("header-cut", one.substr(0, 12));
    add_archive("empty-archive", VpBuilder().str());
    add_archive("version-3", VpBuilder().file("a.pof", "PSPO").version(3).str());
    for (const auto& [name, count] : kHostileCounts) {
        add_archive("count-" + name, VpBuilder().file("a.pof", "PSPO").entry_count(count).str());
        add_archive("directory-offset-" + name,
                    VpBuilder().file("a.pof", "PSPO").directory_offset(count).str());
    }
}

// Directory faults that leave the rest listed, and the models they hold.
void archive_directories() {
    const std::string model = testing_pof::every_chunk_model();
    add_archive("sample-archive", testing_pof::sample_archive());
    add_archive("up-at-the-top", VpBuilder().up().up().file("a.pof", model).str());
    add_archive("folders-left-open",
                VpBuilder().folder("data").folder("models").file("a.pof", model).str());
    for (const auto& [name, value] : kHostileCounts) {
        add_archive("body-size-" + name, VpBuilder().entry(16, value, "a.pof", value).str());
        add_archive("body-offset-" + name, VpBuilder().entry(value, 4, "a.pof", 0).str());
    }
    add_archive("name-without-nul", VpBuilder().file(std::string(32, 'n'), model).str());
    add_archive("name-not-utf8", VpBuilder().file("\xE9\xFF\n\x85.pof", model).str());
    // Escaped once in every window and message: a backslash and U+2028 in a member's name.
    add_archive("name-backslash-u2028",
                VpBuilder().file("a\\b\xE2\x80\xA8.pof", model).file("c\\d.txt", "x").str());
    add_archive("duplicate-paths",
                VpBuilder().file("a.pof", model).file("A.POF", model.substr(0, 100)).str());
    add_archive("model-cut", VpBuilder().file("a.pof", model.substr(0, model.size() / 2)).str());
    VpBuilder deep;
    for (int i = 0; i < 64; ++i) deep.folder(std::string(31, 'f'));
    add_archive("folders-deep", deep.file("a.pof", model).str());
}

bool write_all(const std::filesystem::path& dir, const std::vector<Seed>& all) {
    std::filesystem::create_directories(dir);
    for (const auto& s : all) {
        std::FILE* f = std::fopen((dir / s.name).c_str(), "wb");
        const bool written =
            f && std::fwrite(s.bytes.data(), 1, s.bytes.size(), f) == s.bytes.size();
        if (f) std::fclose(f);
        if (!written) {
            std::fprintf(stderr, "%s: cannot write\n", (dir / s.name).c_str());
            return false;
        }
    }
    std::printf("%zu seeds written to %s\n", all.size(), dir.c_str());
    return true;
}

}  // namespace

// Shield collision trees in both layouts: a split over two leaves beside the shield, both trees
// at 2117 and 2201, and the damaged and hostile forms (a cut leaf, a size of 0, offsets and face
// numbers past everything, a tree size and a leaf count of the largest values).
void shield_trees() {
    using testing_pof::shield_tree_body;
    for (const auto& [id, width] : {std::pair<std::string, int>{"SLDC", 1}, {"SLC2", 4}}) {
        const Bytes tree = testing_pof::closed_shield_tree(width);
        add("weapons-" + id, PofBuilder(kVersion)
                                 .chunk("SHLD", testing_pof::closed_shield_body())
                                 .chunk(id, tree)
                                 .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                                 .str());
        add("cut-" + id, then_acen(id, Bytes().raw(tree.str().substr(0, tree.str().size() - 3))));
        add("zero-size-" + id, then_acen(id, shield_tree_body(width, {{.faces = {0}, .size = 0}})));
        add("far-" + id,
            then_acen(id, shield_tree_body(
                              width, {{.split = true, .front = 0xFFFFFFF0u, .back = 0x7FFFFFFFu},
                                      {.faces = {0xFFFFFFFFu, 4}}})));
        add("hostile-tree-size-" + id,
            then_acen(id, shield_tree_body(width, {{.faces = {1}}},
                                           std::numeric_limits<std::int32_t>::max())));
        add("hostile-leaf-count-" + id,
            then_acen(id, shield_tree_body(width, {{.faces = {1}, .count = 0xFFFFFFFFu}})));
    }
    add("shield-trees-2201", PofBuilder(2201)
                                 .chunk("SHLD", testing_pof::closed_shield_body())
                                 .chunk("SLDC", testing_pof::closed_shield_tree(1))
                                 .chunk("SLC2", testing_pof::closed_shield_tree(4))
                                 .str());
}

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ARCHIVE_CORPUS_DIR]\n", argv[0]);
        return 2;
    }
    framing();
    headers();
    hostile_header_counts();
    textures();
    chunk_types();
    docking();
    chunk_sizes();
    subobjects();
    bsp_blocks();
    weapons();
    glow();
    shield_trees();
    cuts();
    regressions();
    if (!write_all(argv[1], seeds)) return 1;
    if (argc == 3) {
        archive_headers();
        archive_directories();
        if (!write_all(argv[2], archive_seeds)) return 1;
    }
    return 0;
}
