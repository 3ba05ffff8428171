// The pofdump binary itself: its exit status and where its messages go.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "dump_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace {

using dump_testing::peak_mib;
using dump_testing::TempFile;

struct Spawned {
    int status = -1;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (const char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A run that hangs is ended after 20 s and counts as a failure (status 124).
Spawned spawn(const std::vector<std::string>& args) {
    TempFile out(""), err("");
    std::string command = "timeout 20 " + quoted(POFDUMP_BINARY);
    for (const auto& a : args) command += " " + quoted(a);
    command += " >" + quoted(out.path()) + " 2>" + quoted(err.path());
    const int raw = std::system(command.c_str());
    Spawned s;
    s.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    s.out = slurp(out.path());
    s.err = slurp(err.path());
    return s;
}

TEST(ExitStatus, CleanReadIsZero) {
    TempFile file(testing_pof::every_chunk_model(2117));
    const auto s = spawn({file.path(), "--view", "ACEN"});
    EXPECT_EQ(s.status, 0);
    EXPECT_EQ(s.out.rfind("frmACEN  \"ACEN record\"\n", 0), 0u) << s.out;
    EXPECT_EQ(s.err, "");
}

TEST(ExitStatus, FileProblemsAreOneWithTheMessageOnStderr) {
    const auto missing = spawn({"/nonexistent/pofdump/model.pof"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/pofdump/model.pof"), std::string::npos);

    TempFile not_pof("MZ not a model");
    const auto wrong = spawn({not_pof.path()});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "Not a POF file!\n");
    EXPECT_NE(wrong.out.find("value Label1: " + not_pof.path()), std::string::npos);

    const std::string whole = testing_pof::every_chunk_model(2117);
    // Cut inside the body of the ACEN chunk, whatever follows it.
    TempFile truncated(whole.substr(0, whole.find("ACEN") + 8 + 5));
    const auto damaged = spawn({truncated.path()});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("ACEN"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.out.find("    ACEN | 12\n"), std::string::npos) << damaged.out;
}

TEST(ExitStatus, AFifoIsRefusedWithoutWaitingForAWriter) {
    TempFile file("");
    const std::string fifo = file.path() + ".fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto s = spawn({fifo});
    ::unlink(fifo.c_str());
    EXPECT_EQ(s.status, 1);
    EXPECT_EQ(s.err, "Cannot open " + fifo + ": not a regular file\n");
}

// Output is written as it is made: 20 million lines of text or 80 MB of JSON escapes cost no
// more than the store (20 MB), the window's text (a CR LF per line feed: 40 MB, held once) and
// a little.
TEST(ExitStatus, PeakMemoryDoesNotGrowWithTheOutput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    constexpr std::size_t kBytes = 20'000'000;
    TempFile file(testing_pof::PofBuilder(2117)
                      .chunk("PINF", testing_pof::Bytes().raw(std::string(kBytes, '\n')))
                      .str());
    constexpr double kBoundMib = 1.0 * kBytes / (1 << 20) + 64;
    for (const bool json : {false, true}) {
        std::vector<std::string> args{file.path(), "--view", "PINF"};
        if (json) args.insert(args.begin(), "--json");
        const double peak = peak_mib(args);
        std::printf("pofdump %s--view PINF, 20 MB of line feeds: peak %.1f MiB\n",
                    json ? "--json " : "", peak);
        EXPECT_GT(peak, 0);
        EXPECT_LT(peak, kBoundMib) << (json ? "JSON" : "text");
    }
}

// One subobject whose BSP data is the given blocks and an EOF.
std::string one_subobject(const std::string& blocks) {
    namespace tp = testing_pof;
    return tp::PofBuilder(2117)
        .chunk("HDR2", tp::header_body(2117, {.subobjects = 1}))
        .chunk("OBJ2",
               tp::subobject_body(2117, {.bsp = tp::Bytes().raw(blocks).raw(tp::bsp::eof())}))
        .str();
}

// Long lists make their rows as they are written: a block list of a million blocks and a
// FLATPOLY of a million entries stay within the store's size and 64 MiB. The model is made and
// dropped before the run, since a child starts with the resident memory of its parent.
TEST(ExitStatus, PeakMemoryDoesNotGrowWithLongLists) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    constexpr int kCount = 1'000'000;
    const auto blocks = [] {
        std::string tiny;
        for (int i = 0; i < kCount; ++i) tiny += testing_pof::bsp::block(99, 8).str();
        return one_subobject(tiny);
    };
    const auto flatpoly = [] {
        const std::vector<testing_pof::bsp::PolygonEntry> entries(kCount);
        return one_subobject(testing_pof::bsp::flatpoly(entries).str());
    };
    const struct {
        const char* what;
        std::function<std::string()> model;
        std::vector<std::string> args;
    } cases[] = {
        {"a block list of 1,000,000 blocks", blocks, {"--json", "--view", "OBJ2"}},
        {"a FLATPOLY of 1,000,000 entries", flatpoly, {"--view", "OBJ2", "--open", "2:0"}},
    };
    for (const auto& c : cases) {
        TempFile file("");
        std::size_t bytes = 0;
        {
            const std::string model = c.model();
            bytes = model.size();
            file.write(model);
        }
        std::vector<std::string> args{file.path()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const double peak = peak_mib(args);
        std::printf("pofdump, %s: peak %.1f MiB\n", c.what, peak);
        EXPECT_GT(peak, 0) << c.what;
        EXPECT_LT(peak, static_cast<double>(bytes) / (1 << 20) + 64) << c.what;
    }
}

TEST(ExitStatus, BadUsageIsTwo) {
    TempFile file(testing_pof::every_chunk_model(2117));
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--frobnicate", file.path()},
                                               {file.path(), "--view", "NOPE"},
                                               {file.path(), "--choose", "9:0"}}) {
        const auto s = spawn(args);
        EXPECT_EQ(s.status, 2) << (args.empty() ? "(no arguments)" : args[0]);
        EXPECT_EQ(s.err.rfind("pofdump: ", 0), 0u) << s.err;
        EXPECT_EQ(s.out, "");
    }
}

TEST(ExitStatus, HelpAndVersionAreZero) {
    const auto help = spawn({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: pofdump", 0), 0u) << help.out;
    const auto version = spawn({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pofdump " POFSCOPE_VERSION "\n");
}

}  // namespace
