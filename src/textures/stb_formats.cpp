// stb_image decodes PNG and TGA: Debian packages it (libstb-dev), it is one header with no
// further dependency, and it decodes from memory. Its code is compiled here with our flags, so
// the sanitizers and the fuzzer see it too; only the two formats are built in. JPEG goes to
// libjpeg-turbo (jpeg_format.h): stb_image's JPEG reader of Debian 12 reads past its tables on
// damaged files.
#include "textures/stb_formats.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "textures/image_error.h"
#include "textures/jpeg_format.h"
#include "textures/stb_guards.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS (::textures::kMaxSide)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wpedantic"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace textures {

namespace {

const char* name_of(ImageKind kind) {
    return kind == ImageKind::Png ? "PNG" : kind == ImageKind::Jpg ? "JPEG" : "TGA";
}

int stb_length(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > std::size_t(INT_MAX)) unreadable("the file is too large to decode");
    return static_cast<int>(bytes.size());
}

[[noreturn]] void stb_failed(ImageKind kind) {
    const std::string why = stbi_failure_reason() ? stbi_failure_reason() : "unknown";
    if (why == "too large") {
        unreadable(std::string("the ") + name_of(kind) + " image is larger than 8192 pixels");
    }
    if (why == "outofmem") unreadable("there is not enough memory to decode it");
    unreadable(std::string("the ") + name_of(kind) + " data is damaged (" + why + ")");
}

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

bool is_png(std::span<const std::uint8_t> start) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    return start.size() >= 8 && std::memcmp(start.data(), kSignature, 8) == 0;
}

bool is_jpeg(std::span<const std::uint8_t> start) {
    return start.size() >= 3 && start[0] == 0xff && start[1] == 0xd8 && start[2] == 0xff;
}

// stbi_info_from_memory would try every format in turn and keep the last one's failure; the
// header reader of the format the signature named says why that format fails. stb_image's
// readers are compiled in this file, so they are at hand.
bool read_stb_header(std::span<const std::uint8_t> start, ImageKind kind, int& width, int& height) {
    stbi__context context;
    stbi__start_mem(&context, start.data(), stb_length(start));
    int channels = 0;
    if (kind == ImageKind::Png) return stbi__png_info(&context, &width, &height, &channels);
    return stbi__tga_info(&context, &width, &height, &channels);
}

HeaderFacts probe_stb(std::span<const std::uint8_t> start, std::uint64_t file_size,
                      ImageKind kind) {
    if (kind == ImageKind::Jpg) return probe_jpeg(start, file_size);
    if (kind == ImageKind::Tga) check_tga_length(start, file_size);
    int width = 0, height = 0;
    if (!read_stb_header(start, kind, width, height)) stb_failed(kind);
    check_side(width, "width");
    check_side(height, "height");
    return {Verdict::Ok, "", name_of(kind), width, height};
}

DecodedImage decode_stb(std::span<const std::uint8_t> file, ImageKind kind) {
    if (kind == ImageKind::Jpg) return decode_jpeg(file);
    probe_stb(file, file.size(), kind);
    std::vector<std::uint8_t> cleaned;
    if (kind == ImageKind::Png) {
        check_png_chunks(file);
        cleaned = without_empty_idat(file);
        if (!cleaned.empty()) file = cleaned;
    }
    int width = 0, height = 0, channels = 0;
    // Decodes as the signature or name said: the PNG reader tests the signature first, and
    // TGA, tried last, is what is left.
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(file.data(), stb_length(file), &width, &height, &channels, 4));
    if (!pixels) stb_failed(kind);
    DecodedImage out{Verdict::Ok, "", name_of(kind), Image(width, height), false};
    std::memcpy(out.image.pixels().data(), pixels.get(), out.image.bytes());
    out.has_alpha = has_transparency(out.image);
    return out;
}

}  // namespace textures
