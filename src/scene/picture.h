#pragma once
// The scene as a picture of lit triangles, lines and points. Item ids: the markers first, in
// scene order, then the polygons mesh by mesh; a polygon of n corners is a fan of n - 2
// triangles that share its id.

#include <array>
#include <vector>

#include "scene/scene.h"
#include "view/picture.h"

namespace scene {

// What the picture shows: the drawn subobjects' vertices and the markers of the kinds shown
// (their points, normals and rings aside). Fitting the view frames this.
Bounds visible_bounds(const Scene& scene, const std::array<bool, kMarkerKinds>& shown);

// What else the picture leaves out or tells apart.
struct PictureOptions {
    // Per mesh, in scene order; a mesh past its end is shown.
    std::vector<bool> meshes_shown;
    // Detail levels past the first and debris drawn in tints of their own.
    bool tint_subobjects = false;
};

// The length of a marker's direction line: a small share of the scene's size.
float marker_size(const Scene& scene);
// Boxes, the shield, the insignia and the movement arrows: their segments alone, no point,
// direction or sphere.
bool drawn_as_segments(MarkerKind kind);
// The line a marker's point draws along its normal, less its start: zero for no normal.
pof::Vec3 marker_direction(const Marker& m, float size);

view::Picture make_picture(const Scene& scene, const std::array<bool, kMarkerKinds>& shown,
                           const PictureOptions& options = {});

// The markers' shapes alone, as make_picture makes them.
view::MarkerShapes marker_shapes(const Scene& scene, const std::array<bool, kMarkerKinds>& shown);

// The stored polygons' edges (not the triangles they are drawn as), for the wireframe: each
// edge of a polygon once, with the polygon's id.
view::LineBatch polygon_edges(const Scene& scene, const PictureOptions& options = {});

// The tint of a mesh under "All subobjects": white for detail level 0 (and subobjects on no
// level), a colour per further level, another for debris.
std::array<float, 3> mesh_tint(const Mesh& mesh);

// The triangle batches of one mesh as make_picture makes them, its polygons numbered from
// first_id on, in the tint given.
std::vector<view::TriangleBatch> mesh_batches(const Mesh& mesh, int first_id,
                                              const std::array<float, 3>& tint = {1, 1, 1});

// The tint of another model's hull drawn as a ghost: a cyan-grey no marker uses.
inline constexpr std::array<float, 3> kGhostTint{0.55f, 0.78f, 0.82f};
// The scene's shown meshes as ghost batches: one flat tint, no texture, no item ids.
std::vector<view::TriangleBatch> ghost_batches(const Scene& scene);

// Lines around one item (a polygon's edges, a cross on a marker) or a cross on a point.
view::LineBatch item_outline(const Scene& scene, int id);
view::LineBatch point_cross(const Scene& scene, const pof::Vec3& point);

}  // namespace scene
