#include "every_chunk_model.h"

#include <vector>

#include "subobject_model.h"

namespace testing_pof {

Bytes header_body(std::int32_t version, const HeaderFields& h) {
    Bytes b;
    if (version < 2016) {
        b.i32(h.subobjects).f32(h.radius).i32(h.flags);
    } else {
        b.f32(h.radius).i32(h.flags).i32(h.subobjects);
    }
    b.vec(-10, -20, -30).vec(10, 20, 30);
    b.i32(h.detail_levels);
    for (int i = 0; i < h.detail_levels; ++i) b.i32(i * h.detail_level_step);
    b.i32(h.debris);
    for (int i = 0; i < h.debris; ++i) b.i32(h.first_debris + i * h.debris_step);
    if (version >= 1903) {
        b.f32(1500.0f).vec(0.5f, -0.25f, 1e-5f);
        for (int k = 1; k <= 9; ++k) b.f32(static_cast<float>(k));
    }
    if (version >= 2014) {
        b.i32(h.cross_sections);
        for (int i = 0; i < h.cross_sections; ++i) b.f32(i * 10.0f).f32(i + 0.5f);
    }
    if (version >= 2007) {
        b.i32(h.lights);
        for (int i = 0; i < h.lights; ++i) b.vec(i, i + 1.0f, i + 2.0f).i32(i + 1);
    }
    return b;
}

Bytes texture_body(const std::vector<std::string>& names) {
    Bytes b;
    b.i32(static_cast<std::int32_t>(names.size()));
    for (const auto& n : names) b.text(n);
    return b;
}

Bytes acen_body(float x, float y, float z) {
    return Bytes().vec(x, y, z);
}

namespace {

// One block of every type, each polygon indexing the vertices and normals of the DEFPOINTS.
Bytes hull_blocks() {
    using namespace bsp;
    return Bytes()
        .raw(defpoints({{{1, 2, 3}, {{0, 0, 1}}}, {{0.5f, -1, 2}, {{1, 0, 0}, {0, 1, 0}}}}))
        .raw(sortnorm(80, 0))
        .raw(flatpoly({{0, 0}, {1, 1}, {1, 2}}))
        .raw(tmappoly({{0, 0, 0.5f, 1.0f}, {1, 1, 0.25f, 0.75f}, {1, 2, 0, 0}}))
        .raw(boundbox({-1, -2, -3}, {1, 2, 3}))
        .raw(eof());
}

}  // namespace

// Subobject 0 holds every block type; subobject 1, a turret, a split plane whose front run
// ends in an EOF of its own.
Bytes every_chunk_subobject(std::int32_t version, std::int32_t number) {
    if (number == 0) {
        return subobject_body(
            version,
            {.name = "hull", .properties = "$special=subsystem\n$fov=180", .bsp = hull_blocks()});
    }
    using namespace bsp;
    Bytes bsp;
    if (version >= 2200) {
        bsp.raw(defpoints({{{0, 1, 0}, {{0, 1, 0}}}, {{1, 1, 0}, {}}, {{0, 0, 1}, {}}}, 0xAB));
    } else {
        bsp.raw(defpoints({{{0, 1, 0}, {{0, 1, 0}}}, {{1, 1, 0}, {}}}));
    }
    if (version >= 2300) {
        // Each leaf ends its own run: the game reads nothing after a TMAP2POLY.
        const Bytes front =
            tmap2poly({{0, 0, 0, 0}, {1, 0, 1, 0}, {2, 0, 1, 1}}, 1, {0, 0, 0}, {1, 1, 1});
        const Bytes back = tmap2poly({{1, 0, 1, 0}, {0, 0, 0, 0}, {2, 0, 0.5f, 1}}, 0);
        bsp.raw(sortnorm2(40, 40 + front.size32(), {-1, -2, -3}, {1, 2, 3}))
            .raw(front)
            .raw(back)
            .raw(eof());
    } else {
        bsp.raw(sortnorm(80, 168))
            .raw(tmappoly({{0, 0, 0, 0}, {1, 0, 1, 0}, {1, 0, 1, 1}}, 1))
            .raw(eof())
            .raw(flatpoly({{1, 0}, {0, 0}, {1, 0}}, 0, 0, 255))
            .raw(eof());
    }
    return subobject_body(version, {.number = 1,
                                    .parent = 0,
                                    .radius = 1.5f,
                                    .offset = {0, 4, -2},
                                    .name = "turret01",
                                    .bsp = bsp});
}

Bytes dock_body(std::int32_t first_path, std::int32_t second_path) {
    Bytes b = Bytes().i32(2).text("abc").i32(2).i32(first_path).i32(second_path);
    b.i32(2).vec(1, 2, 3).vec(0, 0, 1).vec(-4, 5.5f, 6).vec(0, 1, 0);
    return b.text("").i32(0).i32(1).vec(7, 8, 9).vec(1, 0, 0);
}

Bytes path_body(std::int32_t first_turret, std::int32_t second_turret) {
    Bytes b = Bytes().i32(1).text("p0").text("").i32(2);
    b.vec(1, 2, 3).f32(0.5f).i32(2).i32(first_turret).i32(second_turret);
    return b.vec(4, 5, 6).f32(1.5f).i32(0);
}

Bytes fuel_body(std::int32_t version) {
    Bytes b = Bytes().i32(1).i32(2);
    if (version >= 2117) b.text("abc");
    return b.vec(1, 2, 3).vec(0, 0, 1).f32(0.25f).vec(4, 5, 6).vec(0, 1, 0).f32(0.75f);
}

Bytes insg_body() {
    Bytes b = Bytes().i32(1).i32(0).i32(2).i32(4);
    b.vec(0, 0, 0).vec(1, 0, 0).vec(1, 1, 0).vec(0, 1, 0).vec(0.5f, 0.5f, 0.25f);
    b.i32(0).f32(0).f32(0).i32(1).f32(1).f32(0).i32(2).f32(1).f32(1);
    return b.i32(0).f32(0).f32(0).i32(2).f32(1).f32(1).i32(3).f32(0).f32(1);
}

Bytes glow_body() {
    Bytes b = Bytes().i32(2);
    b.i32(10).i32(20).i32(30).i32(0).i32(0).i32(1).i32(2).text("$glow_texture=glow0");
    b.vec(0, 0, 3).vec(0, 0, 1).f32(0.25f).vec(0, 1, 3).vec(0, 1, 0).f32(0.5f);
    b.i32(11).i32(21).i32(31).i32(1).i32(0).i32(2).i32(1).text("");
    return b.vec(1, 0, 3).vec(1, 0, 0).f32(0.75f);
}

bool has_angle_offsets(std::int32_t version) {
    return (version >= 2118 && version < 2200) || (version >= 2201 && version < 3100);
}

Bytes weapon_points_body(const std::vector<std::int32_t>& points_per_bank, bool unit_normals,
                         bool angle_offsets) {
    Bytes b;
    b.i32(static_cast<std::int32_t>(points_per_bank.size()));
    for (std::size_t bank = 0; bank < points_per_bank.size(); ++bank) {
        const auto fb = static_cast<float>(bank);
        b.i32(points_per_bank[bank]);
        for (int p = 0; p < points_per_bank[bank]; ++p) {
            b.vec(fb, p, 1.5f);
            if (unit_normals) {
                b.vec(0, 0, -1);
            } else {
                b.vec(0.5f, fb + 1, -p - 1.0f);
            }
            if (angle_offsets) b.f32(10 * fb + p + 0.5f);
        }
    }
    return b;
}

Bytes turret_body(const std::vector<std::int32_t>& firing_points_per_bank,
                  std::int32_t physical_parent) {
    Bytes b;
    b.i32(static_cast<std::int32_t>(firing_points_per_bank.size()));
    for (std::size_t bank = 0; bank < firing_points_per_bank.size(); ++bank) {
        const auto fb = static_cast<float>(bank);
        b.i32(static_cast<std::int32_t>(bank) + 1).i32(physical_parent).vec(fb, 1, 0);
        b.i32(firing_points_per_bank[bank]);
        for (int p = 0; p < firing_points_per_bank[bank]; ++p) b.vec(fb, p, 2);
    }
    return b;
}

Bytes eye_body(std::int32_t points) {
    Bytes b;
    b.i32(points);
    for (int i = 0; i < points; ++i) b.i32(i).vec(i, 1, 2).vec(0, 0, -1);
    return b;
}

Bytes special_points_body(const std::vector<SpecialPointTexts>& points) {
    Bytes b;
    b.i32(static_cast<std::int32_t>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto fi = static_cast<float>(i);
        b.text(points[i].name).text(points[i].properties).vec(fi, 2, -3).f32(fi + 1);
    }
    return b;
}

Bytes shield_body(std::int32_t vertices, std::int32_t faces) {
    Bytes b;
    b.i32(vertices);
    for (int v = 0; v < vertices; ++v) b.vec(v, -v, 0.5f);
    b.i32(faces);
    for (int f = 0; f < faces; ++f) {
        b.vec(f, 0, 1).i32(f).i32(f + 1).i32(f + 2).i32(f + 1).i32(f + 2).i32(f + 3);
    }
    return b;
}

Bytes closed_shield_body() {
    Bytes b = Bytes().i32(4).vec(0, 0, 0).vec(1, 0, 0).vec(0, 1, 0).vec(0, 0, 1);
    // Corners, then the faces across each edge; normals point out of the tetrahedron.
    const float s = 0.57735027f;  // 1 / sqrt(3)
    b.i32(4);
    b.vec(0, 0, -1).i32(0).i32(2).i32(1).i32(1).i32(2).i32(3);
    b.vec(0, -1, 0).i32(0).i32(1).i32(3).i32(0).i32(2).i32(3);
    b.vec(-1, 0, 0).i32(0).i32(3).i32(2).i32(0).i32(1).i32(3);
    b.vec(s, s, s).i32(1).i32(2).i32(3).i32(0).i32(1).i32(2);
    return b;
}

std::string every_chunk_model(std::int32_t version) {
    const char* header_id = version >= 2016 ? "HDR2" : "OHDR";
    const char* subobject_id = version >= 2016 ? "OBJ2" : "SOBJ";
    return PofBuilder(version)
        .chunk(header_id, header_body(version, {.first_debris = 1, .debris_step = 0}))
        .chunk(subobject_id, every_chunk_subobject(version, 0))
        .chunk(subobject_id, every_chunk_subobject(version, 1))
        .chunk("TXTR", texture_body({"fighter01", "fighter01-glow", "thruster"}))
        .chunk("PINF", Bytes().raw(std::string("pofscope sample\nbuilt by its tests\n\0", 36)))
        .chunk("XXXX", Bytes().i32(1).i32(2).i32(3))
        .chunk("ACEN", acen_body(0.0f, 1.5f, -2.25f))
        .chunk("DOCK", dock_body(0, 0))
        .chunk("PATH", path_body(1, 0))
        .chunk("FUEL", fuel_body(version))
        .chunk("INSG", insg_body())
        .chunk("GPNT", weapon_points_body({2, 1, 0}, true, has_angle_offsets(version)))
        .chunk("MPNT", weapon_points_body({1}, true, has_angle_offsets(version)))
        .chunk("TGUN", turret_body({2}, 1))
        .chunk("TMIS", turret_body({1}, 1))
        .chunk("SPCL", special_points_body(
                           {{"$shield01", "$special=subsystem\n$fov=180"}, {"$dock-point", ""}}))
        .chunk("EYE ", eye_body(2))
        .chunk("SHLD", closed_shield_body())
        .chunk("GLOW", glow_body())
        .str();
}

Bytes shield_tree_body(int type_bytes, const std::vector<ShieldTreeNode>& nodes,
                       std::optional<std::int32_t> tree_size) {
    Bytes tree;
    for (const ShieldTreeNode& n : nodes) {
        const std::uint32_t fixed = static_cast<std::uint32_t>(type_bytes) + (n.split ? 36 : 32);
        const auto true_size =
            fixed + (n.split ? 0 : 4 * static_cast<std::uint32_t>(n.faces.size()));
        const std::int32_t type = n.split ? 0 : 1;
        if (type_bytes == 1) {
            tree.u8(static_cast<std::uint8_t>(type));
        } else {
            tree.i32(type);
        }
        tree.i32(static_cast<std::int32_t>(n.size.value_or(true_size)))
            .vec(n.min.x, n.min.y, n.min.z)
            .vec(n.max.x, n.max.y, n.max.z);
        if (n.split) {
            tree.i32(static_cast<std::int32_t>(n.front)).i32(static_cast<std::int32_t>(n.back));
            continue;
        }
        tree.i32(static_cast<std::int32_t>(
            n.count.value_or(static_cast<std::uint32_t>(n.faces.size()))));
        for (const std::uint32_t f : n.faces) tree.i32(static_cast<std::int32_t>(f));
    }
    return Bytes().i32(tree_size.value_or(tree.size32())).raw(tree);
}

Bytes closed_shield_tree(int type_bytes) {
    const auto split = static_cast<std::uint32_t>(type_bytes + 36);
    const auto leaf = static_cast<std::uint32_t>(type_bytes + 32 + 8);
    return shield_tree_body(type_bytes, {{.split = true, .front = split, .back = split + leaf},
                                         {.faces = {0, 1}},
                                         {.faces = {2, 3}}});
}

}  // namespace testing_pof
