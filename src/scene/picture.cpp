#include "scene/picture.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace scene {

namespace {

using pof::Vec3;
using Rgb = std::array<float, 3>;
using Bytes = std::array<std::uint8_t, 3>;

float length(const Vec3& a) {
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}
Vec3 unit(const Vec3& a) {
    const float l = length(a);
    return l > 0 && std::isfinite(l) ? a * (1 / l) : Vec3{};
}

void put(std::vector<float>& out, const Vec3& p) {
    out.insert(out.end(), {p.x, p.y, p.z});
}
void put(std::vector<std::uint8_t>& out, const Bytes& c) {
    out.insert(out.end(), c.begin(), c.end());
}
Bytes bytes_of(const Rgb& c) {
    Bytes out;
    for (std::size_t i = 0; i < c.size(); ++i)
        out[i] = static_cast<std::uint8_t>(std::lround(std::clamp(c[i], 0.0f, 1.0f) * 255));
    return out;
}
constexpr Bytes kLit{255, 255, 0};

// A neutral tone, tinted a little per texture number so textures tell apart.
Rgb texture_tone(std::int32_t texture) {
    const float hue =
        static_cast<float>((static_cast<std::uint32_t>(texture) * 2654435761u) % 360u);
    const float t = hue * 3.14159265f / 180;
    return {0.66f + 0.06f * std::cos(t), 0.66f + 0.06f * std::cos(t + 2.094f),
            0.66f + 0.06f * std::cos(t + 4.189f)};
}

Rgb polygon_colour(const Polygon& p) {
    return p.textured ? texture_tone(p.texture)
                      : Rgb{p.colour[0] / 255.0f, p.colour[1] / 255.0f, p.colour[2] / 255.0f};
}

Rgb tinted(const Rgb& colour, const Rgb& tint) {
    return {colour[0] * tint[0], colour[1] * tint[1], colour[2] * tint[2]};
}

bool mesh_shown(const PictureOptions& options, std::size_t mesh) {
    return mesh >= options.meshes_shown.size() || options.meshes_shown[mesh];
}

void add_polygon(const Mesh& mesh, const Polygon& p, int id, const Rgb& tint,
                 view::TriangleBatch& batch) {
    const Bytes colour = bytes_of(tinted(polygon_colour(p), tint));
    const auto corners = mesh.corners_of(p);
    const auto at = [&](std::size_t k) {
        return mesh.vertices[corners[k].vertex] + mesh.placement;
    };
    for (std::size_t k = 1; k + 1 < corners.size(); ++k) {
        for (const std::size_t c : {std::size_t{0}, k, k + 1}) {
            put(batch.positions, at(c));
            put(batch.colours, colour);
            if (p.textured) batch.uvs.insert(batch.uvs.end(), {corners[c].u, corners[c].v});
        }
        batch.ids.push_back(id);
    }
}

class Painter {
  public:
    Painter(view::Picture& picture, float size) : picture_(picture), size_(size) {}

    // Room for the shown markers' segments and shapes, counted before they are drawn: a model
    // of many markers would otherwise copy its arrays again and again.
    void reserve(const Scene& scene, const std::array<bool, kMarkerKinds>& shown) {
        std::size_t lines = 0, shapes = 0;
        for (const Marker& m : scene.markers) {
            if (!shown[static_cast<int>(m.kind)]) continue;
            lines += m.segments.count / 2;
            if (!drawn_as_segments(m.kind)) ++shapes;
        }
        picture_.lines.positions.reserve(lines * 6);
        picture_.lines.colours.reserve(lines * 6);
        picture_.lines.ids.reserve(lines);
        view::MarkerShapes& s = picture_.shapes;
        s.centres.reserve(shapes * 3);
        s.directions.reserve(shapes * 3);
        s.radii.reserve(shapes);
        s.colours.reserve(shapes * 3);
        s.ids.reserve(shapes);
    }

    // The marker's segments, then its point with its direction and sphere.
    void marker(const Scene& scene, const Marker& m, int id) {
        const Bytes colour = bytes_of(info(m.kind).colour);
        const auto ends = scene.segments_of(m);
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2) line(ends[i], ends[i + 1], colour, id);
        if (drawn_as_segments(m.kind)) return;
        view::MarkerShapes& s = picture_.shapes;
        put(s.centres, m.position);
        put(s.directions, marker_direction(m, size_));
        s.radii.push_back(m.radius > 0 ? m.radius : 0);
        put(s.colours, colour);
        s.ids.push_back(id);
    }

    // A line whose end overflows (a huge radius, a marker at the edge of float range) is left
    // out: the renderer cannot place it.
    void line(const Vec3& a, const Vec3& b, const Bytes& colour, int id) {
        if (!pof::finite(a) || !pof::finite(b)) return;
        put(picture_.lines.positions, a);
        put(picture_.lines.positions, b);
        put(picture_.lines.colours, colour);
        put(picture_.lines.colours, colour);
        picture_.lines.ids.push_back(id);
    }

    // A polygon's edges as stored, corner to corner and back to the first.
    void outline(const Mesh& mesh, const Polygon& p, const Bytes& colour, int id) {
        const auto corners = mesh.corners_of(p);
        for (std::size_t k = 0; k < corners.size(); ++k) {
            const auto& next = corners[(k + 1) % corners.size()];
            line(mesh.vertices[corners[k].vertex] + mesh.placement,
                 mesh.vertices[next.vertex] + mesh.placement, colour, id);
        }
    }

    void cross_at(const Vec3& p, const Bytes& colour, int id) {
        for (const Vec3& axis : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}})
            line(p - axis * size_, p + axis * size_, colour, id);
    }

  private:
    view::Picture& picture_;
    float size_;
};

// Room for each batch's triangles before they are added, so a mesh of a million triangles
// is not copied again and again as its arrays grow.
void reserve(const Mesh& mesh, std::map<int, view::TriangleBatch>& batches) {
    std::map<int, std::size_t> triangles;
    for (const Polygon& p : mesh.polygons)
        triangles[p.textured ? p.texture : -1] += p.corner_count - 2;
    for (const auto& [texture, count] : triangles) {
        view::TriangleBatch& batch = batches[texture];
        batch.positions.reserve(count * 9);
        batch.colours.reserve(count * 9);
        batch.ids.reserve(count);
        if (texture >= 0) batch.uvs.reserve(count * 6);
    }
}

}  // namespace

float marker_size(const Scene& scene) {
    if (scene.bounds.empty) return 1;
    const float d = length(scene.bounds.max - scene.bounds.min);
    return d > 0 && std::isfinite(d) ? d * 0.04f : 1;
}

bool drawn_as_segments(MarkerKind kind) {
    return kind == MarkerKind::HeaderBox || kind == MarkerKind::SubobjectBox ||
           kind == MarkerKind::Shield || kind == MarkerKind::Insignia ||
           kind == MarkerKind::MovementAxis;
}

Vec3 marker_direction(const Marker& m, float size) {
    return unit(m.normal) * size;
}

Bounds visible_bounds(const Scene& scene, const std::array<bool, kMarkerKinds>& shown) {
    Bounds bounds;
    for (const Mesh& mesh : scene.meshes) {
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            if (mesh.vertex_finite[v]) bounds.add(mesh.vertices[v] + mesh.placement);
        }
    }
    for (const Marker& m : scene.markers) {
        if (!shown[static_cast<int>(m.kind)]) continue;
        bounds.add(m.position);
        for (const Vec3& p : scene.segments_of(m)) bounds.add(p);
    }
    return bounds;
}

Rgb mesh_tint(const Mesh& mesh) {
    // Strong enough to tell the levels apart, light enough to keep the shading readable.
    static constexpr Rgb kLevelTints[] = {{1.0f, 1.0f, 1.0f},  {0.55f, 0.75f, 1.0f},
                                          {0.6f, 1.0f, 0.6f},  {1.0f, 0.9f, 0.5f},
                                          {0.85f, 0.6f, 1.0f}, {0.5f, 1.0f, 0.95f}};
    static constexpr Rgb kDebris{1.0f, 0.55f, 0.45f};
    if (mesh.debris) return kDebris;
    if (mesh.detail_level <= 0) return kLevelTints[0];
    constexpr int kTints = static_cast<int>(std::size(kLevelTints));
    return kLevelTints[1 + (mesh.detail_level - 1) % (kTints - 1)];
}

view::Picture make_picture(const Scene& scene, const std::array<bool, kMarkerKinds>& shown,
                           const PictureOptions& options) {
    view::Picture picture;
    Painter painter(picture, marker_size(scene));
    painter.reserve(scene, shown);
    const int markers = static_cast<int>(scene.markers.size());
    for (int i = 0; i < markers; ++i) {
        if (shown[static_cast<int>(scene.markers[i].kind)])
            painter.marker(scene, scene.markers[i], i);
    }
    int id = markers;
    for (std::size_t m = 0; m < scene.meshes.size(); ++m) {
        const Mesh& mesh = scene.meshes[m];
        if (mesh_shown(options, m)) {
            const Rgb tint = options.tint_subobjects ? mesh_tint(mesh) : Rgb{1, 1, 1};
            for (auto& batch : mesh_batches(mesh, id, tint)) {
                batch.xray = !mesh.on_parent;
                picture.solids.push_back(std::move(batch));
            }
        }
        id += static_cast<int>(mesh.polygons.size());
    }
    const Bounds visible = visible_bounds(scene, shown);
    if (!visible.empty) {
        picture.min = {visible.min.x, visible.min.y, visible.min.z};
        picture.max = {visible.max.x, visible.max.y, visible.max.z};
    } else {
        picture.min = {1, 1, 1};
        picture.max = {0, 0, 0};
    }
    return picture;
}

// A batch per texture (the flat polygons in one of their own), so that the binding binds each
// texture once.
std::vector<view::TriangleBatch> mesh_batches(const Mesh& mesh, int first_id,
                                              const std::array<float, 3>& tint) {
    std::map<int, view::TriangleBatch> batches;
    reserve(mesh, batches);
    int id = first_id;
    for (const Polygon& p : mesh.polygons) {
        const int texture = p.textured ? p.texture : -1;
        view::TriangleBatch& batch = batches[texture];
        batch.texture = texture;
        batch.tint = tint;
        add_polygon(mesh, p, id++, tint, batch);
    }
    std::vector<view::TriangleBatch> out;
    out.reserve(batches.size());
    for (auto& [texture, batch] : batches) out.push_back(std::move(batch));
    return out;
}

std::vector<view::TriangleBatch> ghost_batches(const Scene& scene) {
    const Bytes colour = bytes_of(kGhostTint);
    std::vector<view::TriangleBatch> out;
    for (const Mesh& mesh : scene.meshes) {
        for (auto& batch : mesh_batches(mesh, 0)) {
            batch.texture = -1;
            batch.uvs.clear();
            for (std::size_t i = 0; i < batch.colours.size(); ++i) batch.colours[i] = colour[i % 3];
            std::fill(batch.ids.begin(), batch.ids.end(), -1);
            out.push_back(std::move(batch));
        }
    }
    return out;
}

view::MarkerShapes marker_shapes(const Scene& scene, const std::array<bool, kMarkerKinds>& shown) {
    view::Picture picture;
    Painter painter(picture, marker_size(scene));
    painter.reserve(scene, shown);
    for (std::size_t i = 0; i < scene.markers.size(); ++i) {
        if (shown[static_cast<int>(scene.markers[i].kind)])
            painter.marker(scene, scene.markers[i], static_cast<int>(i));
    }
    return std::move(picture.shapes);
}

view::LineBatch polygon_edges(const Scene& scene, const PictureOptions& options) {
    view::Picture picture;
    Painter painter(picture, 1);
    int id = static_cast<int>(scene.markers.size());
    for (std::size_t m = 0; m < scene.meshes.size(); ++m) {
        const Mesh& mesh = scene.meshes[m];
        const bool shown = mesh_shown(options, m);
        const Rgb tint = options.tint_subobjects ? mesh_tint(mesh) : Rgb{1, 1, 1};
        for (const Polygon& p : mesh.polygons) {
            if (shown) painter.outline(mesh, p, bytes_of(tinted(polygon_colour(p), tint)), id);
            ++id;
        }
    }
    return std::move(picture.lines);
}

view::LineBatch item_outline(const Scene& scene, int id) {
    view::Picture picture;
    Painter painter(picture, marker_size(scene) * 0.6f);
    const int markers = static_cast<int>(scene.markers.size());
    if (id >= 0 && id < markers) {
        const Marker& m = scene.markers[id];
        const auto ends = scene.segments_of(m);
        for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
            painter.line(ends[i], ends[i + 1], kLit, id);
        painter.cross_at(m.position, kLit, id);
        return picture.lines;
    }
    int at = markers;
    for (const Mesh& mesh : scene.meshes) {
        const int count = static_cast<int>(mesh.polygons.size());
        if (id >= at && id < at + count) {
            painter.outline(mesh, mesh.polygons[id - at], kLit, id);
            break;
        }
        at += count;
    }
    return picture.lines;
}

view::LineBatch point_cross(const Scene& scene, const pof::Vec3& point) {
    view::Picture picture;
    Painter(picture, marker_size(scene) * 0.6f).cross_at(point, kLit, -1);
    return picture.lines;
}

}  // namespace scene
