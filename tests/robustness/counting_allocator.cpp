// Replaces the global operator new and delete of this test executable: every block carries
// its size in a small header in front of it, so the bytes held can be counted exactly.

#include "counting_allocator.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace robustness {

namespace {

struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;
};

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size) {
    if (size > kLargestAllocation) return nullptr;
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!header) return nullptr;
    header->size = size;
    const std::size_t now = held.fetch_add(size) + size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return header + 1;
}

void release(void* p) noexcept {
    if (!p) return;
    auto* header = static_cast<BlockHeader*>(p) - 1;
    held.fetch_sub(header->size);
    std::free(header);
}

void* allocate_or_throw(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}

}  // namespace

std::size_t bytes_held() {
    return held.load();
}
std::size_t peak_bytes_held() {
    return peak.load();
}
void reset_peak() {
    peak.store(held.load());
}

}  // namespace robustness

void* operator new(std::size_t size) {
    return robustness::allocate_or_throw(size);
}
void* operator new[](std::size_t size) {
    return robustness::allocate_or_throw(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return robustness::allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return robustness::allocate(size);
}
void operator delete(void* p) noexcept {
    robustness::release(p);
}
void operator delete[](void* p) noexcept {
    robustness::release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    robustness::release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    robustness::release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    robustness::release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    robustness::release(p);
}
