#include "shield_tree.h"

#include <algorithm>
#include <numeric>

namespace testing_pof {

namespace {

struct Box {
    bsp::Vec min{1e30f, 1e30f, 1e30f}, max{-1e30f, -1e30f, -1e30f};
    void add(const bsp::Vec& p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    float extent(int axis) const {
        return axis == 0 ? max.x - min.x : axis == 1 ? max.y - min.y : max.z - min.z;
    }
};

class TreeWriter {
  public:
    TreeWriter(ShieldTreeKind kind, const std::vector<ShieldFaceCorners>& faces, int per_leaf)
        : kind_(kind), faces_(faces), per_leaf_(std::max(per_leaf, 1)) {}

    // The subtree over faces [first, last) of order, laid out from its root.
    Bytes node(std::vector<std::int32_t>& order, std::size_t first, std::size_t last) const {
        Box box;
        for (std::size_t i = first; i < last; ++i) {
            for (const bsp::Vec& p : faces_[order[i]]) box.add(p);
        }
        if (last - first <= static_cast<std::size_t>(per_leaf_)) {
            const auto k = static_cast<std::int32_t>(last - first);
            Bytes b = head(1, header_bytes() + 4 + 4 * k, box).i32(k);
            for (std::size_t i = first; i < last; ++i) b.i32(order[i]);
            return b;
        }
        // Halves along the box's longest side, by the faces' centres.
        const int axis = box.extent(0) >= box.extent(1) && box.extent(0) >= box.extent(2) ? 0
                         : box.extent(1) >= box.extent(2)                                 ? 1
                                                                                          : 2;
        const auto centre = [&](std::int32_t f) {
            float sum = 0;
            for (const bsp::Vec& p : faces_[f]) sum += axis == 0 ? p.x : axis == 1 ? p.y : p.z;
            return sum;
        };
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                         order.begin() + static_cast<std::ptrdiff_t>(last),
                         [&](std::int32_t a, std::int32_t b) { return centre(a) < centre(b); });
        const std::size_t middle = first + (last - first) / 2;
        const Bytes front = node(order, first, middle), back = node(order, middle, last);
        const std::int32_t split = header_bytes() + 8;
        return head(0, split, box).i32(split).i32(split + front.size32()).raw(front).raw(back);
    }

  private:
    std::int32_t header_bytes() const { return kind_ == ShieldTreeKind::Sldc ? 29 : 32; }
    Bytes head(std::int32_t type, std::int32_t size, const Box& box) const {
        Bytes b;
        if (kind_ == ShieldTreeKind::Sldc) {
            b.u8(static_cast<std::uint8_t>(type));
        } else {
            b.i32(type);
        }
        return b.i32(size)
            .vec(box.min.x, box.min.y, box.min.z)
            .vec(box.max.x, box.max.y, box.max.z);
    }

    ShieldTreeKind kind_;
    const std::vector<ShieldFaceCorners>& faces_;
    int per_leaf_;
};

}  // namespace

Bytes shield_tree_body(ShieldTreeKind kind, const std::vector<ShieldFaceCorners>& faces,
                       int faces_per_leaf) {
    std::vector<std::int32_t> order(faces.size());
    std::iota(order.begin(), order.end(), 0);
    const Bytes tree = faces.empty()
                           ? Bytes()
                           : TreeWriter(kind, faces, faces_per_leaf).node(order, 0, faces.size());
    return Bytes().i32(tree.size32()).raw(tree);
}

}  // namespace testing_pof
