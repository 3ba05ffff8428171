#include "scene/thumbnail.h"

#include "scene/build_scene.h"
#include "scene/picture.h"
#include "scene/texture_list.h"

namespace scene {

namespace {

// The camera framing what the thumbnail draws.
Camera fitted(const Scene& scene) {
    view::Picture frame;
    const Bounds bounds = visible_bounds(scene, {});
    if (bounds.empty) {
        frame.min = {1, 1, 1};
        frame.max = {0, 0, 0};
    } else {
        frame.min = {bounds.min.x, bounds.min.y, bounds.min.z};
        frame.max = {bounds.max.x, bounds.max.y, bounds.max.z};
    }
    Camera camera;
    camera.fit(frame);
    return camera;
}

}  // namespace

RenderedImage draw_thumbnail(const pof::ModelStore& store, int side) {
    RenderOptions options;
    options.width = options.height = side;
    options.transparent = true;
    if (side < 1 || side > kMaxImageSide) return {};
    const Scene level0 = build_scene(store, SceneOptions{0});
    if (level0.counts.polygons == 0) return {};
    const TextureList list(store);
    const TextureImages textures = load_textures(list.loaders().get());
    Renderer renderer(fitted(level0), options, textures);
    for (const Mesh& mesh : level0.meshes) {
        std::vector<view::TriangleBatch> batches = mesh_batches(mesh, 0);
        list.share_files(batches);
        renderer.solids(batches);
    }
    return renderer.finish({}, {}, {});
}

}  // namespace scene
