#pragma once
// What the image fuzz targets check besides crashes, sanitizer reports and memory limits.

#include <cstdint>
#include <span>

#include "textures/decode.h"

namespace fuzzing {

// Probes the bytes, then decodes them as a file named as `named`, and checks the promises: a
// refusal gives a reason; a decoded image has the size its header said, at most 8192 a side;
// the header and the decode agree on a refusal. Images the header says are larger than a
// million pixels are probed but not decoded: their pixels would pass the fuzzer's memory
// limit while being no fault (the decoders refuse, before allocating, sizes the data cannot
// fill).
void check_image(std::span<const std::uint8_t> bytes, textures::ImageKind named);

// Reads a DDS file's DXT levels as stored, for a window that draws them compressed: each level
// lies inside the file, half the size of the one before.
void check_stored_dxt(std::span<const std::uint8_t> bytes);

}  // namespace fuzzing
