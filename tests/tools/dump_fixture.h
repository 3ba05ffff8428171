#pragma once
// Helpers for pofdump's tests: model files on disk, an in-process run, and line checks.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sample_textures.h"
#include "session.h"
#include "temp_file.h"

namespace dump_testing {

using testing_pof::TempFile;

struct Dump {
    int status = -1;
    std::string out, err;
};

inline Dump dump(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Dump d;
    d.status = pofdump::run_command(args, out, err);
    d.out = out.str();
    d.err = err.str();
    return d;
}

// The lines stand in the text one after the other, each one whole.
inline ::testing::AssertionResult has_lines(const std::string& text,
                                            const std::vector<std::string>& lines) {
    std::string block = "\n";
    for (const auto& l : lines) block += l + "\n";
    if (("\n" + text).find(block) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "these lines:" << block << "are not in:\n" << text;
}

// The peak resident memory of one pofdump run whose output goes to /dev/null, in MiB.
// GNU time starts pofdump and reports its peak: a process this test forks would start its
// count from the test's own resident size, which the kernel carries over at exec.
inline double peak_mib(const std::vector<std::string>& args) {
    const TempFile report("");
    std::vector<std::string> all{"/usr/bin/time", "-f", "%M", "-o", report.path(), POFDUMP_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(stdout);  // the child must not write what the parent has buffered
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    // The last line holds the peak in KiB (a line before it may say the exit status).
    std::ifstream lines(report.path());
    std::string line, last;
    while (std::getline(lines, line)) last = line;
    return last.empty() ? -1 : std::stod(last) / 1024;
}

// A folder holding a texture named hull, for --textures: the clean test models name it, and a
// check that finds it says nothing of it.
class HullTexture {
  public:
    HullTexture() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("pofscope_hull_" + std::to_string(::getpid()) + "_" + test->name());
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "hull.dds", std::ios::binary)
            << testing_pof::sample_textures()[0].bytes;
    }
    ~HullTexture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    HullTexture(const HullTexture&) = delete;
    HullTexture& operator=(const HullTexture&) = delete;
    std::string folder() const { return folder_.string(); }

  private:
    std::filesystem::path folder_;
};

}  // namespace dump_testing
