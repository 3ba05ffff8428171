// The README shows pofdump's output on the sample model the build writes; each of those runs
// must print exactly that, so the README cannot drift from the sample.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "dump_fixture.h"
#include "ship_model.h"

namespace {

using dump_testing::dump;
using dump_testing::TempFile;

std::string readme() {
    std::ifstream in(POFSCOPE_README, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The words after "$ pofdump", the sample's name standing for the file written here.
std::vector<std::string> arguments(const std::string& command, const std::string& path) {
    std::istringstream in(command);
    std::vector<std::string> args{std::istream_iterator<std::string>(in), {}};
    args.erase(args.begin());
    for (auto& a : args)
        if (a == "sample.pof") a = path;
    return args;
}

TEST(ReadmeExamples, EveryRunOnTheSampleModelPrintsWhatTheReadmeShows) {
    const std::string text = readme();
    const TempFile sample(testing_pof::ship_model());
    const std::string prompt = "\n$ pofdump sample.pof";
    int examples = 0;
    for (auto at = text.find(prompt); at != std::string::npos; at = text.find(prompt, at + 1)) {
        const auto output = text.find('\n', at + 1) + 1;
        const auto end = text.find("```\n", output);
        ASSERT_NE(end, std::string::npos);
        const std::string command = text.substr(at + 3, output - at - 4);
        std::string printed = dump(arguments(command, sample.path())).out;
        for (auto p = printed.find(sample.path()); p != std::string::npos;
             p = printed.find(sample.path()))
            printed.replace(p, sample.path().size(), "sample.pof");
        EXPECT_EQ(printed, text.substr(output, end - output)) << command;
        ++examples;
    }
    EXPECT_GE(examples, 3);
}

}  // namespace
