// git diff, git log -p and git show of a POF change in a repository set up by the README's own
// lines (a diff=pof attribute and a textconv driver through pofdump --all): a gun point moved
// in the sample shows as that one changed value under its place.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ship_model.h"

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The README's set-up: its line that writes the attribute and the git config line after it.
std::vector<std::string> readme_setup() {
    std::istringstream readme(read_file(POFSCOPE_README));
    std::vector<std::string> lines;
    for (std::string line; std::getline(readme, line) && lines.size() < 2;) {
        if (line.starts_with(lines.empty() ? "echo '*.pof diff=pof'" : "git config diff.pof"))
            lines.push_back(line);
    }
    return lines;
}

// The sample with gun 0 of slot 0 moved along x from -3 to -2.5: its x follows the chunk's ID,
// size, slot count and point count.
std::string moved_gun() {
    std::string bytes = testing_pof::ship_model();
    const auto x_at = bytes.find("GPNT") + 16;
    float x = 0;
    std::memcpy(&x, &bytes[x_at], 4);
    EXPECT_EQ(x, -3.0F) << "the sample's first gun point is no longer where this test looks";
    x = -2.5F;
    std::memcpy(&bytes[x_at], &x, 4);
    return bytes;
}

// A shell command in the repository folder, pofdump on its PATH; what it printed.
std::string run(const fs::path& folder, const std::string& command) {
    const fs::path out = folder / ".out";
    const std::string line = "cd '" + folder.string() + "' && export PATH='" +
                             fs::path(POFDUMP_BINARY).parent_path().string() +
                             "':\"$PATH\" GIT_CONFIG_NOSYSTEM=1 HOME='" + folder.string() +
                             "' && (" + command + ") >'" + out.string() + "' 2>&1";
    const int status = std::system(line.c_str());
    std::string printed = read_file(out);
    EXPECT_EQ(status, 0) << command << "\n" << printed;
    return printed;
}

// The lines the diff adds and removes, without the file headers.
std::vector<std::string> changed_lines(const std::string& diff) {
    std::vector<std::string> lines;
    std::istringstream in(diff);
    for (std::string line; std::getline(in, line);) {
        if ((line.starts_with('+') || line.starts_with('-')) && !line.starts_with("+++") &&
            !line.starts_with("---"))
            lines.push_back(line);
    }
    return lines;
}

TEST(GitTextconv, TheReadmesSetUpShowsAMovedGunPointInDiffLogAndShow) {
    const auto setup = readme_setup();
    ASSERT_EQ(setup.size(), 2U)
        << "the README's git set-up lines are not where this test reads them";
    const fs::path repo =
        fs::temp_directory_path() / ("pofscope_git_" + std::to_string(::getpid()));
    fs::create_directories(repo);
    run(repo, "git init -q .");
    for (const auto& line : setup) run(repo, line);
    const std::string commit = "git -c user.name=t -c user.email=t@example.com commit -qam ";
    std::ofstream(repo / "ship.pof", std::ios::binary) << testing_pof::ship_model();
    run(repo, "git add .gitattributes ship.pof && " + commit + "ship");
    std::ofstream(repo / "ship.pof", std::ios::binary) << moved_gun();

    const std::vector<std::string> moved = {"-    X | -3 | 0", "+    X | -2.5 | 0"};
    const std::string diff = run(repo, "git diff");
    EXPECT_EQ(changed_lines(diff), moved) << diff;
    EXPECT_NE(diff.find("\n GPNT \u00B7 Slot 0 \u00B7 Gun 0\n"
                        "   grid: | Mounting Point | Normal\n-    X | -3 | 0\n"),
              std::string::npos)
        << diff;
    run(repo, commit + "moved");
    EXPECT_EQ(changed_lines(run(repo, "git show")), moved);
    EXPECT_EQ(changed_lines(run(repo, "git log -p -1")), moved);
    std::error_code ignored;
    fs::remove_all(repo, ignored);
}

}  // namespace
