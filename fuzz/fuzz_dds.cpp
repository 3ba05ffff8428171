// The DDS decoder on any bytes: probed, then decoded as a file named .dds, and its DXT levels
// read as stored.

#include <cstddef>
#include <cstdint>

#include "image_promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::check_image({data, size}, textures::ImageKind::Dds);
    fuzzing::check_stored_dxt({data, size});
    return 0;
}
