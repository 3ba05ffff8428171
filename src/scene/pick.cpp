#include "scene/pick.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "scene/camera.h"

namespace scene {

namespace {

using pof::Vec3;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr std::uint32_t kPolygonsPerLeaf = 8;

PickNode empty_node() {
    PickNode n;
    n.lo = {kInf, kInf, kInf};
    n.hi = {-kInf, -kInf, -kInf};
    return n;
}

void grow(PickNode& n, const Vec3& p) {
    if (!pof::finite(p)) return;
    const std::array<float, 3> a{p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
        n.lo[k] = std::min(n.lo[k], a[k]);
        n.hi[k] = std::max(n.hi[k], a[k]);
    }
}

// By another box (a node, or a Box).
template <typename Other>
void grow(PickNode& n, const Other& b) {
    for (int k = 0; k < 3; ++k) {
        n.lo[k] = std::min(n.lo[k], b.lo[k]);
        n.hi[k] = std::max(n.hi[k], b.hi[k]);
    }
}

Vec3 corner_at(const Mesh& mesh, const Corner& c) {
    return mesh.vertices[c.vertex] + mesh.placement;
}

// What a marker draws beside its segments: a point, a direction line and a sphere.
bool drawn_at_a_point(const Marker& m) {
    return !drawn_as_segments(m.kind);
}
float radius_of(const Marker& m) {
    return m.radius > 0 ? m.radius : 0;
}

// Every place a marker draws, for its leaf's box.
void grow(PickNode& n, const Scene& scene, const Marker& m, float size) {
    for (const Vec3& p : scene.segments_of(m)) grow(n, p);
    if (!drawn_at_a_point(m)) return;
    grow(n, m.position);
    grow(n, m.position + marker_direction(m, size));
    const float r = radius_of(m);
    grow(n, m.position - Vec3{r, r, r});
    grow(n, m.position + Vec3{r, r, r});
}

// The inverse of a 4 x 4 matrix by Gauss-Jordan elimination; false when it has none.
bool invert(const Matrix& in, std::array<double, 16>& out) {
    std::array<double, 32> a{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) a[r * 8 + c] = in(r, c);
        a[r * 8 + 4 + r] = 1;
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r) {
            if (std::abs(a[r * 8 + c]) > std::abs(a[pivot * 8 + c])) pivot = r;
        }
        if (!(std::abs(a[pivot * 8 + c]) > 0)) return false;
        for (int k = 0; k < 8; ++k) std::swap(a[c * 8 + k], a[pivot * 8 + k]);
        const double scale = 1 / a[c * 8 + c];
        for (int k = 0; k < 8; ++k) a[c * 8 + k] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = a[r * 8 + c];
            for (int k = 0; k < 8; ++k) a[r * 8 + k] -= f * a[c * 8 + k];
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) out[r * 4 + c] = a[r * 8 + 4 + c];
    }
    return true;
}

// A marker's place for ordering: its point, or the first end of its segments.
Vec3 centre_of(const Scene& scene, const Marker& m) {
    const auto ends = scene.segments_of(m);
    return drawn_at_a_point(m) || ends.empty() ? m.position : ends[0];
}

// Ordering items along a Morton curve through the scene's bounds (eight bits an axis), so that
// a run of them lies together: a key of the curve's code over the item's number each, sorted
// eight bits at a time.
class CurveOrder {
  public:
    CurveOrder(const Bounds& bounds, std::size_t count) : bounds_(bounds) { keys_.reserve(count); }

    void add(const Vec3& p) {
        const auto cell = [](float v, float lo, float hi) -> std::uint64_t {
            const float t = hi > lo ? (v - lo) / (hi - lo) : 0;
            auto q = static_cast<std::uint64_t>(t >= 0 && t <= 1 ? t * 255 : (t > 1 ? 255 : 0));
            q = (q | q << 8) & 0x00F00Fu;  // each bit two apart from the next
            q = (q | q << 4) & 0x0C30C3u;
            return (q | q << 2) & 0x249249u;
        };
        const std::uint64_t code = cell(p.x, bounds_.min.x, bounds_.max.x) |
                                   cell(p.y, bounds_.min.y, bounds_.max.y) << 1 |
                                   cell(p.z, bounds_.min.z, bounds_.max.z) << 2;
        keys_.push_back(code << 32 | keys_.size());
    }

    std::vector<std::uint32_t> sorted() {
        std::vector<std::uint64_t> out(keys_.size());
        for (int shift = 32; shift < 56; shift += 8) {
            std::array<std::size_t, 257> at{};
            for (const std::uint64_t k : keys_) ++at[((k >> shift) & 255) + 1];
            for (std::size_t b = 1; b < at.size(); ++b) at[b] += at[b - 1];
            for (const std::uint64_t k : keys_) out[at[(k >> shift) & 255]++] = k;
            keys_.swap(out);
        }
        out = {};
        std::vector<std::uint32_t> order(keys_.size());
        for (std::size_t i = 0; i < keys_.size(); ++i)
            order[i] = static_cast<std::uint32_t>(keys_[i]);
        keys_ = {};
        return order;
    }

  private:
    const Bounds& bounds_;
    std::vector<std::uint64_t> keys_;
};

// A box in picture coordinates.
struct Box {
    std::array<float, 3> lo{kInf, kInf, kInf}, hi{-kInf, -kInf, -kInf};
};

// A tree over items in their order: runs of per_leaf halved again and again, each leaf's box
// the union of its items' (grow_by adds the item at a place in the order), each inner box the
// union of its children's.
template <typename GrowBy>
std::uint32_t run_node(std::vector<PickNode>& nodes, std::uint32_t first, std::uint32_t last,
                       std::uint32_t per_leaf, const GrowBy& grow_by) {
    const auto at = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(empty_node());
    const std::uint32_t leaves = (last - first + per_leaf - 1) / per_leaf;
    if (leaves <= 1) {
        PickNode leaf = empty_node();
        for (std::uint32_t i = first; i < last; ++i) grow_by(leaf, i);
        leaf.first = first;
        leaf.count = last - first;
        nodes[at] = leaf;
        return at;
    }
    const std::uint32_t mid = first + leaves / 2 * per_leaf;
    const std::uint32_t left = run_node(nodes, first, mid, per_leaf, grow_by);
    const std::uint32_t right = run_node(nodes, mid, last, per_leaf, grow_by);
    PickNode inner = nodes[left];
    grow(inner, nodes[right]);
    inner.first = right;
    inner.count = 0;
    nodes[at] = inner;
    return at;
}

template <typename GrowBy>
std::vector<PickNode> run_tree(std::uint32_t count, std::uint32_t per_leaf, const GrowBy& grow_by) {
    std::vector<PickNode> nodes;
    nodes.reserve(std::size_t{2} * ((count + per_leaf - 1) / per_leaf));
    if (count > 0) run_node(nodes, 0, count, per_leaf, grow_by);
    return nodes;
}

// What a marker leaves on the screen in the frame of ids: a square or a wide line, in pixels
// from the bottom left. Later layers are drawn over earlier ones.
enum Layer { kSegments, kDirections, kRings, kPoints };
struct Mark {
    float x0, y0, x1, y1;
    Layer layer;
    std::uint32_t marker;
};

}  // namespace

PickTree::PickTree(const Scene& scene) : marker_size_(marker_size(scene)) {
    first_polygon_.reserve(scene.meshes.size() + 1);
    // Each polygon's box once, in stored order: the leaves then read these alone.
    std::size_t polygons = 0;
    for (const Mesh& mesh : scene.meshes) polygons += mesh.polygons.size();
    std::vector<Box> boxes;
    boxes.reserve(polygons);
    CurveOrder curve(scene.bounds, polygons);
    for (const Mesh& mesh : scene.meshes) {
        first_polygon_.push_back(static_cast<std::uint32_t>(boxes.size()));
        for (const Polygon& p : mesh.polygons) {
            PickNode box = empty_node();
            for (const Corner& c : mesh.corners_of(p)) grow(box, corner_at(mesh, c));
            boxes.push_back({box.lo, box.hi});
            curve.add(Vec3{box.lo[0] + box.hi[0], box.lo[1] + box.hi[1], box.lo[2] + box.hi[2]} *
                      0.5f);
        }
    }
    first_polygon_.push_back(static_cast<std::uint32_t>(boxes.size()));
    polygons_ = curve.sorted();
    polygon_nodes_ =
        run_tree(static_cast<std::uint32_t>(polygons_.size()), kPolygonsPerLeaf,
                 [&](PickNode& box, std::uint32_t i) { grow(box, boxes[polygons_[i]]); });

    CurveOrder places(scene.bounds, scene.markers.size());
    for (const Marker& m : scene.markers) places.add(centre_of(scene, m));
    markers_ = places.sorted();
    marker_nodes_ = run_tree(static_cast<std::uint32_t>(markers_.size()), kMarkersPerLeaf,
                             [&](PickNode& box, std::uint32_t i) {
                                 grow(box, scene, scene.markers[markers_[i]], marker_size_);
                             });
}

// One look-up: the view's matrices, then pixel after pixel outwards from the pointer.
class PickTree::Query {
  public:
    Query(const PickTree& tree, const Scene& scene, const std::array<bool, kMarkerKinds>& shown,
          const PictureOptions& options, const view::PickRequest& request)
        : tree_(tree), scene_(scene), shown_(shown), options_(options), request_(request) {
        matrix_.m = request.transform;
        width_ = static_cast<float>(request.width);
        height_ = static_cast<float>(request.height);
    }

    int run() {
        if (request_.width <= 0 || request_.height <= 0 || !invert(matrix_, inverse_)) return -1;
        collect_marks();
        // The pixel itself, else ring by ring, in the order the frame of ids is searched.
        for (int r = 0; r <= request_.reach; ++r) {
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
                    const int id = at(request_.x + dx, request_.y + dy);
                    if (id >= 0) return id;
                }
            }
        }
        return -1;
    }

  private:
    int at(int x, int y) const {
        if (x < 0 || y < 0 || x >= request_.width || y >= request_.height) return -1;
        const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
        const int marker = mark_at(cx, cy);
        return marker >= 0 ? marker : polygon_at(cx, cy);
    }

    // --- markers, on the screen

    bool mesh_shown(std::size_t mesh) const {
        return mesh >= options_.meshes_shown.size() || options_.meshes_shown[mesh];
    }
    bool kind_shown(const Marker& m) const { return shown_[static_cast<int>(m.kind)]; }

    float half(Layer layer) const {
        return (layer == kPoints ? request_.point_size : request_.line_width) / 2;
    }

    // The screen position of a clip-space point.
    std::array<float, 2> screen(const Clip& c) const {
        return {(c.x / c.w + 1) * 0.5f * width_, (c.y / c.w + 1) * 0.5f * height_};
    }

    // Whether a box may draw something within the window of pixels searched: its corners'
    // screen positions bound it where all lie before the eye.
    bool box_near_pointer(const PickNode& n) const {
        if (n.lo[0] > n.hi[0]) return false;  // nothing drawn in it
        int before_near = 0, past_far = 0;
        bool behind = false;
        float lo_x = kInf, lo_y = kInf, hi_x = -kInf, hi_y = -kInf;
        for (int k = 0; k < 8; ++k) {
            const Vec3 p{(k & 1) ? n.hi[0] : n.lo[0], (k & 2) ? n.hi[1] : n.lo[1],
                         (k & 4) ? n.hi[2] : n.lo[2]};
            const Clip c = transform(matrix_, p);
            if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.z) ||
                !std::isfinite(c.w))
                return true;
            before_near += c.z < -c.w;
            past_far += c.z > c.w;
            if (c.w <= 0) {
                behind = true;
                continue;
            }
            const auto s = screen(c);
            lo_x = std::min(lo_x, s[0]);
            hi_x = std::max(hi_x, s[0]);
            lo_y = std::min(lo_y, s[1]);
            hi_y = std::max(hi_y, s[1]);
        }
        if (before_near == 8 || past_far == 8) return false;
        if (behind) return true;
        return lo_x <= window_[2] && hi_x >= window_[0] && lo_y <= window_[3] && hi_y >= window_[1];
    }

    void collect_marks() {
        const float margin = std::max(request_.point_size, request_.line_width) / 2 + 1;
        const auto px = static_cast<float>(request_.x), py = static_cast<float>(request_.y);
        const auto reach = static_cast<float>(request_.reach);
        window_ = {px - reach - margin, py - reach - margin, px + reach + 1 + margin,
                   py + reach + 1 + margin};
        if (tree_.marker_nodes_.empty()) return;
        std::vector<std::uint32_t> stack{0};
        while (!stack.empty()) {
            const PickNode& n = tree_.marker_nodes_[stack.back()];
            const std::uint32_t self = stack.back();
            stack.pop_back();
            if (!box_near_pointer(n)) continue;
            if (n.count == 0) {
                stack.push_back(n.first);
                stack.push_back(self + 1);
                continue;
            }
            for (std::uint32_t i = n.first; i < n.first + n.count; ++i)
                add_marker(tree_.markers_[i]);
        }
    }

    void add_marker(std::uint32_t i) {
        const Marker& m = scene_.markers[i];
        if (!kind_shown(m)) return;
        PickNode box = empty_node();
        grow(box, scene_, m, tree_.marker_size_);
        if (!box_near_pointer(box)) return;
        const auto ends = scene_.segments_of(m);
        for (std::size_t k = 0; k + 1 < ends.size(); k += 2)
            add_line(ends[k], ends[k + 1], kSegments, i);
        if (!drawn_at_a_point(m) || !pof::finite(m.position)) return;
        const Vec3 d = marker_direction(m, tree_.marker_size_);
        if (d.x != 0 || d.y != 0 || d.z != 0) add_line(m.position, m.position + d, kDirections, i);
        const float r = radius_of(m);
        if (r > 0) {
            const view::UnitSphere& sphere = view::unit_sphere();
            const auto on = [&](std::size_t k) {
                return m.position + Vec3{sphere[k][0], sphere[k][1], sphere[k][2]} * r;
            };
            for (std::size_t k = 0; k + 1 < sphere.size(); k += 2)
                add_line(on(k), on(k + 1), kRings, i);
        }
        const Clip c = transform(matrix_, m.position);
        if (!(c.w > 0) || c.z < -c.w || c.z > c.w) return;  // cut by the near or far plane
        const auto s = screen(c);
        add_mark({s[0], s[1], s[0], s[1], kPoints, i});
    }

    // A line cut by the near and far planes, as the frame of ids draws it.
    void add_line(const Vec3& a, const Vec3& b, Layer layer, std::uint32_t marker) {
        if (!pof::finite(a) || !pof::finite(b)) return;
        Clip ca = transform(matrix_, a), cb = transform(matrix_, b);
        const auto cut = [&](auto side) {
            const float da = side(ca), db = side(cb);
            if (da < 0 && db < 0) return false;
            if (da < 0 || db < 0) {
                const float t = da / (da - db);
                const Clip at{ca.x + (cb.x - ca.x) * t, ca.y + (cb.y - ca.y) * t,
                              ca.z + (cb.z - ca.z) * t, ca.w + (cb.w - ca.w) * t};
                (da < 0 ? ca : cb) = at;
            }
            return true;
        };
        if (!cut([](const Clip& c) { return c.z + c.w; }) ||
            !cut([](const Clip& c) { return c.w - c.z; }) || !(ca.w > 0) || !(cb.w > 0))
            return;
        const auto sa = screen(ca), sb = screen(cb);
        add_mark({sa[0], sa[1], sb[0], sb[1], layer, marker});
    }

    void add_mark(const Mark& mark) {
        const float h = half(mark.layer);
        if (std::max(mark.x0, mark.x1) + h < window_[0] ||
            std::min(mark.x0, mark.x1) - h > window_[2] ||
            std::max(mark.y0, mark.y1) + h < window_[1] ||
            std::min(mark.y0, mark.y1) - h > window_[3])
            return;
        marks_.push_back(mark);
    }

    // A square of the point size round the point; a line as wide as the line width across
    // its major axis, from end to end along it.
    bool covers(const Mark& m, float cx, float cy) const {
        const float h = half(m.layer);
        if (m.layer == kPoints) return std::abs(cx - m.x0) < h && std::abs(cy - m.y0) < h;
        const float dx = m.x1 - m.x0, dy = m.y1 - m.y0;
        if (dx == 0 && dy == 0) return false;
        if (std::abs(dx) >= std::abs(dy)) {
            if (cx < std::min(m.x0, m.x1) || cx > std::max(m.x0, m.x1)) return false;
            return std::abs(cy - (m.y0 + (cx - m.x0) * dy / dx)) < h;
        }
        if (cy < std::min(m.y0, m.y1) || cy > std::max(m.y0, m.y1)) return false;
        return std::abs(cx - (m.x0 + (cy - m.y0) * dx / dy)) < h;
    }

    // The mark drawn last at the pixel: the highest layer, then the latest marker.
    int mark_at(float cx, float cy) const {
        const Mark* best = nullptr;
        for (const Mark& m : marks_) {
            if (best && std::tie(m.layer, m.marker) < std::tie(best->layer, best->marker)) continue;
            if (covers(m, cx, cy)) best = &m;
        }
        return best ? static_cast<int>(best->marker) : -1;
    }

    // --- polygons, by a ray

    Vec3 unproject(float x, float y, float z) const {
        std::array<double, 4> out{};
        for (std::size_t r = 0; r < 4; ++r) {
            out[r] = inverse_[r * 4] * x + inverse_[r * 4 + 1] * y + inverse_[r * 4 + 2] * z +
                     inverse_[r * 4 + 3];
        }
        return {static_cast<float>(out[0] / out[3]), static_cast<float>(out[1] / out[3]),
                static_cast<float>(out[2] / out[3])};
    }

    struct Ray {
        Vec3 origin, direction;
        std::array<float, 3> inverse;
    };

    // Where the ray enters the box, from 0 (the near plane) to 1 (the far one); above
    // `before` when it misses or enters later.
    static float enters(const Ray& ray, const PickNode& n, float before) {
        const std::array<float, 3> o{ray.origin.x, ray.origin.y, ray.origin.z};
        const std::array<float, 3> d{ray.direction.x, ray.direction.y, ray.direction.z};
        float t0 = 0, t1 = before;
        for (int k = 0; k < 3; ++k) {
            if (n.lo[k] > n.hi[k]) return kInf;  // nothing drawn in it
            if (d[k] == 0) {
                if (o[k] < n.lo[k] || o[k] > n.hi[k]) return kInf;
                continue;
            }
            float a = (n.lo[k] - o[k]) * ray.inverse[k], b = (n.hi[k] - o[k]) * ray.inverse[k];
            if (a > b) std::swap(a, b);
            t0 = std::max(t0, a);
            t1 = std::min(t1, b);
            if (!(t0 <= t1)) return kInf;
        }
        return t0;
    }

    // Where the ray meets the triangle (Moller and Trumbore), or infinity.
    static float meets(const Ray& ray, const Vec3& a, const Vec3& b, const Vec3& c) {
        const auto cross = [](const Vec3& u, const Vec3& v) {
            return Vec3{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        };
        const auto dot = [](const Vec3& u, const Vec3& v) {
            return u.x * v.x + u.y * v.y + u.z * v.z;
        };
        const Vec3 e1 = b - a, e2 = c - a;
        const Vec3 p = cross(ray.direction, e2);
        const float det = dot(e1, p);
        if (det == 0 || !std::isfinite(det)) return kInf;
        const float inv = 1 / det;
        const Vec3 s = ray.origin - a;
        const float u = dot(s, p) * inv;
        if (u < 0 || u > 1) return kInf;
        const Vec3 q = cross(s, e1);
        const float v = dot(ray.direction, q) * inv;
        if (v < 0 || u + v > 1) return kInf;
        const float t = dot(e2, q) * inv;
        return t >= 0 && t <= 1 ? t : kInf;
    }

    // The nearest polygon the pixel's ray meets; of two at the same depth the one drawn first
    // (mesh by mesh, the flat polygons then each texture's, in stored order).
    int polygon_at(float cx, float cy) const {
        if (tree_.polygon_nodes_.empty()) return -1;
        const float x = cx / width_ * 2 - 1, y = cy / height_ * 2 - 1;
        Ray ray;
        ray.origin = unproject(x, y, -1);
        ray.direction = unproject(x, y, 1) - ray.origin;
        if (!pof::finite(ray.origin) || !pof::finite(ray.direction)) return -1;
        ray.inverse = {1 / ray.direction.x, 1 / ray.direction.y, 1 / ray.direction.z};
        float best_t = kInf;
        std::tuple<std::uint32_t, std::int32_t, std::uint32_t> best_order{};
        int best = -1;
        std::vector<std::pair<std::uint32_t, float>> stack{{0, 0.0f}};
        while (!stack.empty()) {
            const auto [index, entered] = stack.back();
            stack.pop_back();
            if (entered > best_t) continue;
            const PickNode& n = tree_.polygon_nodes_[index];
            if (n.count == 0) {
                const std::uint32_t near = index + 1, far = n.first;
                const float t_near = enters(ray, tree_.polygon_nodes_[near], best_t);
                const float t_far = enters(ray, tree_.polygon_nodes_[far], best_t);
                // The nearer child is looked at first, so it goes on the stack last.
                const auto push = [&](std::uint32_t child, float t) {
                    if (t < kInf && t <= best_t) stack.emplace_back(child, t);
                };
                if (t_near <= t_far) {
                    push(far, t_far);
                    push(near, t_near);
                } else {
                    push(near, t_near);
                    push(far, t_far);
                }
                continue;
            }
            for (std::uint32_t i = n.first; i < n.first + n.count; ++i) {
                const std::uint32_t g = tree_.polygons_[i];
                const auto mesh_at = static_cast<std::size_t>(
                    std::upper_bound(tree_.first_polygon_.begin(), tree_.first_polygon_.end(), g) -
                    tree_.first_polygon_.begin() - 1);
                if (!mesh_shown(mesh_at)) continue;
                const Mesh& mesh = scene_.meshes[mesh_at];
                const Polygon& p = mesh.polygons[g - tree_.first_polygon_[mesh_at]];
                const auto corners = mesh.corners_of(p);
                const Vec3 first = corner_at(mesh, corners[0]);
                const std::tuple order{static_cast<std::uint32_t>(mesh_at),
                                       p.textured ? p.texture : -1, g};
                for (std::size_t k = 1; k + 1 < corners.size(); ++k) {
                    const float t = meets(ray, first, corner_at(mesh, corners[k]),
                                          corner_at(mesh, corners[k + 1]));
                    if (t < best_t || (t == best_t && t < kInf && order < best_order)) {
                        best_t = t;
                        best_order = order;
                        best = static_cast<int>(scene_.markers.size() + g);
                    }
                }
            }
        }
        return best;
    }

    const PickTree& tree_;
    const Scene& scene_;
    const std::array<bool, kMarkerKinds>& shown_;
    const PictureOptions& options_;
    const view::PickRequest& request_;
    Matrix matrix_;
    std::array<double, 16> inverse_{};
    float width_ = 0, height_ = 0;
    std::array<float, 4> window_{};  // the pixels searched: left, bottom, right, top
    std::vector<Mark> marks_;
};

int PickTree::item_at(const Scene& scene, const std::array<bool, kMarkerKinds>& shown,
                      const PictureOptions& options, const view::PickRequest& request) const {
    return Query(*this, scene, shown, options, request).run();
}

}  // namespace scene
