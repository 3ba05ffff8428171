#include "scene/scene_words.h"

#include <set>
#include <utility>

#include "io/text.h"

namespace scene {

namespace {

std::string counted(std::int64_t n, std::string_view one, std::string_view many) {
    return pof::integer_text(n) + " " + std::string(n == 1 ? one : many);
}

// A marker whose item holds points names the item in its first row and the point in its
// second; a turret's own marker (its bank) names the bank alone.
struct KindTally {
    std::set<int> items;
    std::int64_t points = 0;
};

}  // namespace

std::array<std::string, kMarkerKinds> count_texts(const Scene& scene) {
    std::array<KindTally, kMarkerKinds> tallies;
    for (const Marker& m : scene.markers) {
        KindTally& t = tallies[static_cast<int>(m.kind)];
        if (!info(m.kind).units.item.empty() && m.ref.size() > 0) t.items.insert(m.ref.row(0));
        if (info(m.kind).units.item.empty() || m.ref.size() >= 2) ++t.points;
    }
    std::array<std::string, kMarkerKinds> texts;
    for (const MarkerKindInfo& k : kMarkerKindInfo) {
        const KindTally& t = tallies[static_cast<int>(k.kind)];
        const CountUnits& u = k.units;
        const auto items = static_cast<std::int64_t>(t.items.size());
        std::string& text = texts[static_cast<int>(k.kind)];
        if (items == 0 && t.points == 0) {
            text = "none";
        } else if (u.item.empty()) {
            text = counted(t.points, u.point, u.points);
        } else {
            text = counted(items, u.item, u.items) + " · " + counted(t.points, u.point, u.points);
        }
    }
    return texts;
}

std::string left_out_text(const Scene& scene) {
    const LeftOut& l = scene.counts.left_out;
    const std::pair<std::int64_t, std::pair<const char*, const char*>> parts[] = {
        {l.short_polygons,
         {"polygon with fewer than 3 vertices", "polygons with fewer than 3 vertices"}},
        {l.bad_index_polygons,
         {"polygon with a vertex index outside its DEFPOINTS block",
          "polygons with a vertex index outside their DEFPOINTS block"}},
        {l.cut_polygons, {"polygon cut short by its block", "polygons cut short by their block"}},
        {l.nonfinite_polygons,
         {"polygon on a vertex that is not finite", "polygons on a vertex that is not finite"}},
        {l.nonfinite_vertices, {"vertex that is not finite", "vertices that are not finite"}},
        {l.cut_vertex_blocks, {"DEFPOINTS block cut short", "DEFPOINTS blocks cut short"}},
        {l.nonfinite_markers, {"marker that is not finite", "markers that are not finite"}},
        {l.bad_index_markers, {"face on a vertex not there", "faces on a vertex not there"}},
        {static_cast<std::int64_t>(scene.notes.size()),
         {"broken parent chain", "broken parent chains"}},
    };
    std::string text;
    for (const auto& [count, words] : parts) {
        if (count == 0) continue;
        text += text.empty() ? "Left out: " : " · ";
        text += counted(count, words.first, words.second);
    }
    return text;
}

}  // namespace scene
