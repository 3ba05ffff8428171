// pofdump's command line: what it accepts and what it refuses as bad usage.

#include <gtest/gtest.h>

#include "options.h"

namespace {

using pofdump::Options;
using pofdump::parse_options;

TEST(Options, StepsKeepTheirCommandLineOrder) {
    const auto p = parse_options({"--view=HDR2", "--choose", "2:1", "model.pof", "--open=1:0",
                                  "--json", "--window", "frmPOF", "--view", "TXTR"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.action, Options::Action::Dump);
    EXPECT_EQ(p.options.file, "model.pof");
    EXPECT_TRUE(p.options.json);
    using Kind = pofdump::Step::Kind;
    const auto& steps = p.options.steps;
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].kind, Kind::View);
    EXPECT_EQ(steps[0].view.chunk_id, "HDR2");
    EXPECT_EQ(steps[0].view.entry, pof::RecordEntry::OHDR);
    EXPECT_EQ(steps[1].kind, Kind::Choose);
    EXPECT_EQ(steps[1].choice.list, 2);
    EXPECT_EQ(steps[1].choice.row, 1);
    EXPECT_EQ(steps[2].kind, Kind::Open);
    EXPECT_EQ(steps[2].choice.list, 1);
    EXPECT_EQ(steps[3].kind, Kind::Window);
    EXPECT_EQ(steps[3].window, "frmPOF");
    EXPECT_EQ(steps[4].view.entry, pof::RecordEntry::TXTR);
}

TEST(Options, DoubleDashEndsTheOptions) {
    const auto p = parse_options({"--", "--json"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.file, "--json");
    EXPECT_FALSE(p.options.json);
}

TEST(Options, HelpAndVersionNeedNoFile) {
    EXPECT_EQ(parse_options({"--help"}).options.action, Options::Action::Help);
    EXPECT_EQ(parse_options({"-h", "--bogus"}).options.action, Options::Action::Help);
    EXPECT_EQ(parse_options({"--version"}).options.action, Options::Action::Version);
    EXPECT_EQ(parse_options({"--version"}).error, "");
}

TEST(Options, BadUsageSaysWhy) {
    EXPECT_EQ(parse_options({}).error, "no FILE given");
    EXPECT_EQ(parse_options({"a.pof", "b.pof"}).error, "only one FILE may be given");
    EXPECT_EQ(parse_options({"--verbose", "a.pof"}).error, "unknown option --verbose");
    EXPECT_EQ(parse_options({"--viewer=TXTR", "a.pof"}).error, "unknown option --viewer=TXTR");
    EXPECT_EQ(parse_options({"a.pof", "--view"}).error, "--view needs a value");
    EXPECT_EQ(parse_options({"a.pof", "--window"}).error, "--window needs a value");
    EXPECT_EQ(parse_options({"--open", "1", "a.pof"}).error,
              "--open wants LIST:ROW (LIST from 1, ROW from 0), not \"1\"");
    EXPECT_EQ(parse_options({"--view", "XXXX", "a.pof"}).error,
              "no record viewer opens for chunk ID \"XXXX\"");
    EXPECT_EQ(parse_options({"--all", "--open", "1:0", "a.pof"}).error,
              "--all goes through every window itself: it takes only --member and --read");
    EXPECT_EQ(parse_options({"--check", "--all", "a.pof"}).error,
              "--all cannot be combined with --check");
    EXPECT_EQ(parse_options({"--all", "a.vp", "--member", "m.pof", "--json"}).error, "");
}

TEST(Options, CodesGoWithCheckAndNoFile) {
    const auto p = parse_options({"--check", "--codes", "--json"});
    EXPECT_EQ(p.error, "");
    EXPECT_TRUE(p.options.codes && p.options.json);
    EXPECT_EQ(parse_options({"--codes"}).error, "--codes goes with --check");
    EXPECT_EQ(parse_options({"--codes", "a.pof"}).error, "--codes goes with --check");
    EXPECT_EQ(parse_options({"--check", "--codes", "a.pof"}).error,
              "--check --codes takes no FILE and no other option but --json");
}

TEST(Options, ChoicesMustBeListFromOneAndRowFromZero) {
    for (const char* bad : {"2", "0:1", "a:b", "1:-1", "1:2x", ":1", "1:", " 1:1"}) {
        const auto p = parse_options({"--choose", bad, "a.pof"});
        EXPECT_NE(p.error, "") << bad;
        EXPECT_NE(p.error.find("LIST:ROW"), std::string::npos) << bad;
    }
    EXPECT_EQ(parse_options({"--choose", "1:0", "a.pof"}).error, "");
}

TEST(ViewIds, EveryChunkIdOfTheDispatchOpensItsEntry) {
    using pof::RecordEntry;
    EXPECT_EQ(pofdump::entry_for_view_id("OHDR"), RecordEntry::OHDR);
    EXPECT_EQ(pofdump::entry_for_view_id("HDR2"), RecordEntry::OHDR);
    EXPECT_EQ(pofdump::entry_for_view_id("SOBJ"), RecordEntry::SOBJ);
    EXPECT_EQ(pofdump::entry_for_view_id("OBJ2"), RecordEntry::SOBJ);
    EXPECT_EQ(pofdump::entry_for_view_id("EYE"), RecordEntry::EYE);
    EXPECT_EQ(pofdump::entry_for_view_id("EYE "), RecordEntry::EYE);
    EXPECT_EQ(pofdump::entry_for_view_id("ACEN"), RecordEntry::ACEN);
    // Chunk IDs compare exactly: case counts, and nothing else may be shortened.
    EXPECT_EQ(pofdump::entry_for_view_id("txtr"), std::nullopt);
    EXPECT_EQ(pofdump::entry_for_view_id("TXT"), std::nullopt);
    EXPECT_EQ(pofdump::entry_for_view_id("TXTRX"), std::nullopt);
    EXPECT_EQ(pofdump::entry_for_view_id(""), std::nullopt);
}

}  // namespace
