#pragma once
// Reading a found texture's file, loose or in an archive, and probing or decoding it.

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

enum class Extent {
    Header,  // the first kProbeBytes, or the whole file when shorter
    Whole,   // every byte; a file larger than kMaxFileBytes is refused before it is read
};

// The file's bytes and its size. A loose file must be a regular file (a FIFO would block the
// reader for ever).
FileBytes read_texture_file(const FoundTexture& found, Extent extent);

// What the file's header says, reading at most kProbeBytes of it.
HeaderFacts probe_texture(const FoundTexture& found);

// The whole file decoded.
DecodedImage decode_texture(const FoundTexture& found);

}  // namespace textures
