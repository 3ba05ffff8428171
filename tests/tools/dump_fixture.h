#pragma once
// Helpers for pofdump's tests: model files on disk, an in-process run, and line checks.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "session.h"

namespace dump_testing {

// A file in the temp directory, removed again at the end of the test.
class TempFile {
  public:
    explicit TempFile(const std::string& bytes) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("pofdump_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                 std::to_string(counter_++) + ".pof");
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_.string(); }

  private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

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

}  // namespace dump_testing
