// Hostile counts in small files: the read refuses a count the bytes left cannot hold before
// anything is sized by it, so reading and clicking through such a file holds only a little
// memory, and gives all of it back. Measured by counting operator new, not by timing.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "click_through.h"
#include "counting_allocator.h"
#include "pof/read_pof.h"
#include "pof_builder.h"
#include "scene/frmModelView.h"
#include "session.h"

namespace {

using pof::ReadOutcome;
using testing_pof::Bytes;
using testing_pof::PofBuilder;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kBudget = std::size_t{16} << 20;

struct Counts {
    std::int32_t subobjects = 0, detail_levels = 0, debris = 0, cross_sections = 0, lights = 0;
};

// A version 2117 header with the given counts and no entries after any of them.
Bytes header(const Counts& c) {
    Bytes b;
    b.f32(10).i32(0).i32(c.subobjects).vec(-1, -1, -1).vec(1, 1, 1);
    b.i32(c.detail_levels).i32(c.debris);
    b.f32(5).vec(0, 0, 0);
    for (int k = 0; k < 9; ++k) b.f32(0);
    b.i32(c.cross_sections).i32(c.lights);
    return b;
}

// A subobject chunk body in the version 2116+ order, without name, properties or BSP data.
Bytes subobject(std::int32_t number) {
    Bytes b;
    b.i32(number).f32(1).i32(-1).vec(0, 0, 0).vec(0, 0, 0).vec(-1, -1, -1).vec(1, 1, 1);
    return b.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
}

// A subobject whose BSP data is one DEFPOINTS block announcing 2147483647 vertices.
Bytes defpoints_of_max_vertices() {
    Bytes bsp = Bytes().i32(1).i32(64).i32(kMax).i32(kMax).i32(24).i32(0);
    for (int i = 0; i < 10; ++i) bsp.f32(1);
    Bytes b = subobject(0);
    std::string without_size = b.str();
    without_size.resize(without_size.size() - 4);  // the empty BSP data's size
    return Bytes().raw(without_size).i32(bsp.size32()).raw(bsp);
}

// 100,000 banks, the first of them with 100,000 entries of entry_bytes each, the others with
// none: a rectangular table would hold 10^10 slots.
template <class Entry>
Bytes wide_banks(Bytes (*bank_head)(std::int32_t entries), Entry entry) {
    constexpr std::int32_t kBanks = 100000, kEntries = 100000;
    Bytes b = Bytes().i32(kBanks).raw(bank_head(kEntries));
    for (int i = 0; i < kEntries; ++i) entry(b);
    for (int i = 1; i < kBanks; ++i) b.raw(bank_head(0));
    return b;
}

Bytes gun_bank(std::int32_t points) {
    return Bytes().i32(points);
}

Bytes turret_bank(std::int32_t firing_points) {
    return Bytes().i32(1).i32(-1).vec(0, 0, 1).i32(firing_points);
}

// Blink timing, parent, detail level and type, the point count, an empty properties text.
Bytes glow_bank(std::int32_t points) {
    return Bytes().i32(0).i32(0).i32(0).i32(-1).i32(0).i32(0).i32(points).i32(0);
}

struct HostileFile {
    std::string what;
    std::string bytes;
    ReadOutcome outcome;
    std::string damaged_chunk;  // named in the message when the read is damaged
    std::size_t budget = kBudget;
};

// Many small items beside one huge one cost what their bytes cost (about four bytes held per
// byte of file), never items x widest.
std::vector<HostileFile> wide_docking_files() {
    constexpr int kItems = 100000;
    Bytes docks = Bytes().i32(kItems).text("").i32(0).i32(kItems);
    for (int p = 0; p < kItems; ++p) docks.vec(p, 0, 0).vec(0, 0, 1);
    for (int d = 1; d < kItems; ++d) docks.text("").i32(0).i32(1).vec(0, 0, 0).vec(0, 0, 1);
    Bytes insignias = Bytes().i32(kItems).i32(0).i32(kItems).i32(kItems);
    for (int k = 0; k < kItems; ++k) insignias.vec(k, 0, 0);
    insignias.vec(0, 0, 0);
    for (int c = 0; c < 3 * kItems; ++c) insignias.i32(c % kItems).f32(0).f32(1);
    for (int i = 1; i < kItems; ++i) {
        insignias.i32(0).i32(1).i32(1).vec(1, 1, 1).vec(0, 0, 0);
        for (int c = 0; c < 3; ++c) insignias.i32(0).f32(0).f32(0);
    }
    std::vector<HostileFile> files{
        {"100000 docks one with 100000 points", PofBuilder(2117).chunk("DOCK", docks).str(),
         ReadOutcome::Clean, ""},
        {"100000 insignias one with 100000 vertices and faces",
         PofBuilder(2117).chunk("INSG", insignias).str(), ReadOutcome::Clean, ""},
        {"100000 glow banks one with 100000 points",
         PofBuilder(2117)
             .chunk("GLOW",
                    wide_banks(glow_bank, [](Bytes& b) { b.vec(1, 2, 3).vec(0, 0, 1).f32(1); }))
             .str(),
         ReadOutcome::Clean, ""}};
    for (auto& f : files) f.budget = kBudget + 4 * f.bytes.size();
    return files;
}

std::vector<HostileFile> hostile_files() {
    const auto with_header = [](const Counts& c) {
        return PofBuilder(2117).chunk("HDR2", header(c)).str();
    };
    const auto damaged = ReadOutcome::Damaged;
    return {
        {"2147483647 detail levels", with_header({.detail_levels = kMax}), damaged, "HDR2"},
        {"2147483647 debris pieces", with_header({.debris = kMax}), damaged, "HDR2"},
        {"2147483647 cross sections", with_header({.cross_sections = kMax}), damaged, "HDR2"},
        {"2147483647 lights", with_header({.lights = kMax}), damaged, "HDR2"},
        {"2147483647 textures", PofBuilder(2117).chunk("TXTR", Bytes().i32(kMax).text("a")).str(),
         damaged, "TXTR"},
        {"a texture name of 2147483647 bytes",
         PofBuilder(2117).chunk("TXTR", Bytes().i32(1).i32(kMax).raw("abc")).str(), damaged,
         "TXTR"},
        {"a PINF chunk of 2147483647 bytes",
         PofBuilder(2117).chunk("PINF", kMax, Bytes().raw("abc")).str(), damaged, "PINF"},
        {"an unknown chunk of 2147483647 bytes",
         PofBuilder(2117).chunk("XXXX", kMax, Bytes().raw("abc")).str(), damaged, "XXXX"},
        {"2147483647 docks", PofBuilder(2117).chunk("DOCK", Bytes().i32(kMax).i32(0)).str(),
         damaged, "DOCK"},
        {"a dock of 2147483647 points",
         PofBuilder(2117).chunk("DOCK", Bytes().i32(1).i32(0).i32(0).i32(kMax)).str(), damaged,
         "DOCK"},
        {"a path vertex of 2147483647 turrets",
         PofBuilder(2117)
             .chunk("PATH", Bytes().i32(1).text("").text("").i32(1).vec(0, 0, 0).f32(1).i32(kMax))
             .str(),
         damaged, "PATH"},
        {"a thruster of 2147483647 glows",
         PofBuilder(2117).chunk("FUEL", Bytes().i32(1).i32(kMax).i32(0)).str(), damaged, "FUEL"},
        {"an insignia of 2147483647 faces",
         PofBuilder(2117).chunk("INSG", Bytes().i32(1).i32(0).i32(kMax).i32(0).vec(0, 0, 0)).str(),
         damaged, "INSG"},
        {"a glow properties text of 2147483647 bytes",
         PofBuilder(2117)
             .chunk("GLOW", Bytes().i32(1).raw(glow_bank(0).str().substr(0, 28)).i32(kMax))
             .str(),
         damaged, "GLOW"},
        {"100000 gun banks, one of 100000 points",
         PofBuilder(2117)
             .chunk("GPNT", wide_banks(gun_bank, [](Bytes& b) { b.vec(1, 2, 3).vec(0, 0, 1); }))
             .str(),
         ReadOutcome::Clean, ""},
        {"100000 turrets, one of 100000 firing points",
         PofBuilder(2117)
             .chunk("TGUN", wide_banks(turret_bank, [](Bytes& b) { b.vec(1, 2, 3); }))
             .str(),
         ReadOutcome::Clean, ""},
        {"2147483647 shield faces", PofBuilder(2117).chunk("SHLD", Bytes().i32(0).i32(kMax)).str(),
         damaged, "SHLD"},
        {"a special point name of 2147483647 bytes",
         PofBuilder(2117).chunk("SPCL", Bytes().i32(1).i32(kMax).raw(std::string(40, 'a'))).str(),
         damaged, "SPCL"},
        // The subobject viewer lists the first 100000 slots and the one filled past them.
        {"2000000000 subobjects, two of them filled",
         PofBuilder(2117)
             .chunk("HDR2", header({.subobjects = 2000000000}))
             .chunk("OBJ2", subobject(1999999999))
             .chunk("OBJ2", subobject(0))
             .str(),
         ReadOutcome::Clean, ""},
        {"a BSP data size of 2000000000",
         PofBuilder(2117)
             .chunk("HDR2", header({.subobjects = 1}))
             .chunk("OBJ2",
                    [] {
                        std::string b = subobject(0).str();
                        b.resize(b.size() - 4);
                        return Bytes().raw(b).i32(2000000000).raw("abc");
                    }())
             .str(),
         damaged, "OBJ2"},
        {"a DEFPOINTS block of 2147483647 vertices",
         PofBuilder(2117)
             .chunk("HDR2", header({.subobjects = 1}))
             .chunk("OBJ2", defpoints_of_max_vertices())
             .str(),
         ReadOutcome::Clean, ""},
    };
}

// Test names show what the file holds, not its bytes.
void PrintTo(const HostileFile& file, std::ostream* out) {
    *out << file.what;
}

class BoundedMemory : public ::testing::TestWithParam<HostileFile> {};

TEST_P(BoundedMemory, ReadingAndClickingThroughHoldsLittleAndLeavesNothing) {
    const HostileFile& file = GetParam();
    ReadOutcome outcome{};
    std::size_t message_count = 0;
    bool message_names_chunk = false;
    const std::size_t before = robustness::bytes_held();
    robustness::reset_peak();
    {
        testing_pof::Session s;
        outcome = s.read(file.bytes);
        fuzzing::click_through(s.form, s.windows);
        s.form.close_all();
        message_count = s.desktop.messages.size();
        message_names_chunk = message_count == 1 && !file.damaged_chunk.empty() &&
                              s.desktop.messages[0].find(file.damaged_chunk) != std::string::npos;
    }
    const std::size_t peak = robustness::peak_bytes_held() - before;
    const std::size_t after = robustness::bytes_held();

    EXPECT_LT(peak, file.budget) << file.what;
    EXPECT_EQ(after, before) << file.what << ": bytes still held after the session ended";
    EXPECT_EQ(outcome, file.outcome);
    EXPECT_EQ(message_count, file.outcome == ReadOutcome::Clean ? 0u : 1u);
    if (file.outcome == ReadOutcome::Damaged) {
        EXPECT_TRUE(message_names_chunk) << file.damaged_chunk;
    }
}

std::string test_name(const ::testing::TestParamInfo<HostileFile>& info) {
    std::string name;
    for (const char c : info.param.what) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(HostileCounts, BoundedMemory, ::testing::ValuesIn(hostile_files()),
                         test_name);
INSTANTIATE_TEST_SUITE_P(WideDockingTables, BoundedMemory,
                         ::testing::ValuesIn(wide_docking_files()), test_name);

// The Model View of a GLOW bank of n points, each with a normal and a radius: the bytes its
// scene and picture hold at their peak, the store left out.
std::size_t model_view_bytes(std::int32_t n) {
    pof::ModelStore store;
    store.glow.bank_count = 1;
    store.glow.banks.resize(1);
    store.glow.banks[0].point_count = n;
    store.glow.points.reset(1);
    auto& points = store.glow.points.fill(0, n);
    for (std::int32_t i = 0; i < n; ++i)
        points[i] = {{static_cast<float>(i % 97), static_cast<float>(i % 89), 1}, {0, 0, 1}, 0.5f};
    const std::size_t before = robustness::bytes_held();
    robustness::reset_peak();
    {
        scene::frmModelView view(store);
        view.opened();
    }
    return robustness::peak_bytes_held() - before;
}

// A glow point's wire sphere and normal are shapes every marker shares, so each point costs the
// same few bytes however many there are (it once cost 2.6 KB of stored line ends).
TEST(MarkerMemory, EachGlowPointCostsTheSameFewBytes) {
    const std::size_t small = model_view_bytes(2000), large = model_view_bytes(20000);
    const double per_point = static_cast<double>(large - small) / 18000;
    EXPECT_LT(per_point, 160) << small << " bytes for 2,000 points, " << large << " for 20,000";
    const std::size_t larger = model_view_bytes(200000);
    EXPECT_LT(static_cast<double>(larger - large) / 180000, 160);
}

}  // namespace
