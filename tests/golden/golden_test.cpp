// Golden window texts: the pofdump text of every window over the every-chunk models at the
// versions where a layout changes, a negative version, a damaged file and the sample ship,
// compared byte for byte with the files in this folder. When a change of a window is meant,
// rewrite them with
//   cmake --build build --target update_golden
// and review their diff in the commit.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "golden_models.h"
#include "sample_archive.h"
#include "session.h"
#include "temp_file.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// One pofdump run: the command line, what it printed, its messages and a failing exit status.
std::string run_text(const std::string& path, const std::string& shown_name,
                     const std::string& steps) {
    std::vector<std::string> args = words(steps);
    args.push_back(path);
    std::ostringstream out, err;
    const int status = pofdump::run_command(args, out, err);
    std::string text = "$ pofdump " + (steps.empty() ? "" : steps + " ") + shown_name + "\n";
    text += out.str();
    std::istringstream messages(err.str());
    for (std::string line; std::getline(messages, line);) text += "! " + line + "\n";
    if (status != 0) text += "exit " + std::to_string(status) + "\n";
    // The archive window is titled with the file's name alone.
    const std::string name = path.substr(path.rfind('/') + 1);
    return replace_all(replace_all(text, path, shown_name), name, shown_name);
}

std::string golden_text(const golden::Model& model) {
    testing_pof::TempFile file(model.bytes, model.suffix);
    const std::string shown_name = model.name + model.suffix;
    std::string text;
    for (const auto& steps : model.windows) text += run_text(file.path(), shown_name, steps) + "\n";
    return text;
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(GoldenWindowTexts, EveryWindowOfEveryModelReadsAsItsFile) {
    const bool rewrite = std::getenv("POFSCOPE_UPDATE_GOLDEN") != nullptr;
    for (const auto& model : golden::models()) {
        const fs::path path = fs::path(POFSCOPE_GOLDEN_DIR) / (model.name + ".txt");
        const std::string text = golden_text(model);
        if (rewrite) {
            std::ofstream(path, std::ios::binary) << text;
            continue;
        }
        EXPECT_EQ(read_file(path), text)
            << path << " differs; when the change is meant, rewrite it with "
            << "`cmake --build build --target update_golden` and review the diff";
    }
}

// A model read from inside an archive shows every window as its loose file does; only the
// file label differs.
TEST(GoldenWindowTexts, TheSampleReadFromItsArchiveShowsWhatItsLooseFileShows) {
    const golden::Model& sample = golden::sample_model();
    testing_pof::TempFile loose(sample.bytes), vp(testing_pof::sample_archive(), ".vp");
    const auto after_command = [](const std::string& text) { return text.substr(text.find('\n')); };
    const std::string label = "value Label1: sample.pof";
    for (const auto& steps : sample.windows) {
        if (steps == "--check") continue;
        const std::string from_archive = after_command(
            run_text(vp.path(), "sample.pof", "--member data/models/sample.pof " + steps));
        const std::string text = after_command(run_text(loose.path(), "sample.pof", steps));
        EXPECT_EQ(from_archive, replace_all(text, label, label + " \u203A data/models/sample.pof"))
            << steps;
    }
}

}  // namespace
