#pragma once
// A small model that checks clean, each chunk body a field a test can replace to plant one
// fault: two subobjects ("hull" and its child) of one textured triangle each, and one clean
// item in every other chunk type.

#include <cmath>
#include <string>
#include <vector>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace testing_pof {

struct DockPoint {
    bsp::Vec position, normal;
};

// Chunk bodies past and inside the game's limits.

// A DOCK chunk body of docks with these points, each with one spline path naming path spline.
inline Bytes docks(const std::vector<std::vector<DockPoint>>& points, std::int32_t spline = 0) {
    Bytes b = Bytes().i32(static_cast<std::int32_t>(points.size()));
    for (const auto& dock : points) {
        b.text("").i32(1).i32(spline).i32(static_cast<std::int32_t>(dock.size()));
        for (const auto& p : dock) {
            b.vec(p.position.x, p.position.y, p.position.z).vec(p.normal.x, p.normal.y, p.normal.z);
        }
    }
    return b;
}
inline Bytes dock_points(const std::vector<DockPoint>& points, std::int32_t spline = 0) {
    return docks({points}, spline);
}

// Insignias and eye points as many as asked, each on subobject 0; one turret on base and
// gun with firing points as many as asked.
inline Bytes insignias(int n) {
    Bytes b = Bytes().i32(n);
    for (int i = 0; i < n; ++i) b.raw(insg_body().str().substr(4));
    return b;
}
inline Bytes eye_points(int n) {
    Bytes b = Bytes().i32(n);
    for (int i = 0; i < n; ++i) b.i32(0).vec(0, 1, 2).vec(0, 0, -1);
    return b;
}
inline Bytes turret(std::int32_t base, std::int32_t gun, int firing_points) {
    Bytes b = Bytes().i32(1).i32(base).i32(gun).vec(0, 0, 1).i32(firing_points);
    for (int p = 0; p < firing_points; ++p) b.vec(0, 0, static_cast<float>(p));
    return b;
}
// A PATH chunk body of paths with these names and one vertex each.
inline Bytes named_paths(const std::vector<std::string>& names) {
    Bytes b = Bytes().i32(static_cast<std::int32_t>(names.size()));
    for (const auto& name : names) b.text(name).text("").i32(1).vec(0, 0, 0).f32(1).i32(0);
    return b;
}

struct CleanModel {
    static constexpr std::int32_t kVersion = 2117;

    static Bytes triangle_bsp(std::int32_t texture = 0) {
        using namespace bsp;
        return Bytes()
            .raw(defpoints({{{0, 0, 0}, {{0, 0, 1}}}, {{1, 0, 0}, {{0, 0, 1}}}, {{0, 1, 0}, {}}}))
            .raw(tmappoly({{0, 0}, {1, 1}, {2, 0}}, texture))
            .raw(boundbox({-1, -2, -3}, {1, 2, 3}))
            .raw(eof());
    }
    static Bytes subobject(std::int32_t number, std::int32_t parent, const Bytes& bsp,
                           const std::string& name) {
        return subobject_body(kVersion,
                              {.number = number, .parent = parent, .name = name, .bsp = bsp});
    }

    Bytes header = header_body(kVersion, {.debris = 0, .cross_sections = 1, .lights = 1});
    Bytes hull = subobject(0, -1, triangle_bsp(), "hull");
    Bytes turret = subobject(1, 0, triangle_bsp(), "turret01");
    Bytes txtr = texture_body({"hull"});
    Bytes gpnt = Bytes().i32(1).i32(1).vec(0, 0, 0).vec(0, 0, 1);
    Bytes tgun = Bytes().i32(1).i32(1).i32(1).vec(0, 0, 1).i32(1).vec(0, 0, 0);
    Bytes eye = eye_body(2);
    Bytes spcl = special_points_body({{"$shield01", ""}});
    Bytes shld = Bytes()
                     .i32(3)
                     .vec(0, 0, 0)
                     .vec(1, 0, 0)
                     .vec(0, 1, 0)
                     .i32(2)
                     .vec(0, 0, 1)
                     .i32(0)
                     .i32(1)
                     .i32(2)
                     .i32(1)
                     .i32(1)
                     .i32(1)
                     .vec(0, 0, -1)
                     .i32(2)
                     .i32(1)
                     .i32(0)
                     .i32(0)
                     .i32(0)
                     .i32(0);
    // One dock of two points side by side, both facing +z.
    Bytes dock = dock_points({{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 0, 1}}});
    // The parent names the hull in other letter case.
    Bytes path = Bytes().i32(1).text("p0").text("HULL").i32(1).vec(0, 0, 0).f32(1).i32(1).i32(1);
    Bytes fuel = Bytes().i32(1).i32(1).text("").vec(0, 0, 0).vec(0, 0, 1).f32(1);
    Bytes insg = insg_body();
    Bytes acen = acen_body(0, 0, 0);
    std::int32_t acen_declared = 12;
    // Chunks before the header and after all others, as a case plants them.
    std::string first, extra;
    // The version written after the magic; the chunks keep the layout of kVersion.
    std::int32_t version = kVersion;

    std::string str() const {
        return PofBuilder(version)
                   .raw(first)
                   .chunk("HDR2", header)
                   .chunk("OBJ2", hull)
                   .chunk("OBJ2", turret)
                   .chunk("TXTR", txtr)
                   .chunk("GPNT", gpnt)
                   .chunk("TGUN", tgun)
                   .chunk("EYE ", eye)
                   .chunk("SPCL", spcl)
                   .chunk("SHLD", shld)
                   .chunk("DOCK", dock)
                   .chunk("PATH", path)
                   .chunk("FUEL", fuel)
                   .chunk("INSG", insg)
                   .chunk("ACEN", acen_declared, acen)
                   .str() +
               extra;
    }
};

}  // namespace testing_pof
