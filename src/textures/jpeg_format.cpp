#include "textures/jpeg_format.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "textures/image_error.h"

namespace textures {

namespace {

// A progressive file may hold any number of scans, each costing a pass over the whole image;
// more than libjpeg-turbo's own tools accept is damage, not a picture.
constexpr int kMostScans = 500;

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the setjmp of the call that began the work, with the library's message kept.
struct ErrorJump {
    jpeg_error_mgr manager{};
    std::jmp_buf back{};
    char message[JMSG_LENGTH_MAX]{};
};

void jump_back(j_common_ptr info) {
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->back, 1);
}

// Warnings (corrupt data the library steps over) are not printed.
void keep_quiet(j_common_ptr) {}

void count_scans(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMostScans) {
        auto* error = reinterpret_cast<ErrorJump*>(info->err);
        std::snprintf(error->message, sizeof error->message, "more than %d scans", kMostScans);
        std::longjmp(error->back, 1);
    }
}

// What one call of the library made: the size, and the pixels when decoded.
struct Outcome {
    bool ok = false;
    std::string message;
    int width = 0, height = 0;
};

// The library's work between setjmp and the end holds no C++ object: a jump skips no
// destructor. The pixels go into `rgba`, which the caller owns.
Outcome run(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>* rgba) {
    jpeg_decompress_struct info{};
    ErrorJump error;
    jpeg_progress_mgr progress{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jump_back;
    error.manager.output_message = keep_quiet;
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        Outcome failed;
        failed.message = error.message;
        return failed;
    }
    jpeg_create_decompress(&info);
    progress.progress_monitor = count_scans;
    info.progress = &progress;
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    Outcome outcome;
    outcome.width = static_cast<int>(info.image_width);
    outcome.height = static_cast<int>(info.image_height);
    if (rgba && outcome.width <= kMaxSide && outcome.height <= kMaxSide) {
        info.out_color_space = JCS_EXT_RGBA;
        jpeg_start_decompress(&info);
        const std::size_t row = std::size_t(info.output_width) * 4;
        rgba->resize(row * info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW at = rgba->data() + row * info.output_scanline;
            jpeg_read_scanlines(&info, &at, 1);
        }
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    outcome.ok = true;
    return outcome;
}

[[noreturn]] void damaged(const std::string& message) {
    unreadable("the JPEG data is damaged (" + message + ")");
}

}  // namespace

HeaderFacts probe_jpeg(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    const Outcome header = run(start, nullptr);
    if (!header.ok) {
        // The frame header may follow long metadata, past the bytes given.
        if (start.size() < file_size) return {Verdict::Ok, "", "JPEG", 0, 0};
        damaged(header.message);
    }
    check_side(header.width, "width");
    check_side(header.height, "height");
    return {Verdict::Ok, "", "JPEG", header.width, header.height};
}

DecodedImage decode_jpeg(std::span<const std::uint8_t> file) {
    probe_jpeg(file, file.size());
    std::vector<std::uint8_t> rgba;
    const Outcome decoded = run(file, &rgba);
    if (!decoded.ok) damaged(decoded.message);
    DecodedImage out{Verdict::Ok, "", "JPEG", Image(decoded.width, decoded.height), false};
    std::memcpy(out.image.pixels().data(), rgba.data(), out.image.bytes());
    return out;
}

}  // namespace textures
