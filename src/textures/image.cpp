#include "textures/image.h"

#include <algorithm>

#include "io/byte_block.h"
#include "io/little_endian.h"
#include "io/text.h"

namespace textures {

Image::Image(int width, int height)
    : width_(width), height_(height), memory_(pof::bulk_memory(bytes())) {}

std::uint32_t Image::rgba(int x, int y) const {
    return pof::big_endian<4>(row(y) + std::size_t(x) * 4);
}

std::string size_text(std::int64_t width, std::int64_t height) {
    return pof::integer_text(width) + " \u00d7 " + pof::integer_text(height);
}

bool has_transparency(const Image& image) {
    const auto pixels = image.pixels();
    for (std::size_t i = 3; i < pixels.size(); i += 4) {
        if (pixels[i] != 255) return true;
    }
    return false;
}

Image halve(const Image& image) {
    const int w = std::max(1, image.width() / 2), h = std::max(1, image.height() / 2);
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* top = image.row(std::min(2 * y, image.height() - 1));
        const std::uint8_t* bottom = image.row(std::min(2 * y + 1, image.height() - 1));
        std::uint8_t* to = out.row(y);
        for (int x = 0; x < w; ++x) {
            const std::size_t left = std::size_t(std::min(2 * x, image.width() - 1)) * 4;
            const std::size_t right = std::size_t(std::min(2 * x + 1, image.width() - 1)) * 4;
            for (std::size_t c = 0; c < 4; ++c) {
                const unsigned sum =
                    top[left + c] + top[right + c] + bottom[left + c] + bottom[right + c];
                to[std::size_t(x) * 4 + c] = static_cast<std::uint8_t>((sum + 2) / 4);
            }
        }
    }
    return out;
}

}  // namespace textures
