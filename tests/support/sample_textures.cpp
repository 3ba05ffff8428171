#include "sample_textures.h"

#include <algorithm>

namespace testing_pof {

namespace {

constexpr int kSize = 128;

struct Look {
    std::uint32_t base, seam, rivet, mark;  // 0xRRGGBBAA
    int panel;                              // pixels a side
};

constexpr Look kLooks[] = {
    {0x7f8c99ff, 0x3d444cff, 0xb4bec8ff, 0xffd21eff, 32},  // hull: blue-grey plates
    {0x6b7345ff, 0x33381fff, 0xa8b07aff, 0xffffffff, 16},  // turret: olive armour
    {0xc87832ff, 0x5a3214ff, 0xe6b48cff, 0x000000ff, 64},  // caps: orange
    {0x5c4a3dff, 0x2b211aff, 0x8c7566ff, 0xff3c28ff, 32},  // debris: scorched brown
};

// The letter F, 5 x 7, drawn scaled at the top-left corner: it has no mirror symmetry
// either way, so a flip in u or v shows.
constexpr const char* kLetterF[7] = {"#####", "#....", "#....", "####.", "#....", "#....", "#...."};

void panels(RgbaPixels& image, const Look& look) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int px = x % look.panel, py = y % look.panel;
            const bool seam = px < 2 || py < 2;
            const bool rivet =
                (px == 5 || px == look.panel - 4) && (py == 5 || py == look.panel - 4);
            image.set(x, y, seam ? look.seam : rivet ? look.rivet : look.base);
        }
    }
}

void letter(RgbaPixels& image, std::uint32_t colour) {
    constexpr int kScale = 3, kAt = 6;
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 5; ++c) {
            if (kLetterF[r][c] != '#') continue;
            for (int dy = 0; dy < kScale; ++dy) {
                for (int dx = 0; dx < kScale; ++dx)
                    image.set(kAt + c * kScale + dx, kAt + r * kScale + dy, colour);
            }
        }
    }
}

// A band of half-transparent glass across the turret texture's lower half.
void glass(RgbaPixels& image) {
    for (int y = kSize * 5 / 8; y < kSize * 7 / 8; ++y) {
        for (int x = 0; x < image.width; ++x) image.at(x, y)[3] = 96;
    }
}

// A soft round light of colour on a clear background, the bitmap a glow point shows.
RgbaPixels glow_light(std::uint32_t colour) {
    constexpr int kSide = 32;
    RgbaPixels image(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const float dx = (x + 0.5f) / kSide * 2 - 1, dy = (y + 0.5f) / kSide * 2 - 1;
            const float fall = 1 - std::min(1.0f, dx * dx + dy * dy);
            image.set(x, y, (colour & 0xffffff00u) | static_cast<std::uint32_t>(fall * 255));
        }
    }
    return image;
}

}  // namespace

const std::vector<std::string>& sample_texture_names() {
    static const std::vector<std::string> names{"hull", "turret", "caps", "debris"};
    return names;
}

RgbaPixels sample_texture_pixels(int number) {
    RgbaPixels image(kSize, kSize);
    const Look& look = kLooks[number];
    panels(image, look);
    letter(image, look.mark);
    if (number == 1) glass(image);
    return image;
}

std::vector<SampleTexture> sample_textures() {
    return {{"hull.dds", dds_file(sample_texture_pixels(0), false)},
            {"turret.dds", dds_file(sample_texture_pixels(1), true)},
            {"caps.png", png_file(sample_texture_pixels(2))},
            {"debris.pcx", pcx8_file(sample_texture_pixels(3))},
            {"runninglight.png", png_file(glow_light(0xffe6b4ffu))},
            {"blinklight.png", png_file(glow_light(0xff5037ffu))}};
}

}  // namespace testing_pof
