// git diff, git log -p and git show of a POF change in a repository set up by the README's own
// lines (a diff=pof attribute and a textconv driver through pofdump --all): a gun point moved
// in the sample shows as that one changed value under its place.

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
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

// The README's set-up lines: those of its shell block that start with the attribute line.
std::vector<std::string> readme_setup() {
    std::istringstream readme(read_file(POFSCOPE_README));
    std::vector<std::string> lines;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("echo '*.pof diff=pof'")) lines.push_back(line);
        if (!lines.empty() && line.starts_with("git config diff.pof")) {
            lines.push_back(line);
            break;
        }
    }
    return lines;
}

// The sample with gun 0 of slot 0 moved along x from -3 to -2.5.
std::string moved_gun() {
    std::string bytes = testing_pof::ship_model();
    // GPNT: ID, size, slot count, the slot's point count, then the first point's x.
    const auto x_at = bytes.find("GPNT") + 16;
    const auto put = [&](float x) { std::memcpy(&bytes[x_at], &x, 4); };
    float was = 0;
    std::memcpy(&was, &bytes[x_at], 4);
    EXPECT_EQ(was, -3.0F) << "the sample's first gun point is no longer where this test looks";
    put(-2.5F);
    return bytes;
}

class Repository {
  public:
    Repository() { fs::create_directories(folder_); }
    ~Repository() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    Repository(const Repository&) = delete;
    Repository& operator=(const Repository&) = delete;

    // A shell command in the repository, pofdump on its PATH; what it printed, or a failure.
    std::string run(const std::string& command) const {
        const fs::path out = folder_ / ".out";
        const std::string line = "cd '" + folder_.string() + "' && export PATH='" +
                                 fs::path(POFDUMP_BINARY).parent_path().string() +
                                 "':\"$PATH\" && export GIT_CONFIG_NOSYSTEM=1 HOME='" +
                                 folder_.string() + "' && (" + command + ") >'" + out.string() +
                                 "' 2>&1";
        const int status = std::system(line.c_str());
        std::string printed = read_file(out);
        EXPECT_EQ(status, 0) << command << "\n" << printed;
        return printed;
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

  private:
    fs::path folder_ = fs::temp_directory_path() / ("pofscope_git_" + std::to_string(::getpid()));
};

// The lines the diff adds and removes, without the file headers.
std::vector<std::string> changed_lines(const std::string& diff) {
    std::vector<std::string> lines;
    std::istringstream in(diff);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("+++") || line.starts_with("---")) continue;
        if (line.starts_with('+') || line.starts_with('-')) lines.push_back(line);
    }
    return lines;
}

TEST(GitTextconv, TheReadmesSetUpShowsAMovedGunPointInDiffLogAndShow) {
    const auto setup = readme_setup();
    ASSERT_EQ(setup.size(), 2U)
        << "the README's git set-up lines are not where this test reads them";
    const Repository repo;
    repo.run("git init -q .");
    for (const auto& line : setup) repo.run(line);
    const std::string commit = "git -c user.name=t -c user.email=t@example.com commit -qam ";
    repo.write("ship.pof", testing_pof::ship_model());
    repo.run("git add .gitattributes ship.pof && " + commit + "ship");
    repo.write("ship.pof", moved_gun());

    const std::vector<std::string> moved = {"-    X | -3 | 0", "+    X | -2.5 | 0"};
    const std::string diff = repo.run("git diff");
    EXPECT_EQ(changed_lines(diff), moved) << diff;
    // The changed value under its section's place.
    EXPECT_NE(diff.find("\n GPNT \u00B7 Slot 0 \u00B7 Gun 0\n"
                        "   grid: | Mounting Point | Normal\n"
                        "-    X | -3 | 0\n"),
              std::string::npos)
        << diff;

    repo.run(commit + "moved");
    EXPECT_EQ(changed_lines(repo.run("git show")), moved);
    const std::string log = repo.run("git log -p -1");
    EXPECT_EQ(changed_lines(log), moved) << log;
}

}  // namespace
