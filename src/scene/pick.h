#pragma once
// The item under the pointer, found without drawing: two trees of boxes, built once per scene,
// one over its polygons and one over its markers. A polygon is found by the ray through the
// pixel's centre between the near and far planes, the nearest it meets; a marker by where its
// point, direction line, rings and segments land on the screen, as wide as the view draws them
// when it looks items up. The answer is the one a frame of item ids holds at that pixel:
// markers over the hull wherever they lie (points over rings, rings over direction lines, those
// over segments, a later marker over an earlier one), else the nearest polygon; and when the
// pixel holds nothing, the first pixel around it that does, ring by ring within reach.

#include <array>
#include <cstdint>
#include <vector>

#include "scene/picture.h"
#include "scene/scene.h"
#include "view/picture.h"

namespace scene {

// A box of a tree. A leaf holds count items from first on; an inner node (count 0) has its
// first child right after it and its second at first.
struct PickNode {
    std::array<float, 3> lo{}, hi{};
    std::uint32_t first = 0, count = 0;
};

class PickTree {
  public:
    PickTree() = default;
    explicit PickTree(const Scene& scene);

    // The item at the request's pixel in the picture make_picture(scene, shown, options) makes,
    // -1 for none. The scene is the one the tree was built from.
    int item_at(const Scene& scene, const std::array<bool, kMarkerKinds>& shown,
                const PictureOptions& options, const view::PickRequest& request) const;

    // A leaf holds a run of markers that lie together (in the order of a curve through
    // them), so the tree costs a few bytes a marker: its number, and a share of a leaf.
    static constexpr std::uint32_t kMarkersPerLeaf = 16;
    std::size_t bytes() const {
        return (polygon_nodes_.size() + marker_nodes_.size()) * sizeof(PickNode) +
               (polygons_.size() + markers_.size() + first_polygon_.size()) * sizeof(std::uint32_t);
    }

  private:
    class Query;
    std::vector<PickNode> polygon_nodes_, marker_nodes_;
    std::vector<std::uint32_t> polygons_;       // polygon numbers (over all meshes), leaf by leaf
    std::vector<std::uint32_t> markers_;        // marker numbers, leaf by leaf
    std::vector<std::uint32_t> first_polygon_;  // per mesh, the number of its first polygon
    float marker_size_ = 1;                     // the length of a direction line
};

}  // namespace scene
