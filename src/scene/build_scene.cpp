#include "scene/build_scene.h"

#include <algorithm>
#include <optional>

#include "records/subobjects/subobject_rows.h"
#include "scene/chains.h"
#include "scene/geometry.h"
#include "scene/markers.h"

namespace scene {

namespace {

// Which subobjects the scene draws: under "All subobjects" every one, else those whose chain
// leads to the chosen detail level's subobject, debris left out.
class DrawnSubobjects {
  public:
    DrawnSubobjects(const records::OhdrRecord& header, const SceneOptions& options)
        : all_(options.detail_level == SceneOptions::kAllSubobjects) {
        if (options.detail_level >= 0 && options.detail_level < header.detail_level_rows()) {
            top_ = header.detail_levels[options.detail_level];
        }
        debris_.assign(header.debris_pieces.begin(),
                       header.debris_pieces.begin() + header.debris_rows());
        std::sort(debris_.begin(), debris_.end());
    }

    bool operator()(Chains& chains, std::int32_t number) const {
        if (all_) return true;
        if (!top_ || debris(number)) return false;
        return chains.leads_to(number, *top_);
    }
    bool debris(std::int32_t number) const {
        return std::binary_search(debris_.begin(), debris_.end(), number);
    }

  private:
    bool all_;
    std::optional<std::int32_t> top_;   // the detail level's subobject
    std::vector<std::int32_t> debris_;  // sorted
};

// The subobject's bounding box, placed; a box that is not finite once placed (a NaN corner, or
// a corner of 3e38 moved further) is left out, as any other marker would be.
void add_box(const records::Subobject& s, const Mesh& mesh, Scene& scene) {
    if (!finite(mesh.placement)) return;
    const Marker box{MarkerKind::SubobjectBox, s.bbox_min + mesh.placement, {}, 0, {}, mesh.ref};
    const BoxEdges edges = box_edges(s.bbox_min, s.bbox_max, mesh.placement);
    const bool placed =
        finite(box.position) &&
        std::all_of(edges.begin(), edges.end(), [](const pof::Vec3& p) { return finite(p); });
    if (!placed) {
        ++scene.counts.left_out.nonfinite_markers;
        return;
    }
    scene.add_marker(box, edges);
    ++scene.counts.markers[static_cast<int>(MarkerKind::SubobjectBox)];
}

void add_mesh(const pof::ModelStore& store, Chains& chains, const records::SubobjectRows& rows,
              const DrawnSubobjects& drawn, std::int32_t number, Scene& scene) {
    const records::Subobject& s = store.subobjects.at(number);
    const int row = rows.row_of(number);
    Mesh mesh;
    mesh.subobject = number;
    mesh.name = s.name;
    mesh.placement = chains.placement(number);
    mesh.row = row;
    mesh.ref = {pof::RecordEntry::SOBJ, {{1, row, false}}};
    mesh.debris = drawn.debris(number);
    mesh.on_parent = s.parent >= 0;
    add_geometry(s, mesh, scene.counts.left_out);
    scene.counts.subobjects_drawn += 1;
    for (const Polygon& p : mesh.polygons) {
        scene.counts.triangles += static_cast<std::int64_t>(p.corner_count) - 2;
    }
    scene.counts.polygons += static_cast<std::int64_t>(mesh.polygons.size());
    add_box(s, mesh, scene);
    add_movement_axes(s, store.file_version, mesh.placement, mesh.ref, scene);
    scene.meshes.push_back(std::move(mesh));
}

// Tints apart only this many detail levels; a damaged header may list thousands.
constexpr int kTintedLevels = 16;

// Each mesh's detail level: the first whose subobject its chain leads to. One level at a time,
// so the chains' memo of a level serves every mesh.
void find_detail_levels(const records::OhdrRecord& header, Chains& chains, Scene& scene) {
    const int levels = std::min(header.detail_level_rows(), kTintedLevels);
    for (int level = 0; level < levels; ++level) {
        for (Mesh& mesh : scene.meshes) {
            if (mesh.debris || mesh.detail_level >= 0) continue;
            if (chains.leads_to(mesh.subobject, header.detail_levels[level]))
                mesh.detail_level = level;
        }
    }
}

// The frame of what is drawn: placed vertices that polygons use, and marker points. One
// stray value was left out before it could reach here.
void frame(Scene& scene) {
    for (const Mesh& mesh : scene.meshes) {
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            if (mesh.vertex_finite[v]) scene.bounds.add(mesh.vertices[v] + mesh.placement);
        }
    }
    for (const Marker& m : scene.markers) {
        // Drawn around what they belong to, sized by it: they do not frame the model.
        if (m.kind == MarkerKind::HeaderBox || m.kind == MarkerKind::SubobjectBox ||
            m.kind == MarkerKind::MovementAxis)
            continue;
        scene.bounds.add(m.position);
        for (const pof::Vec3& p : scene.segments_of(m)) scene.bounds.add(p);
    }
}

}  // namespace

void Bounds::add(const pof::Vec3& p) {
    if (!finite(p)) return;
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

Scene build_scene(const pof::ModelStore& store, const SceneOptions& options) {
    Scene scene;
    Chains chains(store.subobjects);
    const records::SubobjectRows rows(store.subobjects, store.ohdr.subobject_count);
    const DrawnSubobjects drawn(store.ohdr, options);
    for (const std::int32_t n : chains.numbers()) {
        if (drawn(chains, n)) add_mesh(store, chains, rows, drawn, n, scene);
    }
    find_detail_levels(store.ohdr, chains, scene);
    add_markers(store, chains, scene);
    scene.notes = chains.notes();
    frame(scene);
    return scene;
}

}  // namespace scene
