#pragma once
// Draws a picture without a display or a GPU: what the Model View's OpenGL window draws, from
// the same camera, into an RGBA image. Depth-tested triangles shaded by the head-light from
// their own plane (either side lit), textured where a texture was loaded and tinted where
// not, the textures with alpha blended over the rest without hiding it; lines and points on
// top of the surfaces they lie on; the highlight over everything. One thread and float
// arithmetic only, so one build gives the same pixels for the same input on every run.
// The cost is linear in the triangles and the pixels; nothing is held beyond the image and
// its depth buffer.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "scene/camera.h"
#include "view/picture.h"

namespace scene {

inline constexpr int kMaxImageSide = 8192;

struct RenderOptions {
    int width = 512, height = 512;
    // The background left fully transparent (thumbnails); the window's dark tone otherwise.
    bool transparent = false;
    bool textured = true;  // false: each texture's tint, as the window's T key shows
};

struct RenderedImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, the top row first
};

// The loaded textures by the picture's texture number; a number not here draws its tint.
using TextureImages = std::map<int, view::TextureImage>;
// The picture's textures decoded one after the other, as the window loads them (none
// without a set).
TextureImages load_textures(const view::PictureTextures* set);

class Raster;

// Draws in steps, so a caller can hand over the triangles a batch at a time and let each go
// before making the next: the opaque ones are drawn at once, those whose texture has alpha
// are kept and drawn over the rest at the end, then the lines, points and highlight.
class Renderer {
  public:
    // The textures must outlive the renderer. Sizes outside 1 ... kMaxImageSide draw nothing
    // and give an empty image.
    Renderer(const Camera& camera, const RenderOptions& options, const TextureImages& textures);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void solids(const std::vector<view::TriangleBatch>& batches);
    // Another model's hull, blended over the solids at the end; the batches must outlive
    // finish().
    void ghost(const std::vector<view::TriangleBatch>& batches);
    // The markers' segments and shapes are drawn in the order of their ids, so a marker's
    // direction and sphere come right after its segments, as in a picture of lines alone;
    // the markers' points after every line.
    RenderedImage finish(const view::LineBatch& lines, const view::MarkerShapes& shapes,
                         const view::LineBatch& highlight);

  private:
    const view::TextureImage* texture_of(const view::TriangleBatch& batch) const;
    RenderOptions options_;
    const TextureImages& textures_;
    std::unique_ptr<Raster> raster_;
    std::vector<view::TriangleBatch> blended_;
    const std::vector<view::TriangleBatch>* ghost_ = nullptr;
};

// The whole picture at once. Sizes outside 1 ... kMaxImageSide give an empty image.
RenderedImage render(const view::Picture& picture, const view::LineBatch& highlight,
                     const TextureImages& textures, const Camera& camera,
                     const RenderOptions& options);

}  // namespace scene
