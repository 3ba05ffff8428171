// The software renderer on pictures of a few triangles, lines and points whose pixels are
// known: where a triangle covers, which of two surfaces is in front, which way up a texture
// lies, and that nothing it is given makes it fail.
#include "scene/render.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using scene::Camera;
using scene::RenderedImage;

constexpr int kSide = 100;
constexpr std::uint8_t kRed[3] = {255, 0, 0}, kGreen[3] = {0, 255, 0};

// Three corners of one colour, appended to a batch.
void add_triangle(view::TriangleBatch& batch, std::array<pof::Vec3, 3> corners,
                  const std::uint8_t* rgb, std::array<float, 6> uvs = {}) {
    for (int k = 0; k < 3; ++k) {
        batch.positions.insert(batch.positions.end(), {corners[k].x, corners[k].y, corners[k].z});
        batch.colours.insert(batch.colours.end(), rgb, rgb + 3);
        batch.uvs.insert(batch.uvs.end(), {uvs[k * 2], uvs[k * 2 + 1]});
    }
    batch.ids.push_back(0);
}

// The square x, y in -1 ... 1 at depth z as two triangles; texture coordinates (0, 0) at its
// top left (x = -1, y = 1), (1, 1) at its bottom right.
void add_square(view::TriangleBatch& batch, float z, const std::uint8_t* rgb) {
    add_triangle(batch, {{{-1, 1, z}, {1, 1, z}, {1, -1, z}}}, rgb, {0, 0, 1, 0, 1, 1});
    add_triangle(batch, {{{-1, 1, z}, {1, -1, z}, {-1, -1, z}}}, rgb, {0, 0, 1, 1, 0, 1});
}

view::Picture framed(std::vector<view::TriangleBatch> solids) {
    view::Picture p;
    p.solids = std::move(solids);
    p.min = {-1, -1, -1};
    p.max = {1, 1, 1};
    return p;
}

// Looking along +z of the picture from its -z side, so that x runs right and y up on the
// image: yaw 0, no pitch.
Camera from_behind(const view::Picture& picture, bool orthographic) {
    Camera camera;
    camera.set_orthographic(orthographic);
    camera.look(0, 0);
    camera.fit(picture);
    return camera;
}

RenderedImage draw(const view::Picture& picture, const Camera& camera,
                   const scene::TextureImages& textures = {}, bool transparent = false) {
    scene::RenderOptions options;
    options.width = kSide;
    options.height = kSide;
    options.transparent = transparent;
    return scene::render(picture, {}, textures, camera, options);
}

// The pixel a picture point lands on.
std::pair<int, int> pixel_of(const Camera& camera, const pof::Vec3& p) {
    const scene::Clip c = scene::transform(camera.transform(1), p);
    return {static_cast<int>(std::floor((c.x / c.w + 1) / 2 * kSide)),
            static_cast<int>(std::floor((1 - c.y / c.w) / 2 * kSide))};
}

std::array<int, 4> rgba_at(const RenderedImage& image, std::pair<int, int> at) {
    const std::uint8_t* p =
        &image.rgba[(static_cast<std::size_t>(at.second) * image.width + at.first) * 4];
    return {p[0], p[1], p[2], p[3]};
}

bool is_background(const std::array<int, 4>& pixel) {
    return pixel == std::array<int, 4>{28, 31, 38, 255};
}

TEST(Render, CoversATrianglesPixelsAndNoOthers) {
    view::TriangleBatch batch;
    add_triangle(batch, {{{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}}}, kRed);
    const auto picture = framed({batch});
    const Camera camera = from_behind(picture, true);
    const RenderedImage image = draw(picture, camera);
    ASSERT_EQ(image.rgba.size(), std::size_t{kSide * kSide * 4});

    // Facing the light head-on, the colour is the triangle's own.
    EXPECT_EQ(rgba_at(image, pixel_of(camera, {-0.5f, -0.5f, 0})),
              (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_TRUE(is_background(rgba_at(image, pixel_of(camera, {0.5f, 0.5f, 0}))));
    EXPECT_TRUE(is_background(rgba_at(image, {0, 0})));
    // As many pixels as the projected triangle's area, give or take its edges.
    const auto [left, bottom] = pixel_of(camera, {-1, -1, 0});
    const auto [right, top] = pixel_of(camera, {1, 1, 0});
    const double legs = right - left;
    int covered = 0;
    for (int p = 0; p < kSide * kSide; ++p) covered += image.rgba[p * 4] == 255;
    EXPECT_NEAR(covered, legs * (bottom - top) / 2, 2 * legs);
}

// Two triangles that share an edge cover each pixel once: a half-transparent square shows
// one even tone, with no darker seam along its diagonal.
TEST(Render, SharedEdgesAreDrawnOnce) {
    view::TriangleBatch batch;
    add_square(batch, 0, kRed);
    batch.texture = 0;
    view::TextureImage glass;
    glass.alpha = true;
    glass.levels.push_back(view::TextureLevel::of(1, 1, {255, 255, 255, 128}));
    const auto picture = framed({batch});
    const Camera camera = from_behind(picture, true);
    const RenderedImage image = draw(picture, camera, {{0, glass}});
    const auto [left, top] = pixel_of(camera, {-1, 1, 0});
    const auto [right, bottom] = pixel_of(camera, {1, -1, 0});
    const auto tone = rgba_at(image, {left + 2, bottom - 2});
    EXPECT_FALSE(is_background(tone));
    for (int y = top + 1; y < bottom - 1; ++y) {
        for (int x = left + 1; x < right - 1; ++x)
            ASSERT_EQ(rgba_at(image, {x, y}), tone) << "pixel " << x << ", " << y;
    }
}

// The nearer of two squares hides the other, whichever is drawn first, in either projection;
// a square seen edge-on from the side is lit the least.
TEST(Render, NearerSurfacesHideFartherOnes) {
    for (const bool orthographic : {false, true}) {
        for (const bool near_first : {false, true}) {
            view::TriangleBatch near_square, far_square;
            add_square(near_square, -0.5f, kRed);  // the eye looks from the -z side
            add_square(far_square, 0.5f, kGreen);
            const auto picture = framed(near_first ? std::vector{far_square, near_square}
                                                   : std::vector{near_square, far_square});
            const Camera camera = from_behind(picture, orthographic);
            const auto centre = rgba_at(draw(picture, camera), pixel_of(camera, {0, 0, 0}));
            EXPECT_EQ(centre, (std::array<int, 4>{255, 0, 0, 255}))
                << (orthographic ? "orthographic" : "perspective");
        }
    }
}

// A comparison's other model shows through where it lies nearer than the open one, and not
// where the open model hides it.
TEST(Render, AGhostBlendsOverWhatItLiesInFrontOf) {
    for (const auto& [z, expected] : {std::pair{-0.5f, std::array<int, 4>{140, 115, 0, 255}},
                                      std::pair{0.5f, std::array<int, 4>{255, 0, 0, 255}}}) {
        view::TriangleBatch model, ghost;
        add_square(model, 0, kRed);
        add_square(ghost, z, kGreen);
        auto picture = framed({model});
        picture.ghost = {ghost};
        const Camera camera = from_behind(picture, true);
        EXPECT_EQ(rgba_at(draw(picture, camera), pixel_of(camera, {0, 0, 0})), expected) << z;
    }
}

// A texture whose top-left quarter is red: v = 0 is its top row and u = 0 its left column,
// so a square with (0, 0) at its top left shows red there, green at the top right.
TEST(Render, TexturesLieTheWayTheirCoordinatesSay) {
    view::TriangleBatch batch;
    add_square(batch, 0, kGreen);
    batch.texture = 3;
    // 4 x 4 texels, a colour per 2 x 2 quarter: red, green above; blue, white below.
    view::TextureImage image;
    std::vector<std::uint8_t> texels;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int quarter = (y / 2) * 2 + x / 2;
            const std::array<std::uint8_t, 4> colours[4] = {
                {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
            texels.insert(texels.end(), colours[quarter].begin(), colours[quarter].end());
        }
    }
    image.levels.push_back(view::TextureLevel::of(4, 4, std::move(texels)));
    const auto picture = framed({batch});
    const Camera camera = from_behind(picture, false);
    const RenderedImage drawn = draw(picture, camera, {{3, image}});
    EXPECT_EQ(rgba_at(drawn, pixel_of(camera, {-0.5f, 0.5f, 0})),
              (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(rgba_at(drawn, pixel_of(camera, {0.5f, 0.5f, 0})),
              (std::array<int, 4>{0, 255, 0, 255}));
    EXPECT_EQ(rgba_at(drawn, pixel_of(camera, {-0.5f, -0.5f, 0})),
              (std::array<int, 4>{0, 0, 255, 255}));
    // A texture that was not loaded leaves the batch its tint.
    EXPECT_EQ(rgba_at(draw(picture, camera), pixel_of(camera, {-0.5f, 0.5f, 0})),
              (std::array<int, 4>{0, 255, 0, 255}));
}

// A line lying on a surface shows on it, one behind it does not; a point is a square of
// seven pixels; the highlight shows through everything. A thumbnail's background is clear.
TEST(Render, LinesAndPointsSitOnTheSurfaces) {
    view::TriangleBatch square;
    add_square(square, 0, kGreen);
    auto picture = framed({square});
    const std::uint8_t white[6] = {255, 255, 255, 255, 255, 255};
    picture.lines.positions = {-1, 0.5f, 0, 1, 0.5f, 0, -1, -0.5f, 0.9f, 1, -0.5f, 0.9f};
    picture.lines.colours.assign(white, white + 6);
    picture.lines.colours.insert(picture.lines.colours.end(), white, white + 6);
    picture.lines.ids = {0, 1};
    picture.shapes.centres = {0, 0, 0};
    picture.shapes.directions = {0, 0, 0};
    picture.shapes.radii = {0};
    picture.shapes.colours = {255, 0, 0};
    picture.shapes.ids = {2};
    const Camera camera = from_behind(picture, true);
    const RenderedImage image = draw(picture, camera, {}, true);
    const std::array<int, 4> white_pixel{255, 255, 255, 255}, clear{0, 0, 0, 0};
    EXPECT_EQ(rgba_at(image, pixel_of(camera, {0.3f, 0.5f, 0})), white_pixel);
    EXPECT_EQ(rgba_at(image, pixel_of(camera, {0.3f, -0.5f, 0})),
              (std::array<int, 4>{0, 255, 0, 255}));  // behind the square: hidden
    const auto [x, y] = pixel_of(camera, {0, 0, 0});
    int red = 0;
    for (int dy = -5; dy <= 5; ++dy) {
        for (int dx = -5; dx <= 5; ++dx) red += rgba_at(image, {x + dx, y + dy})[1] == 0;
    }
    EXPECT_EQ(red, 49);
    EXPECT_EQ(rgba_at(image, {0, 0}), clear);

    view::LineBatch highlight;
    highlight.positions = {-1, -0.5f, 0.9f, 1, -0.5f, 0.9f};
    highlight.colours = {255, 255, 0, 255, 255, 0};
    highlight.ids = {0};
    scene::RenderOptions options;
    options.width = options.height = kSide;
    const auto lit = scene::render(picture, highlight, {}, camera, options);
    EXPECT_EQ(rgba_at(lit, pixel_of(camera, {0.3f, -0.5f, 0})),
              (std::array<int, 4>{255, 255, 0, 255}));
}

// Corners behind the eye, far outside the image, not finite, and sizes out of range: the
// picture is drawn (or refused) without a fault and in bounded time.
TEST(Render, HostileGeometryIsCutNotFollowed) {
    view::TriangleBatch batch;
    add_triangle(batch, {{{-1, -1, 0}, {1, -1, 0}, {0, 1, -1e6f}}}, kRed);  // through the eye
    add_triangle(batch, {{{-3e38f, -1, 0}, {3e38f, -1, 0}, {0, 3e38f, 0}}}, kRed);
    add_triangle(batch, {{{NAN, 0, 0}, {1, 0, 0}, {0, INFINITY, 0}}}, kRed);
    add_triangle(batch, {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}}, kRed);  // no area
    auto picture = framed({batch});
    picture.lines.positions = {-3e38f, 0, 0, 3e38f, 1, 1e30f, 0, 0, -1e9f, 0, 0, 1e9f};
    picture.lines.colours.assign(12, 255);
    picture.lines.ids = {0, 1};
    picture.shapes.centres = {NAN, 0, 0, 0, 0, -1e9f};
    picture.shapes.directions = {0, 0, 0, 0, 1e30f, 0};
    picture.shapes.radii = {1, 3e38f};
    picture.shapes.colours.assign(6, 255);
    picture.shapes.ids = {0, 1};
    for (const bool orthographic : {false, true}) {
        const RenderedImage image = draw(picture, from_behind(picture, orthographic));
        EXPECT_EQ(image.width, kSide);
    }
    scene::RenderOptions options;
    for (const auto& [w, h] : {std::pair{0, 10}, {10, 0}, {8193, 10}, {-1, -1}}) {
        options.width = w;
        options.height = h;
        EXPECT_TRUE(scene::render(picture, {}, {}, Camera{}, options).rgba.empty());
    }
}

}  // namespace

namespace {

// Where a picture point lands, in pixels of a square view of that side.
std::pair<float, float> screen_of(const scene::Camera& camera, const pof::Vec3& p, int side) {
    const scene::Clip c = scene::transform(camera.transform(1), p);
    return {(c.x / c.w + 1) / 2 * static_cast<float>(side),
            (1 - c.y / c.w) / 2 * static_cast<float>(side)};
}

// From any side, in either projection, the fitted view holds every corner of what is drawn.
TEST(Camera, FittedViewsHoldTheWholePicture) {
    view::Picture picture;
    picture.min = {-3, -1, -20};
    picture.max = {5, 2, 22};
    for (const bool orthographic : {false, true}) {
        for (const float yaw : {0.0f, 1.0f, 2.6f, 4.0f}) {
            for (const float pitch : {-1.56f, 0.0f, 0.4f}) {
                scene::Camera camera;
                camera.set_orthographic(orthographic);
                camera.look(yaw, pitch);
                camera.fit(picture);
                for (int corner = 0; corner < 8; ++corner) {
                    const pof::Vec3 p{picture.min[0] + (corner & 1 ? 8.0f : 0.0f),
                                      picture.min[1] + (corner & 2 ? 3.0f : 0.0f),
                                      picture.min[2] + (corner & 4 ? 42.0f : 0.0f)};
                    const scene::Clip c = scene::transform(camera.transform(1), p);
                    EXPECT_GT(c.w, 0);
                    EXPECT_LT(std::abs(c.x / c.w), 1) << yaw << " " << pitch;
                    EXPECT_LT(std::abs(c.y / c.w), 1) << yaw << " " << pitch;
                }
            }
        }
    }
}

// A drag of the right or middle button moves the model with the pointer, at the target's
// depth, pixel for pixel; the wheel brings it closer.
TEST(Camera, PanningFollowsThePointer) {
    view::Picture picture;
    picture.min = {-1, -1, -1};
    picture.max = {1, 1, 1};
    scene::Camera camera;
    camera.fit(picture);
    const auto [x0, y0] = screen_of(camera, {0, 0, 0}, 200);
    camera.pan(10, -4, 200);
    const auto [x1, y1] = screen_of(camera, {0, 0, 0}, 200);
    EXPECT_NEAR(x1 - x0, 10, 0.01);
    EXPECT_NEAR(y1 - y0, -4, 0.01);
    const float before = camera.distance();
    camera.zoom(1);
    EXPECT_LT(camera.distance(), before);
}

}  // namespace
