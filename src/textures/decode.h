#pragma once
// The image decoders: DDS (DXT1, DXT3, DXT5, 24- and 32-bit colour), PCX (8-bit with its
// palette, 24-bit), TGA, PNG (through libpng) and JPEG (through libjpeg-turbo). Each writes
// the rows straight into the decoded image: beside it a decode takes the file's bytes and a
// few rows (a progressive JPEG: its coefficients).
//
// Each decoder reads a file's bytes as carefully as the POF reader reads a model: every size
// in the file is checked against the bytes there before anything is allocated, and an image
// wider or higher than kMaxSide is refused. A damaged file gives Verdict::Unreadable with a
// short reason, a file of a kind pofscope does not decode gives Verdict::NotSupported;
// neither ever crashes. The decoders keep no state, so a worker thread may call them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "io/texture_extensions.h"
#include "textures/image.h"

namespace textures {

using pof::ImageKind;

// The kind an extension names (".dds", "PNG", ".jpeg" ...), compared without regard to case.
std::optional<ImageKind> kind_of_extension(std::string_view extension);

enum class Verdict {
    Ok,
    Unreadable,    // damaged, cut short or inconsistent
    NotSupported,  // a well-formed file of a kind not decoded (a cube map, a 16-bit DDS ...)
};

// "unreadable" or "not supported"; "" for Ok.
std::string_view verdict_word(Verdict verdict);

// What a file's header says: enough for the model check, without decoding.
struct HeaderFacts {
    Verdict verdict = Verdict::Unreadable;
    std::string reason;  // why not Ok: a short sentence, lowercase, no full stop
    std::string format;  // "DDS DXT1", "DDS DXT5", "DDS 32-bit", "PCX 8-bit", "PNG" ...
    int width = 0;       // 0 when not learnt (a JPEG whose size lies past kProbeBytes)
    int height = 0;
};

struct DecodedImage {
    Verdict verdict = Verdict::Unreadable;
    std::string reason;
    std::string format;
    Image image;             // empty unless Ok
    bool has_alpha = false;  // some pixel is less than opaque: draw it blended
};

// The bytes of a file's start probe_image needs at most; give it the whole file when shorter.
inline constexpr std::size_t kProbeBytes = std::size_t{256} * 1024;

// Reads the header in `start` (the file's first bytes) of a file of file_size bytes. The kind
// is taken from the bytes' signature (DDS, PNG, JPEG, PCX); TGA, which has none, only when
// `named` (the kind the file's extension names) is Tga.
HeaderFacts probe_image(std::span<const std::uint8_t> start, std::uint64_t file_size,
                        ImageKind named);

// Decodes a whole file; only the largest mipmap of a DDS file. The kind is found as
// probe_image finds it, so a PNG named .dds still decodes (and says "PNG").
DecodedImage decode_image(std::span<const std::uint8_t> file, ImageKind named);

}  // namespace textures
