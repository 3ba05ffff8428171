#include "textures/jpeg_format.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "textures/image_error.h"

namespace textures {

namespace {

// A progressive file may hold any number of scans, each costing a pass over the whole image;
// more than libjpeg-turbo's own tools accept is damage, not a picture.
constexpr int kMostScans = 500;

// Everything the library's work touches between a setjmp and its longjmp: plain C data only,
// so the jump skips no destructor. The caller owns it (and the image the rows go into) and
// ends it with jpeg_destroy_decompress, outside any jumping frame.
struct JpegRun {
    jpeg_error_mgr manager{};  // first: info->err points at the run
    jpeg_decompress_struct info{};
    jpeg_progress_mgr progress{};
    std::jmp_buf back{};
    char message[JMSG_LENGTH_MAX]{};
};

JpegRun* run_of(j_common_ptr info) {
    return reinterpret_cast<JpegRun*>(info->err);
}

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the setjmp of the step that called the library, with the library's message kept.
void jump_back(j_common_ptr info) {
    JpegRun* run = run_of(info);
    (*info->err->format_message)(info, run->message);
    std::longjmp(run->back, 1);
}

// Warnings (corrupt data the library steps over) are not printed.
void keep_quiet(j_common_ptr) {}

void count_scans(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMostScans) {
        JpegRun* run = run_of(info);
        std::snprintf(run->message, sizeof run->message, "more than %d scans", kMostScans);
        std::longjmp(run->back, 1);
    }
}

// Each step below holds only the run and plain values between its setjmp and the library's
// calls; false when the library gave up (its message is in run.message).

bool read_header(JpegRun& run, const std::uint8_t* bytes, std::size_t size) {
    if (setjmp(run.back)) return false;
    run.info.err = jpeg_std_error(&run.manager);
    run.manager.error_exit = jump_back;
    run.manager.output_message = keep_quiet;
    jpeg_create_decompress(&run.info);
    run.progress.progress_monitor = count_scans;
    run.info.progress = &run.progress;
    jpeg_mem_src(&run.info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&run.info, TRUE);
    return true;
}

// Decodes every row into `pixels`, `stride` bytes a row, as RGBA.
bool read_rows(JpegRun& run, std::uint8_t* pixels, std::size_t stride) {
    if (setjmp(run.back)) return false;
    run.info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&run.info);
    while (run.info.output_scanline < run.info.output_height) {
        JSAMPROW at = pixels + stride * run.info.output_scanline;
        jpeg_read_scanlines(&run.info, &at, 1);
    }
    jpeg_finish_decompress(&run.info);
    return true;
}

// Owns a run: the library's memory is given back however the work ends.
class Decompressor {
  public:
    Decompressor() = default;
    ~Decompressor() { jpeg_destroy_decompress(&run_.info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    JpegRun& run() { return run_; }
    // The library's message, copied out after the jump.
    std::string message() const { return run_.message; }

  private:
    JpegRun run_;
};

[[noreturn]] void damaged(const std::string& message) {
    unreadable("the JPEG data is damaged (" + message + ")");
}

}  // namespace

bool is_jpeg(std::span<const std::uint8_t> start) {
    return start.size() >= 3 && start[0] == 0xff && start[1] == 0xd8 && start[2] == 0xff;
}

HeaderFacts probe_jpeg(std::span<const std::uint8_t> start, std::uint64_t file_size) {
    Decompressor d;
    if (!read_header(d.run(), start.data(), start.size())) {
        // The frame header may follow long metadata, past the bytes given.
        if (start.size() < file_size) return {Verdict::Ok, "", "JPEG", 0, 0};
        damaged(d.message());
    }
    check_side(d.run().info.image_width, "width");
    check_side(d.run().info.image_height, "height");
    return {Verdict::Ok, "", "JPEG", static_cast<int>(d.run().info.image_width),
            static_cast<int>(d.run().info.image_height)};
}

// The rows go straight into the image: beside it the library keeps a few rows (a baseline
// file) or the file's coefficients (a progressive one).
DecodedImage decode_jpeg(std::span<const std::uint8_t> file) {
    Decompressor d;
    if (!read_header(d.run(), file.data(), file.size())) damaged(d.message());
    const auto& info = d.run().info;
    check_side(info.image_width, "width");
    check_side(info.image_height, "height");
    DecodedImage out{Verdict::Ok, "", "JPEG",
                     Image(static_cast<int>(info.image_width), static_cast<int>(info.image_height)),
                     false};
    if (!read_rows(d.run(), out.image.row(0), std::size_t(info.image_width) * 4)) {
        damaged(d.message());
    }
    return out;
}

}  // namespace textures
