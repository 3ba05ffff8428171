#pragma once
// Counts the bytes the program holds through operator new, for the one test executable that
// defines the replacement operators (counting_allocator.cpp).

#include <cstddef>

namespace robustness {

// Bytes held through operator new right now, and the most held since the last reset.
std::size_t bytes_held();
std::size_t peak_bytes_held();
void reset_peak();

// One allocation larger than this fails with std::bad_alloc instead of reaching the system,
// so a count that escaped its check fails the test instead of exhausting the machine.
inline constexpr std::size_t kLargestAllocation = std::size_t{256} << 20;

}  // namespace robustness
