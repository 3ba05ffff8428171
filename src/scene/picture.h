#pragma once
// The scene as a picture of lit triangles, lines and points. Item ids: the markers first, in
// scene order, then the polygons mesh by mesh; a polygon of n corners is a fan of n - 2
// triangles that share its id.

#include <array>

#include "scene/scene.h"
#include "view/picture.h"

namespace scene {

// What the picture shows: the drawn subobjects' vertices and the markers of the kinds shown
// (their points, normals and rings aside). Fitting the view frames this.
Bounds visible_bounds(const Scene& scene, const std::array<bool, kMarkerKinds>& shown);

view::Picture make_picture(const Scene& scene, const std::array<bool, kMarkerKinds>& shown);
// The triangle batches of one mesh as make_picture makes them, its polygons numbered from
// first_id on.
std::vector<view::TriangleBatch> mesh_batches(const Mesh& mesh, int first_id);

// Lines around one item (a polygon's edges, a cross on a marker) or a cross on a point.
view::LineBatch item_outline(const Scene& scene, int id);
view::LineBatch point_cross(const Scene& scene, const pof::Vec3& point);

}  // namespace scene
