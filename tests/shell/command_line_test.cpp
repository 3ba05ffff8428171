#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace {

using shell::CommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, FilesHelpVersionAndBadUsage) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {{}, Action::Start, {}},
        {{"ship.pof"}, Action::Start, {"ship.pof"}},
        {{"a.pof", "b.pof"}, Action::Start, {"a.pof", "b.pof"}},
        {{"-"}, Action::Start, {"-"}},
        {{"--", "--help", "-x.pof"}, Action::Start, {"--help", "-x.pof"}},
        {{"ship.pof", "--help"}, Action::Help, {}},
        {{"-h", "--version"}, Action::Help, {}},
        // Beside options only the toolkit knows, before it has taken them out.
        {{"-platform", "offscreen", "--version"}, Action::Version, {}},
        {{"--bogus", "ship.pof"}, Action::BadUsage, {"ship.pof"}},
        // The toolkit's own options and their values are no files and no bad usage.
        {{"-platform", "offscreen", "ship.pof"}, Action::Start, {"ship.pof"}},
        {{"--style=fusion", "-reverse", "ship.pof"}, Action::Start, {"ship.pof"}},
        {{"ship.pof", "--display", ":3"}, Action::Start, {"ship.pof"}},
        {{"-platformx", "ship.pof"}, Action::BadUsage, {"ship.pof"}},
        {{"--", "-platform"}, Action::Start, {"-platform"}},
    };
    for (const Case& c : cases) {
        const CommandLine line = shell::parse_command_line(c.args);
        EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args);
        EXPECT_EQ(line.files, c.files) << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, BadUsageNamesTheFirstUnknownOption) {
    EXPECT_EQ(shell::parse_command_line({"-x", "a.pof", "--y"}).error, "unknown option -x");
    EXPECT_EQ(shell::parse_command_line({"a.pof"}).error, "");
}

}  // namespace
