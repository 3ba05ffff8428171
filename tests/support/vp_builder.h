#pragma once
// Writes VP archive bytes entry by entry, little-endian, so a test states the directory it
// feeds in. Bodies follow the 16-byte header in the order they are added; the directory
// comes last.
//
//   std::string vp = VpBuilder().folder("data").file("ship.pof", model).up().str();

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pof_builder.h"

namespace testing_pof {

class VpBuilder {
  public:
    static constexpr std::int32_t kHeaderBytes = 16;
    static constexpr std::int32_t kEntryBytes = 44;

    // A file of the current folder whose body is added to the archive.
    VpBuilder& file(std::string_view name, std::string_view body, std::int32_t time = 0) {
        const auto offset = static_cast<std::int32_t>(kHeaderBytes + bodies_.size());
        bodies_ += body;
        return entry(offset, static_cast<std::int32_t>(body.size()), name, time);
    }
    // A folder inside the current one; up() closes it.
    VpBuilder& folder(std::string_view name) { return entry(0, 0, name, 0); }
    VpBuilder& up() { return entry(0, 0, "..", 0); }
    // Any entry, whatever its numbers; a name of 32 bytes or more fills the field without a
    // NUL.
    VpBuilder& entry(std::int32_t offset, std::int32_t size, std::string_view name,
                     std::int32_t time) {
        std::string field(name.substr(0, 32));
        field.resize(32, '\0');
        directory_.i32(offset).i32(size).raw(field).i32(time);
        ++entries_;
        return *this;
    }

    // What the header says, when a test wants it to lie.
    VpBuilder& version(std::int32_t v) {
        version_ = v;
        return *this;
    }
    VpBuilder& directory_offset(std::int32_t offset) {
        directory_offset_ = offset;
        return *this;
    }
    VpBuilder& entry_count(std::int32_t count) {
        entry_count_ = count;
        return *this;
    }

    // The offset of the next body added.
    std::int32_t next_offset() const {
        return kHeaderBytes + static_cast<std::int32_t>(bodies_.size());
    }

    std::string str() const {
        const std::int32_t directory = next_offset();
        return Bytes()
            .raw("VPVP")
            .i32(version_)
            .i32(directory_offset_.value_or(directory))
            .i32(entry_count_.value_or(entries_))
            .raw(bodies_)
            .raw(directory_)
            .str();
    }

  private:
    std::string bodies_;
    Bytes directory_;
    std::int32_t entries_ = 0;
    std::int32_t version_ = 2;
    std::optional<std::int32_t> directory_offset_;
    std::optional<std::int32_t> entry_count_;
};

}  // namespace testing_pof
