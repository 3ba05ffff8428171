#include <algorithm>
#include <bit>

#include "io/little_endian.h"
#include "records/weapons/weapon_records.h"

namespace records {

namespace {

// Reads the tree's bytes; every offset asked of it has been checked against the bytes held.
class TreeBytes {
  public:
    explicit TreeBytes(const std::string& bytes) : bytes_(bytes) {}
    std::int64_t size() const { return static_cast<std::int64_t>(bytes_.size()); }
    std::uint32_t u32(std::int64_t at) const { return pof::little_endian<4>(bytes_.data() + at); }
    std::int32_t type(std::int64_t at, std::int64_t width) const {
        return width == 1 ? static_cast<std::int32_t>(pof::little_endian<1>(bytes_.data() + at))
                          : static_cast<std::int32_t>(u32(at));
    }
    pof::Vec3 vec(std::int64_t at) const {
        return {std::bit_cast<float>(u32(at)), std::bit_cast<float>(u32(at + 4)),
                std::bit_cast<float>(u32(at + 8))};
    }

  private:
    const std::string& bytes_;
};

// One node at its offset, or false where its fixed fields pass the tree's end. A leaf keeps the
// indices that lie inside the tree (all of them, unless the node is cut): a hostile count sizes
// nothing.
bool read_node(const TreeBytes& t, const ShieldTreeLayout& l, std::int64_t at,
               ShieldTreeNode& node) {
    const std::int64_t left = t.size() - at;
    if (left < l.leaf_bytes()) return false;
    node.offset = at;
    node.type = t.type(at, l.type_bytes);
    if (node.split() && left < l.split_bytes()) return false;
    node.size = t.u32(at + l.size_at());
    node.min = t.vec(at + l.min_at());
    node.max = t.vec(at + l.max_at());
    if (node.split()) {
        node.front = t.u32(at + l.link_at());
        node.back = t.u32(at + l.link_at() + 4);
        return true;
    }
    node.count = t.u32(at + l.link_at());
    const std::int64_t held = (left - l.leaf_bytes()) / 4;
    const std::int64_t n = std::min<std::int64_t>(node.count, held);
    node.faces.resize(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) node.faces[i] = t.u32(at + l.leaf_bytes() + 4 * i);
    return true;
}

}  // namespace

// The tree size is held to the chunk's body and the bytes left in the file; the nodes are
// walked by their sizes. A node whose fields pass the tree's end, whose indices do not all fit,
// or whose size leads before its own end or past the tree ends the list: the nodes read before
// it stay.
void read_shield_tree(pof::PofFile& f, std::int32_t chunk_size, const ShieldTreeLayout& layout,
                      ShieldTreeRecord& r) {
    r.chunk_size = chunk_size;
    r.tree_size = f.i32();
    const std::int64_t body = std::max<std::int64_t>(0, std::int64_t{chunk_size} - 4);
    r.tree_bytes = std::clamp<std::int64_t>(r.tree_size, 0, std::min(body, f.left()));
    r.cut = r.tree_bytes < r.tree_size;
    const std::string bytes = f.bytes(r.tree_bytes);
    const TreeBytes tree(bytes);
    std::int64_t at = 0;
    while (at < tree.size()) {
        ShieldTreeNode node;
        if (!read_node(tree, layout, at, node)) {
            r.cut = true;
            return;
        }
        const std::int64_t fixed =
            node.split() ? layout.split_bytes()
                         : layout.leaf_bytes() + 4 * static_cast<std::int64_t>(node.count);
        const std::int64_t next = at + node.size;
        const bool whole = node.split() || node.faces.size() == node.count;
        r.nodes.push_back(std::move(node));
        if (!whole || r.nodes.back().size < fixed || next > tree.size()) {
            r.cut = true;
            return;
        }
        at = next;
    }
}

}  // namespace records
