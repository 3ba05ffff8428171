// The PCX decoder on any bytes: probed, then decoded as a file named .pcx.

#include <cstddef>
#include <cstdint>

#include "image_promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::check_image({data, size}, textures::ImageKind::Pcx);
    return 0;
}
