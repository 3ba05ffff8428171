#include "textures/load.h"

#include <algorithm>
#include <utility>

#include "io/text.h"
#include "textures/image_error.h"
#include "textures/texture_file.h"

namespace textures {

namespace {

LoadedTexture stopped() {
    LoadedTexture t;
    t.reason = "loading stopped";
    return t;
}

}  // namespace

bool TextureBudget::take(std::size_t bytes) {
    std::size_t left = left_.load();
    do {
        if (bytes > left) return false;
    } while (!left_.compare_exchange_weak(left, left - bytes));
    return true;
}

std::size_t bytes_with_mipmaps(int width, int height) {
    std::size_t total = 0;
    for (;;) {
        total += std::size_t(width) * std::size_t(height) * 4;
        if (width == 1 && height == 1) return total;
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
}

std::vector<Image> mipmaps(const Image& image) {
    std::vector<Image> levels;
    const Image* last = &image;
    while (last->width() > 1 || last->height() > 1) {
        levels.push_back(halve(*last));
        last = &levels.back();
    }
    return levels;
}

LoadedTexture fit_texture(DecodedImage decoded, TextureBudget& budget,
                          const std::stop_token& stop) {
    LoadedTexture t;
    t.verdict = decoded.verdict;
    t.reason = std::move(decoded.reason);
    t.format = std::move(decoded.format);
    if (t.verdict != Verdict::Ok) return t;
    t.width = decoded.image.width();
    t.height = decoded.image.height();
    t.has_alpha = decoded.has_alpha;
    Image shown = std::move(decoded.image);
    while (!budget.take(bytes_with_mipmaps(shown.width(), shown.height()))) {
        if (shown.width() == 1 && shown.height() == 1) {
            t.left_out = true;
            return t;
        }
        if (stop.stop_requested()) return stopped();
        shown = halve(shown);
        ++t.halvings;
    }
    if (stop.stop_requested()) return stopped();
    std::vector<Image> below = mipmaps(shown);
    t.levels.reserve(below.size() + 1);
    t.levels.push_back(std::move(shown));
    std::move(below.begin(), below.end(), std::back_inserter(t.levels));
    return t;
}

std::optional<LoadedTexture> fit_stored(StoredDxt dxt, std::vector<std::uint8_t> file,
                                        TextureBudget& budget) {
    std::size_t bytes = 0;
    for (const StoredLevel& level : dxt.levels) bytes += level.bytes;
    std::size_t first = 0;
    for (; !budget.take(bytes); ++first) {
        if (first + 1 == dxt.levels.size()) return std::nullopt;
        bytes -= dxt.levels[first].bytes;
    }
    LoadedTexture t;
    t.verdict = Verdict::Ok;
    t.format = std::move(dxt.format);
    t.width = dxt.levels[0].width;
    t.height = dxt.levels[0].height;
    // DXT1 may hold transparent pixels; DXT3 and DXT5 are drawn blended, as decoded
    // textures with alpha are. Which DXT1 blocks are transparent the blocks say: look.
    t.has_alpha =
        dxt.coding != DxtCoding::Dxt1 || dxt1_transparent(std::span(file).subspan(
                                             dxt.levels[first].offset, dxt.levels[first].bytes));
    t.halvings = static_cast<int>(first);
    t.coding = dxt.coding;
    t.stored.assign(dxt.levels.begin() + static_cast<std::ptrdiff_t>(first), dxt.levels.end());
    t.file = std::make_shared<const std::vector<std::uint8_t>>(std::move(file));
    return t;
}

LoadedTexture load_texture(const FoundTexture& found, TextureBudget& budget,
                           const std::stop_token& stop, TextureForm form) {
    if (stop.stop_requested()) return stopped();
    if (form == TextureForm::Decoded) {
        DecodedImage decoded = decode_texture(found);
        if (stop.stop_requested()) return stopped();
        return fit_texture(std::move(decoded), budget, stop);
    }
    FileBytes file = read_texture_file(found);
    if (stop.stop_requested()) return stopped();
    DecodedImage decoded;
    if (!file.error.empty()) {
        decoded.reason = std::move(file.error);
    } else if (file.bytes.size() < file.file_size) {
        decoded.reason = "the file ended before all its bytes were read";
    } else {
        std::optional<StoredDxt> dxt;
        if (is_dds(file.bytes)) {
            try {
                dxt = stored_dxt(file.bytes);
            } catch (const ImageError&) {
                // decode_image says why below
            }
        }
        if (dxt) {
            if (auto t = fit_stored(std::move(*dxt), file.bytes, budget)) return std::move(*t);
        }
        decoded = decode_image(file.bytes, found.kind);
    }
    if (stop.stop_requested()) return stopped();
    return fit_texture(std::move(decoded), budget, stop);
}

std::string texture_status(const LoadedTexture& t) {
    if (t.verdict != Verdict::Ok) return std::string(verdict_word(t.verdict)) + ": " + t.reason;
    std::string text = t.format + ", " + size_text(t.width, t.height);
    if (t.left_out) return text + ", left out (over the texture budget)";
    if (t.halvings > 0 && !t.levels.empty()) {
        text += ", shown at " + size_text(t.levels[0].width(), t.levels[0].height()) +
                " (over the texture budget)";
    }
    if (!t.coding) return text;
    if (t.halvings > 0) {
        text += ", shown at " + size_text(t.stored[0].width, t.stored[0].height) +
                " (over the texture budget)";
    }
    return text + ", compressed, " + pof::integer_text(std::int64_t(t.stored.size())) +
           (t.stored.size() == 1 ? " level" : " levels");
}

}  // namespace textures
