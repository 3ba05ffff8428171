// The README shows pofdump's output on the sample model and the sample archive the build
// writes; each of those runs must print exactly that, so the README cannot drift from them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "check/finding.h"
#include "dump_fixture.h"
#include "sample_archive.h"
#include "sample_textures.h"
#include "ship_model.h"

namespace {

using dump_testing::dump;
using dump_testing::TempFile;

std::string readme() {
    std::ifstream in(POFSCOPE_README, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The sample model, its textures and the sample archive in a folder of their own, as the
// build writes them: nothing else beside them is searched for textures.
struct Samples {
    Samples() {
        std::filesystem::create_directories(folder_);
        write("sample.pof", testing_pof::ship_model());
        write("sample.vp", testing_pof::sample_archive());
        for (const auto& t : testing_pof::sample_textures()) write(t.file_name, t.bytes);
    }
    ~Samples() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    struct File {
        std::string path_;
        const std::string& path() const { return path_; }
    };
    std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("pofscope_readme_" + std::to_string(::getpid()));
    File model{(folder_ / "sample.pof").string()};
    File archive{(folder_ / "sample.vp").string()};

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    // The words after "$ pofdump", the samples' names standing for the files written here;
    // nothing for a run on another file.
    std::vector<std::string> arguments(const std::string& command) const {
        std::istringstream in(command);
        std::vector<std::string> args{std::istream_iterator<std::string>(in), {}};
        args.erase(args.begin());
        bool on_a_sample = false;
        for (auto& a : args) {
            if (a == "sample.pof") a = model.path();
            if (a == "sample.vp") a = archive.path();
            on_a_sample = on_a_sample || a == model.path() || a == archive.path();
        }
        return on_a_sample ? args : std::vector<std::string>{};
    }

    // The samples' names back in place of the files written here (the archive window is
    // titled with the file's name alone).
    std::string shown(std::string printed) const {
        const std::string vp = archive.path();
        printed = replace_all(printed, model.path(), "sample.pof");
        printed = replace_all(printed, vp, "sample.vp");
        return replace_all(printed, vp.substr(vp.rfind('/') + 1), "sample.vp");
    }
};

TEST(ReadmeExamples, EveryRunOnTheSampleModelPrintsWhatTheReadmeShows) {
    const std::string text = readme();
    const Samples samples;
    const std::string prompt = "\n$ pofdump ";
    int examples = 0;
    for (auto at = text.find(prompt); at != std::string::npos; at = text.find(prompt, at + 1)) {
        const auto output = text.find('\n', at + 1) + 1;
        const auto end = text.find("```\n", output);
        ASSERT_NE(end, std::string::npos);
        const std::string command = text.substr(at + 3, output - at - 4);
        const auto args = samples.arguments(command);
        if (args.empty()) continue;
        EXPECT_EQ(samples.shown(dump(args).out), text.substr(output, end - output)) << command;
        ++examples;
    }
    EXPECT_GE(examples, 6);
}

// The cells of a Markdown table row: split at each | that is not escaped, "\\|" read as "|",
// the code spans' backticks dropped.
std::vector<std::string> table_cells(const std::string& row) {
    std::vector<std::string> cells{""};
    for (std::size_t i = 1; i + 1 < row.size(); ++i) {
        if (row[i] == '\\' && row[i + 1] == '|') {
            cells.back() += '|';
            ++i;
        } else if (row[i] == '|') {
            cells.emplace_back();
        } else if (row[i] != '`') {
            cells.back() += row[i];
        }
    }
    for (auto& c : cells) c = c.substr(1, c.size() - 2);  // the spaces around each cell
    return cells;
}

// The Model Check's table of codes in the README is the check's own table, a row for each code
// in any order: code, severity, what it finds and what the game does.
TEST(ReadmeExamples, TheTableOfCodesIsTheChecksTable) {
    const std::string text = readme();
    const std::string head = "| code | severity | when | The game | example |\n";
    auto at = text.find(head);
    ASSERT_NE(at, std::string::npos);
    at = text.find('\n', at + head.size()) + 1;  // past the line under the head
    std::map<std::string, std::vector<std::string>> rows;
    while (at < text.size() && text[at] == '|') {
        const auto end = text.find('\n', at);
        const auto cells = table_cells(text.substr(at, end - at));
        at = end + 1;
        ASSERT_EQ(cells.size(), 5u) << cells[0];
        EXPECT_TRUE(rows.emplace(cells[0], cells).second) << "two rows of " << cells[0];
    }
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(check::kCodeCount));
    for (int i = 0; i < check::kCodeCount; ++i) {
        const auto code = static_cast<check::Code>(i);
        const std::string name(check::code_name(code));
        const auto row = rows.find(name);
        if (row == rows.end()) {
            ADD_FAILURE() << "the README has no row of " << name;
            continue;
        }
        EXPECT_EQ(row->second[1], check::severity_text(code)) << name;
        EXPECT_EQ(row->second[2], check::code_finds(code)) << name;
        EXPECT_EQ(row->second[3], check::code_game(code)) << name;
    }
}

}  // namespace
