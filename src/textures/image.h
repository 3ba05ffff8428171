#pragma once
// A decoded texture: 8-bit RGBA pixels, row by row. Row 0 is the image's top row, and a
// texture coordinate v = 0 addresses it: in DDS, PCX, PNG and JPEG files that is the first
// row stored; a TGA file says in its header whether its rows run upward, and its top row is
// row 0 all the same, so a TGA and the DDS converted from it map alike.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace textures {

// The most pixels an image may have across or down; larger images are refused.
inline constexpr int kMaxSide = 8192;

class Image {
  public:
    Image() = default;
    // width x height pixels, not yet written; both from 1 to kMaxSide.
    Image(int width, int height);
    Image(Image&&) noexcept = default;
    Image& operator=(Image&&) noexcept = default;
    Image(const Image&) = delete;  // images are large: moved, never copied by accident
    Image& operator=(const Image&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0; }
    // Bytes the pixels take: 4 per pixel.
    std::size_t bytes() const { return std::size_t(width_) * std::size_t(height_) * 4; }

    std::span<std::uint8_t> pixels() { return {data(), bytes()}; }
    std::span<const std::uint8_t> pixels() const { return {data(), bytes()}; }
    std::uint8_t* row(int y) { return data() + std::size_t(y) * std::size_t(width_) * 4; }
    const std::uint8_t* row(int y) const {
        return data() + std::size_t(y) * std::size_t(width_) * 4;
    }
    // The pixels' memory, shared: it lives while any holder does (a texture handed to a
    // window keeps it without a copy).
    std::shared_ptr<const std::uint8_t> shared_pixels() const { return {memory_, data()}; }
    // The RGBA of one pixel packed as 0xRRGGBBAA, for tests and tooltips.
    std::uint32_t rgba(int x, int y) const;

  private:
    std::uint8_t* data() const { return reinterpret_cast<std::uint8_t*>(memory_.get()); }

    int width_ = 0;
    int height_ = 0;
    // Not cleared: every decoder writes each pixel. Large images lie on huge pages where the
    // system offers them, which saves most of the page faults of fresh memory.
    std::shared_ptr<char> memory_;
};

// A picture's size as every window and message shows it: "2048 × 1024".
std::string size_text(std::int64_t width, std::int64_t height);

// True when some pixel is less than opaque.
bool has_transparency(const Image& image);

// The image at half its width and height, as OpenGL sizes mipmap levels (an odd side rounds
// down, a side of 1 stays 1): each pixel the mean of the 2 x 2 it covers (box filter).
Image halve(const Image& image);

}  // namespace textures
