#include "textures/load.h"

#include <algorithm>
#include <utility>

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

LoadedTexture load_texture(const FoundTexture& found, TextureBudget& budget,
                           const std::stop_token& stop) {
    if (stop.stop_requested()) return stopped();
    DecodedImage decoded = decode_texture(found);
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
    return text;
}

}  // namespace textures
