#pragma once
// A run of bytes kept as they stand in the file (a subobject's BSP data), and the bulk memory
// large runs of one read are packed into.

#include <cstddef>
#include <memory>
#include <string_view>

namespace pof {

class ByteBlock {
  public:
    ByteBlock() = default;
    // memory points at the first byte and keeps the memory it lies in alive.
    ByteBlock(std::shared_ptr<const char> memory, std::size_t size)
        : memory_(std::move(memory)), size_(size) {}

    const char* data() const { return memory_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view view() const { return {memory_.get(), size_}; }
    operator std::string_view() const { return view(); }

    friend bool operator==(const ByteBlock& a, std::string_view b) { return a.view() == b; }

  private:
    std::shared_ptr<const char> memory_;
    std::size_t size_ = 0;
};

// A block holding a copy of bytes, for blocks that do not come from a file.
ByteBlock copy_block(std::string_view bytes);

// Uninitialised memory for byte blocks. From 2 MiB on it is taken from the system in huge
// pages where it offers them: a model's megabytes of BSP data then cost a few page faults
// instead of one per 4 KiB. Throws std::bad_alloc when there is none.
std::shared_ptr<char> bulk_memory(std::size_t bytes);

}  // namespace pof
