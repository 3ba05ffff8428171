// PNG (libpng), JPEG (libjpeg-turbo) and TGA on any bytes: as a file named .png (a PNG or JPEG
// signature decides) and as one named .tga (TGA has no signature; the name decides). The name
// stays from when stb_image decoded them; the seeds in corpus-stb/ with it.

#include <cstddef>
#include <cstdint>

#include "image_promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::check_image({data, size}, textures::ImageKind::Png);
    fuzzing::check_image({data, size}, textures::ImageKind::Tga);
    return 0;
}
