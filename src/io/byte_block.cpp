#include "io/byte_block.h"

#include <algorithm>

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace pof {

namespace {

constexpr std::uintptr_t kPage = 4096;
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

std::uintptr_t round_up(std::uintptr_t n, std::uintptr_t to) {
    return (n + to - 1) & ~(to - 1);
}

// Maps a little more than asked and gives back the ends, so the memory starts on a huge page.
char* map_on_huge_page(std::size_t length) {
    const std::size_t mapped = length + kHugePage;
    void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = round_up(start, kHugePage);
    if (aligned > start) ::munmap(p, aligned - start);
    const std::uintptr_t tail = aligned + length;
    if (start + mapped > tail) ::munmap(reinterpret_cast<void*>(tail), start + mapped - tail);
    ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<char*>(aligned);
}

}  // namespace

std::shared_ptr<char> bulk_memory(std::size_t bytes) {
    if (bytes < kHugePage) {
        return std::shared_ptr<char>(new char[bytes], std::default_delete<char[]>());
    }
    const std::size_t length = round_up(bytes, kPage);
    return std::shared_ptr<char>(map_on_huge_page(length),
                                 [length](char* p) { ::munmap(p, length); });
}

ByteBlock copy_block(std::string_view bytes) {
    std::shared_ptr<char> memory(new char[bytes.size()], std::default_delete<char[]>());
    std::copy(bytes.begin(), bytes.end(), memory.get());
    return {std::move(memory), bytes.size()};
}

}  // namespace pof
