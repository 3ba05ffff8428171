#include "scene/build_scene.h"

#include <algorithm>
#include <cmath>

#include "records/subobjects/frmSOBJ.h"
#include "scene/chains.h"
#include "scene/geometry.h"
#include "scene/markers.h"

namespace scene {

namespace {

bool finite(const pof::Vec3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

pof::Vec3 plus(const pof::Vec3& a, const pof::Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

bool is_debris(const records::OhdrRecord& header, std::int32_t number) {
    const auto& d = header.debris_pieces;
    return std::find(d.begin(), d.end(), number) != d.end();
}

// Whether the scene draws subobject number: under "All subobjects" every one, else those
// whose chain leads to the chosen detail level's subobject, debris left out.
bool drawn(const pof::ModelStore& store, Chains& chains, const SceneOptions& options,
           std::int32_t number) {
    if (options.detail_level == SceneOptions::kAllSubobjects) return true;
    const auto& levels = store.ohdr.detail_levels;
    if (options.detail_level < 0 || options.detail_level >= static_cast<int>(levels.size()))
        return false;
    return !is_debris(store.ohdr, number) && chains.leads_to(number, levels[options.detail_level]);
}

void add_mesh(const pof::ModelStore& store, Chains& chains, std::int32_t number, Scene& scene) {
    const records::Subobject& s = store.subobjects.at(number);
    const int row = subobject_row(store.ohdr.subobject_count, chains.numbers(), number);
    Mesh mesh;
    mesh.subobject = number;
    mesh.name = s.name;
    mesh.placement = chains.placement(number);
    mesh.row = row;
    mesh.ref = {pof::RecordEntry::SOBJ, {{1, row, false}}};
    add_geometry(s, row, mesh, scene.counts.left_out);
    scene.counts.subobjects_drawn += 1;
    for (const Polygon& p : mesh.polygons) {
        scene.counts.triangles += static_cast<std::int64_t>(p.corner_count) - 2;
    }
    scene.counts.polygons += static_cast<std::int64_t>(mesh.polygons.size());
    if (finite(mesh.placement)) {
        scene.markers.push_back({MarkerKind::SubobjectBox,
                                 plus(s.bbox_min, mesh.placement),
                                 {},
                                 0,
                                 box_edges(s.bbox_min, s.bbox_max, mesh.placement),
                                 mesh.ref});
        ++scene.counts.markers[static_cast<int>(MarkerKind::SubobjectBox)];
    }
    scene.meshes.push_back(std::move(mesh));
}

// The frame of what is drawn: placed vertices that polygons use, and marker points. One
// stray value was left out before it could reach here.
void frame(Scene& scene) {
    for (const Mesh& mesh : scene.meshes) {
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            if (mesh.vertex_finite[v]) scene.bounds.add(plus(mesh.vertices[v], mesh.placement));
        }
    }
    for (const Marker& m : scene.markers) {
        if (m.kind == MarkerKind::HeaderBox || m.kind == MarkerKind::SubobjectBox) continue;
        scene.bounds.add(m.position);
        for (const pof::Vec3& p : m.segments) scene.bounds.add(p);
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

int subobject_row(std::int32_t count, const std::vector<std::int32_t>& filled,
                  std::int32_t number) {
    if (number < 0 || number >= count) return -1;
    const std::int32_t listed = std::min(count, records::frmSOBJ::kListedSlots);
    if (number < listed) return number;
    // Past the listed slots only the filled ones have rows, in order.
    const auto it = std::lower_bound(filled.begin(), filled.end(), number);
    if (it == filled.end() || *it != number) return -1;
    return listed + static_cast<int>(it - std::lower_bound(filled.begin(), filled.end(), listed));
}

Scene build_scene(const pof::ModelStore& store, const SceneOptions& options) {
    Scene scene;
    Chains chains(store.subobjects);
    for (const std::int32_t n : chains.numbers()) {
        if (drawn(store, chains, options, n)) add_mesh(store, chains, n, scene);
    }
    add_markers(store, chains, scene);
    scene.notes = chains.notes();
    frame(scene);
    return scene;
}

}  // namespace scene
