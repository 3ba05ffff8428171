#include "textures/decode.h"

#include <new>
#include <string>

#include "textures/dds.h"
#include "textures/image_error.h"
#include "textures/jpeg_format.h"
#include "textures/pcx.h"
#include "textures/png_format.h"
#include "textures/tga_format.h"

namespace textures {

namespace {

// The kind a file is: its signature where it has one, else TGA when it is named so.
std::optional<ImageKind> kind_of_bytes(std::span<const std::uint8_t> start, ImageKind named) {
    if (is_dds(start)) return ImageKind::Dds;
    if (is_png(start)) return ImageKind::Png;
    if (is_jpeg(start)) return ImageKind::Jpg;
    if (named == ImageKind::Tga) return ImageKind::Tga;
    if (is_pcx(start)) return ImageKind::Pcx;
    return std::nullopt;
}

[[noreturn]] void no_signature() {
    unreadable("the file does not start with a DDS, PNG, JPEG or PCX signature");
}

template <class Result, class Work>
Result guarded(Work work) {
    try {
        return work();
    } catch (const ImageError& e) {
        Result r;
        r.verdict = e.verdict();
        r.reason = e.what();
        return r;
    } catch (const std::bad_alloc&) {
        Result r;
        r.reason = "there is not enough memory to decode it";
        return r;
    }
}

}  // namespace

void check_side(std::int64_t side, const char* which) {
    if (side < 1) unreadable(std::string("the ") + which + " is 0");
    if (side > kMaxSide) {
        unreadable(std::string("the ") + which + " of " + std::to_string(side) +
                   " pixels is more than 8192");
    }
}

std::optional<ImageKind> kind_of_extension(std::string_view extension) {
    return pof::texture_kind(extension.starts_with('.') ? std::string(extension)
                                                        : "." + std::string(extension));
}

std::string_view verdict_word(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return "";
        case Verdict::Unreadable:
            return "unreadable";
        case Verdict::NotSupported:
            return "not supported";
    }
    return "";
}

HeaderFacts probe_image(std::span<const std::uint8_t> start, std::uint64_t file_size,
                        ImageKind named) {
    return guarded<HeaderFacts>([&] {
        const auto kind = kind_of_bytes(start, named);
        if (!kind) no_signature();
        if (*kind == ImageKind::Dds) return probe_dds(start, file_size);
        if (*kind == ImageKind::Pcx) return probe_pcx(start, file_size);
        if (*kind == ImageKind::Png) return probe_png(start);
        if (*kind == ImageKind::Jpg) return probe_jpeg(start, file_size);
        return probe_tga(start, file_size);
    });
}

DecodedImage decode_image(std::span<const std::uint8_t> file, ImageKind named) {
    return guarded<DecodedImage>([&] {
        const auto kind = kind_of_bytes(file, named);
        if (!kind) no_signature();
        if (*kind == ImageKind::Dds) return decode_dds(file);
        if (*kind == ImageKind::Pcx) return decode_pcx(file);
        if (*kind == ImageKind::Png) return decode_png(file);
        if (*kind == ImageKind::Jpg) return decode_jpeg(file);
        return decode_tga(file);
    });
}

}  // namespace textures
