#pragma once
// A small model that checks clean, each chunk body a field a test can replace to plant one
// fault: two subobjects ("hull" and its child) of one textured triangle each, and one clean
// item in every other chunk type.

#include <cmath>
#include <string>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace testing_pof {

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
    Bytes dock = Bytes().i32(1).text("").i32(1).i32(0).i32(1).vec(0, 0, 0).vec(0, 0, 1);
    // The parent names the hull in other letter case.
    Bytes path = Bytes().i32(1).text("p0").text("HULL").i32(1).vec(0, 0, 0).f32(1).i32(1).i32(1);
    Bytes fuel = Bytes().i32(1).i32(1).text("").vec(0, 0, 0).vec(0, 0, 1).f32(1);
    Bytes insg = insg_body();
    Bytes acen = acen_body(0, 0, 0);
    std::int32_t acen_declared = 12;
    // Chunks after all others, as a case plants them.
    std::string extra;

    std::string str() const {
        return PofBuilder(kVersion)
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
