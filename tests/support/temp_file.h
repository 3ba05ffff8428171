#pragma once
// A model file in the temp directory, removed again at the end of the test.
//
// ctest runs every test as its own process, two at a time, so the name carries the process
// id, the test's name and a counter: no two running tests ever share a file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_pof {

class TempFile {
  public:
    explicit TempFile(const std::string& bytes, const std::string& suffix = ".pof")
        : path_(unique_path(suffix)) {
        write(bytes);
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }
    void write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

  private:
    static std::filesystem::path unique_path(const std::string& suffix) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = test ? std::string(test->test_suite_name()) + "_" + test->name() : "";
        for (char& c : name)
            if (c == '/') c = '_';
        return std::filesystem::temp_directory_path() /
               ("pofscope_" + std::to_string(::getpid()) + "_" + name + "_" +
                std::to_string(counter_++) + suffix);
    }
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

}  // namespace testing_pof
