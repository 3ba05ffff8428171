#include "view/texture_pieces.h"

#include <algorithm>

namespace view {

std::vector<TexturePiece> texture_pieces(const TextureImage& image, std::size_t most_bytes) {
    const bool blocks = image.coding != TextureCoding::Rgba;
    const std::size_t block_bytes = image.coding == TextureCoding::Dxt1 ? 8 : 16;
    const int band = blocks ? 4 : 1;  // pixel rows a row of pixels or blocks covers
    std::vector<TexturePiece> pieces;
    for (std::size_t level = 0; level < image.levels.size(); ++level) {
        const TextureLevel& l = image.levels[level];
        const std::size_t row_bytes =
            blocks ? std::size_t(l.width + 3) / 4 * block_bytes : std::size_t(l.width) * 4;
        const std::size_t rows = blocks ? std::size_t(l.height + 3) / 4 : std::size_t(l.height);
        if (l.width < 1 || l.height < 1 || l.rgba.size() < rows * row_bytes) return {};
        const std::size_t per_piece = std::max<std::size_t>(1, most_bytes / row_bytes);
        for (std::size_t row = 0; row < rows; row += per_piece) {
            const std::size_t n = std::min(per_piece, rows - row);
            const int y = static_cast<int>(row) * band;
            pieces.push_back({static_cast<int>(level), y,
                              std::min(static_cast<int>(n) * band, l.height - y),
                              l.rgba.subspan(row * row_bytes, n * row_bytes)});
        }
    }
    return pieces;
}

}  // namespace view
