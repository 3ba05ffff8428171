#pragma once
// A folder tree in the temp directory for the texture search, removed at the end of the test;
// and one archive folder held in memory.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "textures/archive_source.h"

namespace texture_testing {

class FolderTree {
  public:
    FolderTree() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() /
                ("pofscope_textures_" + std::to_string(::getpid()) + "_" + test->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~FolderTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    // Writes a file at a path below the root, making its folders.
    std::filesystem::path file(const std::string& relative, const std::string& bytes = "x") const {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path folder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return root_ / relative;
    }
    std::filesystem::path operator/(const std::string& relative) const { return root_ / relative; }

  private:
    std::filesystem::path root_;
};

class MemoryArchive : public textures::ArchiveFolderSource {
  public:
    explicit MemoryArchive(std::map<std::string, std::string> files) : files_(std::move(files)) {}

    std::string archive_name() const override { return "fake.vp"; }
    std::string display_name() const override { return "fake.vp: data/maps"; }
    std::vector<std::string> file_names() const override {
        std::vector<std::string> names;
        for (const auto& f : files_) names.push_back(f.first);
        return names;
    }
    std::uint64_t file_size(const std::string& name) const override { return at(name).size(); }
    std::vector<std::uint8_t> read(const std::string& name,
                                   std::uint64_t max_bytes) const override {
        const std::string& bytes = at(name);
        return {bytes.begin(),
                bytes.begin() + std::ptrdiff_t(std::min<std::uint64_t>(max_bytes, bytes.size()))};
    }

  private:
    const std::string& at(const std::string& name) const {
        const auto it = files_.find(name);
        if (it == files_.end()) throw std::runtime_error("no such member");
        return it->second;
    }
    std::map<std::string, std::string> files_;
};

}  // namespace texture_testing
