#pragma once
// The textures of the sample ship, written beside it by the build: panel patterns with an
// "F" in the top-left corner, so a texture drawn mirrored or upside down shows at once.
//   hull.dds     DXT1, the hull and the coarse hull
//   turret.dds   DXT5 with a band of half-transparent glass, the turrets
//   caps.png     PNG, the hull's two end caps
//   debris.pcx   8-bit PCX, the debris piece
// and the bitmaps its glow banks name: runninglight.png and blinklight.png.

#include <string>
#include <vector>

#include "texture_writers.h"

namespace testing_pof {

// The TXTR names of the sample, in texture-number order.
const std::vector<std::string>& sample_texture_names();

struct SampleTexture {
    std::string file_name;  // "hull.dds"
    std::string bytes;
};

std::vector<SampleTexture> sample_textures();

// The pixels of texture `number` before it is coded into its file.
RgbaPixels sample_texture_pixels(int number);

}  // namespace testing_pof
