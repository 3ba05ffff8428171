// The Model View's scene fuzz target: any bytes, read as a POF file chosen in the open dialog,
// then the scene at every detail level and with every subobject, its picture (with every
// marker kind on at the first level and with every subobject), and its OBJ text. Besides crashes,
// sanitizer reports and memory limits it stops when the scene holds a point that is not finite or a
// corner outside its vertices, or the OBJ a vertex that is not finite.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "promises.h"
#include "scene/build_scene.h"
#include "scene/obj_export.h"
#include "scene/picture.h"

namespace {

void check_scene(const scene::Scene& s) {
    for (const scene::Mesh& mesh : s.meshes) {
        for (const scene::Polygon& p : mesh.polygons) {
            for (const scene::Corner& c : mesh.corners_of(p)) {
                if (c.vertex < 0 || static_cast<std::size_t>(c.vertex) >= mesh.vertices.size() ||
                    !mesh.vertex_finite[c.vertex]) {
                    fuzzing::broken("a drawn corner on a finite vertex of its mesh");
                }
            }
        }
    }
    for (const scene::Marker& m : s.markers) {
        if (!pof::finite(m.position)) fuzzing::broken("a marker at a finite point");
    }
}

// Every vertex the OBJ holds is a finite point of the model.
void check_vertex_lines(std::string_view obj) {
    for (std::size_t at = 0; at < obj.size();) {
        const std::size_t end = std::min(obj.find('\n', at), obj.size());
        const std::string_view line = obj.substr(at, end - at);
        if (line.starts_with("v ") && (line.find("inf") != std::string_view::npos ||
                                       line.find("nan") != std::string_view::npos)) {
            fuzzing::broken("an OBJ of finite vertices", line);
        }
        at = end + 1;
    }
}

// Every marker kind, or the subobject boxes alone: the other markers are the same at every
// detail level, and a header of hundreds of levels would paint them hundreds of times.
std::array<bool, scene::kMarkerKinds> markers_shown(bool all) {
    std::array<bool, scene::kMarkerKinds> shown{};
    shown.fill(all);
    shown[static_cast<int>(scene::MarkerKind::SubobjectBox)] = true;
    return shown;
}

void draw(const pof::ModelStore& store, int detail_level, bool every_marker) {
    const scene::Scene s = scene::build_scene(store, {detail_level});
    check_scene(s);
    const auto shown = markers_shown(every_marker);
    const view::Picture picture = scene::make_picture(s, shown);
    for (const float x : picture.lines.positions) {
        if (!std::isfinite(x)) fuzzing::broken("a picture of finite lines");
    }
    const scene::ObjFiles obj = scene::obj_files(s, store.txtr, "model.mtl");
    fuzzing::check_text(obj.obj, "the OBJ text");
    check_vertex_lines(obj.obj);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pof::ModelStore store;
    fuzzing::read_model(store, bytes);
    for (int level = 0; level < store.ohdr.detail_level_rows(); ++level)
        draw(store, level, level == 0);
    draw(store, scene::SceneOptions::kAllSubobjects, true);
    return 0;
}
