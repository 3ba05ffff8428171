#pragma once
// Reading a found texture's file, loose or in an archive, and decoding it.

#include <cstdint>
#include <string>
#include <vector>

#include "textures/decode.h"
#include "textures/search.h"

namespace textures {

// No texture file is read when larger: an 8192 x 8192 image at 4 bytes a pixel is 256 MiB,
// twice that leaves room for any way of storing it.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{512} << 20;

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::uint64_t file_size = 0;
    std::string error;  // why it could not be read; "" when it was
};

// The file's bytes and its size; a file larger than kMaxFileBytes is refused before it is
// read. A loose file must be a regular file (a FIFO would block the reader for ever). Each
// texture file is read once, for its decode.
FileBytes read_texture_file(const FoundTexture& found);

// The whole file decoded.
DecodedImage decode_texture(const FoundTexture& found);

}  // namespace textures
