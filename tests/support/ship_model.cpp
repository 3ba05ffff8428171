#include "ship_model.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "every_chunk_model.h"
#include "sample_textures.h"
#include "shield_tree.h"
#include "subobject_model.h"

namespace testing_pof {

namespace {

constexpr int kSides = 8;
constexpr float kTurn = 6.2831853f / kSides;

// Rings of the hull from the back (z -20) to the nose (z 22): z and radius of each.
constexpr float kRings[][2] = {{-20, 4}, {-10, 6}, {2, 6}, {14, 4.5f}, {22, 1}};
constexpr int kRingCount = 5;

// Texture numbers, in the order of sample_texture_names().
constexpr std::int32_t kHullTexture = 0, kTurretTexture = 1, kCapTexture = 2, kDebrisTexture = 3;

// How a copy of the ship is laid out.
struct Layout {
    std::int32_t version = 2117;
    bool nose = false;           // a nose vertex: the hull's vertex data starts after padding
    bool angle_offsets = false;  // after each gun and missile point's normal
    bool tree = false;           // a SORTNORM2 tree of TMAP2POLY leaves, not TMAPPOLY blocks
    bool door = false;           // a sliding door under the hull
    const char* shield_tree = nullptr;  // "SLDC" or "SLC2"
};

Layout layout_of(ShipCopy copy) {
    switch (copy) {
        case ShipCopy::Sample:
            return {};
        case ShipCopy::V2117Sldc:
            return {.shield_tree = "SLDC"};
        case ShipCopy::V2201:
            return {.version = 2201, .nose = true, .angle_offsets = true, .shield_tree = "SLC2"};
        case ShipCopy::V2301:
            return {.version = 2301,
                    .nose = true,
                    .angle_offsets = true,
                    .tree = true,
                    .door = true,
                    .shield_tree = "SLC2"};
    }
    return {};
}

constexpr const char* kProductionInfo =
    "pofscope sample ship\n"
    "hull of 34 faces, gun turret amidships, missile turret aft\n"
    "detail level 1: hull-1; debris: debris01\n"
    "written by tools/make_sample\n";

bsp::Vec unit(float x, float y, float z) {
    const float l = std::sqrt(x * x + y * y + z * z);
    return {x / l, y / l, z / l};
}

// Hull vertex k of ring r, its normal pointing out of the tube.
bsp::Vertex hull_vertex(int r, int k) {
    const float a = kTurn * static_cast<float>(k);
    return {{kRings[r][1] * std::cos(a), kRings[r][1] * std::sin(a) * 0.7f, kRings[r][0]},
            {unit(std::cos(a), std::sin(a), 0)}};
}

bsp::Vec minus(bsp::Vec a, bsp::Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

float dot(bsp::Vec a, bsp::Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A face: its corners and texture, its plane, its centre and the radius around that centre,
// and the box of its corners.
struct Face {
    std::vector<bsp::PolygonEntry> corners;
    std::int32_t texture = 0;
    bsp::Vec normal, centre, min, max;
    float radius = 0;
};

// A face over the given corners, its plane by Newell's sum over the edges, turned to face away
// from `inside`.
Face face(const std::vector<bsp::Vertex>& vertices, const std::vector<bsp::PolygonEntry>& corners,
          std::int32_t texture, bsp::Vec inside) {
    bsp::Vec centre, normal;
    const auto n = static_cast<float>(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const bsp::Vec p = vertices[corners[i].vertex].position;
        const bsp::Vec q = vertices[corners[(i + 1) % corners.size()].vertex].position;
        centre = {centre.x + p.x / n, centre.y + p.y / n, centre.z + p.z / n};
        normal = {normal.x + (p.y - q.y) * (p.z + q.z), normal.y + (p.z - q.z) * (p.x + q.x),
                  normal.z + (p.x - q.x) * (p.y + q.y)};
    }
    normal = unit(normal.x, normal.y, normal.z);
    if (dot(normal, minus(centre, inside)) < 0) normal = {-normal.x, -normal.y, -normal.z};
    Face f{corners,
           texture,
           normal,
           centre,
           vertices[corners[0].vertex].position,
           vertices[corners[0].vertex].position};
    for (const auto& c : corners) {
        const bsp::Vec p = vertices[c.vertex].position;
        const bsp::Vec d = minus(p, centre);
        f.radius = std::max(f.radius, std::sqrt(dot(d, d)));
        f.min = {std::min(f.min.x, p.x), std::min(f.min.y, p.y), std::min(f.min.z, p.z)};
        f.max = {std::max(f.max.x, p.x), std::max(f.max.y, p.y), std::max(f.max.z, p.z)};
    }
    return f;
}

// Faces [first, last) as a SORTNORM2 tree: a split over halves, each face a TMAP2POLY leaf,
// every node's box holding its faces. Each front child follows its split.
Bytes tree(const std::vector<Face>& faces, std::size_t first, std::size_t last) {
    bsp::Vec lo = faces[first].min, hi = faces[first].max;
    for (std::size_t i = first; i < last; ++i) {
        lo = {std::min(lo.x, faces[i].min.x), std::min(lo.y, faces[i].min.y),
              std::min(lo.z, faces[i].min.z)};
        hi = {std::max(hi.x, faces[i].max.x), std::max(hi.y, faces[i].max.y),
              std::max(hi.z, faces[i].max.z)};
    }
    if (last - first == 1) {
        const Face& f = faces[first];
        std::vector<bsp::Polygon2Entry> entries;
        for (const auto& c : f.corners) {
            entries.push_back({static_cast<std::uint32_t>(c.vertex),
                               static_cast<std::uint32_t>(c.normal), c.u, c.v});
        }
        return bsp::tmap2poly(entries, f.texture, lo, hi, f.normal);
    }
    const std::size_t middle = first + (last - first) / 2;
    const Bytes front = tree(faces, first, middle), back = tree(faces, middle, last);
    return Bytes().raw(bsp::sortnorm2(40, 40 + front.size32(), lo, hi)).raw(front).raw(back);
}

// The BSP data: the vertices, then the faces as TMAPPOLY blocks and an EOF, or as a tree.
Bytes bsp_data(const std::vector<bsp::Vertex>& vertices, const std::vector<Face>& faces,
               const Layout& layout) {
    Bytes data = bsp::defpoints(vertices);
    if (layout.tree) return data.raw(tree(faces, 0, faces.size()));
    for (const Face& f : faces)
        data.raw(bsp::tmappoly(f.corners, f.texture, {f.normal, f.centre, f.radius}));
    return data.raw(bsp::eof());
}

std::int16_t at(int r, int k) {
    return static_cast<std::int16_t>(r * kSides + k % kSides);
}

// Quads between the rings, an octagon closing the back: 4 x 8 + 1 faces; the nose is
// closed by the last ring's small radius and a second octagon, or with a nose vertex by a fan
// of 8 triangles (41 vertices: their data starts after 3 padding bytes).
Bytes hull_bsp(const Layout& layout) {
    std::vector<bsp::Vertex> vertices;
    for (int r = 0; r < kRingCount; ++r)
        for (int k = 0; k < kSides; ++k) vertices.push_back(hull_vertex(r, k));
    if (layout.nose) vertices.push_back({{0, 0, kRings[kRingCount - 1][0]}, {{0, 0, 1}}});
    std::vector<Face> faces;
    for (int r = 0; r + 1 < kRingCount; ++r) {
        for (int k = 0; k < kSides; ++k) {
            const float u0 = static_cast<float>(k) / kSides,
                        u1 = static_cast<float>(k + 1) / kSides;
            const float v0 = static_cast<float>(r) / 4, v1 = static_cast<float>(r + 1) / 4;
            faces.push_back(face(vertices,
                                 {{at(r, k), at(r, k), u0, v0},
                                  {at(r + 1, k), at(r + 1, k), u0, v1},
                                  {at(r + 1, k + 1), at(r + 1, k + 1), u1, v1},
                                  {at(r, k + 1), at(r, k + 1), u1, v0}},
                                 kHullTexture, {}));
        }
    }
    const auto cap_entry = [](int r, int corner) {
        return bsp::PolygonEntry{at(r, corner), at(r, corner),
                                 0.5f + 0.5f * std::cos(kTurn * corner),
                                 0.5f + 0.5f * std::sin(kTurn * corner)};
    };
    for (const int r : {0, kRingCount - 1}) {
        if (r > 0 && layout.nose) {
            const auto nose = static_cast<std::int16_t>(vertices.size() - 1);
            for (int k = 0; k < kSides; ++k) {
                faces.push_back(
                    face(vertices, {cap_entry(r, k), cap_entry(r, k + 1), {nose, nose, 0.5f, 0.5f}},
                         kCapTexture, {}));
            }
            continue;
        }
        std::vector<bsp::PolygonEntry> cap;
        for (int k = 0; k < kSides; ++k) cap.push_back(cap_entry(r, r == 0 ? kSides - 1 - k : k));
        faces.push_back(face(vertices, cap, kCapTexture, {}));
    }
    return bsp_data(vertices, faces, layout);
}

// A box from lo to hi: six quads of the given texture.
Bytes box_bsp(bsp::Vec lo, bsp::Vec hi, std::int32_t texture, const Layout& layout) {
    std::vector<bsp::Vertex> corners;
    for (int i = 0; i < 8; ++i) {
        corners.push_back({{i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z},
                           {unit(i & 1 ? 1 : -1, i & 2 ? 1 : -1, i & 4 ? 1 : -1)}});
    }
    std::vector<Face> quads;
    const std::int16_t faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                      {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    const bsp::Vec middle{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
    for (const auto& f : faces) {
        quads.push_back(
            face(corners,
                 {{f[0], f[0], 0, 0}, {f[1], f[1], 1, 0}, {f[2], f[2], 1, 1}, {f[3], f[3], 0, 1}},
                 texture, middle));
    }
    return bsp_data(corners, quads, layout);
}

// The hull's children are its turrets: they turn about their y axis and say so in their
// properties. None slides, but the door.
Bytes subobject(const Layout& layout, std::int32_t number, std::int32_t parent, bsp::Vec offset,
                const char* name, const Bytes& data, bsp::Vec lo, bsp::Vec hi, bool door = false) {
    SubobjectFields s;
    const bool turret = parent >= 0 && !door;
    s.movement_type = turret ? 1 : -1;
    s.movement_axis = turret ? 1 : -1;
    s.translation_type = door ? 1 : -1;  // regular
    s.translation_axis = door ? 0 : -1;  // X
    s.properties = turret ? "$special=subsystem\n$fov=180" : "";
    s.number = number;
    s.parent = parent;
    s.offset[0] = offset.x;
    s.offset[1] = offset.y;
    s.offset[2] = offset.z;
    s.radius = std::sqrt(hi.x * hi.x + hi.y * hi.y + hi.z * hi.z) + 1;
    s.name = name;
    s.bsp = data;
    s.bbox_min[0] = lo.x, s.bbox_min[1] = lo.y, s.bbox_min[2] = lo.z;
    s.bbox_max[0] = hi.x, s.bbox_max[1] = hi.y, s.bbox_max[2] = hi.z;
    s.centre[0] = (lo.x + hi.x) / 2, s.centre[1] = (lo.y + hi.y) / 2,
    s.centre[2] = (lo.z + hi.z) / 2;
    return subobject_body(layout.version, s);
}

Bytes header(std::int32_t subobjects) {
    Bytes b;
    b.f32(24).i32(0).i32(subobjects);  // radius, flags, subobjects
    b.vec(-6, -6, -20).vec(6, 8, 22);
    b.i32(2).i32(0).i32(3);  // detail levels: the hull, then the coarse hull
    b.i32(1).i32(4);         // debris: subobject 4
    b.f32(800).vec(0, 0, 1);
    for (int k = 0; k < 9; ++k) b.f32(k % 4 == 0 ? 100.0f : 0.0f);
    b.i32(kRingCount);  // cross sections: depth and radius of each hull ring
    for (const auto& ring : kRings) b.f32(ring[0]).f32(ring[1]);
    return b.i32(1).vec(0, 0, -21).i32(1);  // a light behind the thrusters
}

// An octahedron around the hull: six vertices, eight faces with their neighbours.
constexpr float kShieldVertices[6][3] = {{9, 0, 0},  {-9, 0, 0}, {0, 9, 0},
                                         {0, -9, 0}, {0, 0, 26}, {0, 0, -24}};
constexpr int kShieldFaces[8][3] = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4},
                                    {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};

Bytes shield() {
    const auto& v = kShieldVertices;
    Bytes b = Bytes().i32(6);
    for (const auto& p : v) b.vec(p[0], p[1], p[2]);
    const int neighbours[8][3] = {{4, 1, 3}, {5, 2, 0}, {6, 3, 1}, {7, 0, 2},
                                  {0, 7, 5}, {1, 4, 6}, {2, 5, 7}, {3, 6, 4}};
    b.i32(8);
    for (int f = 0; f < 8; ++f) {
        const int* c = kShieldFaces[f];
        const bsp::Vec n =
            unit(v[c[0]][0] + v[c[1]][0] + v[c[2]][0], v[c[0]][1] + v[c[1]][1] + v[c[2]][1],
                 v[c[0]][2] + v[c[1]][2] + v[c[2]][2]);
        b.vec(n.x, n.y, n.z).i32(c[0]).i32(c[1]).i32(c[2]);
        b.i32(neighbours[f][0]).i32(neighbours[f][1]).i32(neighbours[f][2]);
    }
    return b;
}

// The shield's collision tree over its faces, in the game's layout for the chunk.
Bytes shield_tree(const char* id) {
    std::vector<ShieldFaceCorners> faces;
    for (const auto& f : kShieldFaces) {
        ShieldFaceCorners corners;
        for (int i = 0; i < 3; ++i) {
            const auto& p = kShieldVertices[f[i]];
            corners[i] = {p[0], p[1], p[2]};
        }
        faces.push_back(corners);
    }
    const bool sldc = std::string_view(id) == "SLDC";
    return shield_tree_body(sldc ? ShieldTreeKind::Sldc : ShieldTreeKind::Slc2, faces);
}

// Running lights on the hull (port, starboard and stern, always lit) and a light blinking on
// top of the gun turret; positions in the model's frame, each facing out of the surface it sits
// on.
Bytes glow_points() {
    Bytes b = Bytes().i32(2);
    b.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(3).text("$glow_texture=runninglight");
    b.vec(-6.05f, 0, 2).vec(-1, 0, 0).f32(0.3f);
    b.vec(6.05f, 0, 2).vec(1, 0, 0).f32(0.3f);
    b.vec(0, 2, -20.05f).vec(0, 0, -1).f32(0.3f);
    b.i32(0).i32(200).i32(800).i32(1).i32(0).i32(0).i32(1).text("$glow_texture=blinklight");
    return b.vec(0, 6.25f, 2).vec(0, 1, 0).f32(0.4f);
}

}  // namespace

std::string ship_model(ShipCopy copy) {
    const Layout layout = layout_of(copy);
    // The guns turn their weapon models 30 degrees outwards where the version says so.
    const auto angle = [&](Bytes& b, float degrees) -> Bytes& {
        return layout.angle_offsets ? b.f32(degrees) : b;
    };
    Bytes guns = Bytes().i32(1).i32(2).vec(-3, -1.5f, 15).vec(0, 0, 1);
    angle(guns, -30).vec(3, -1.5f, 15).vec(0, 0, 1);
    angle(guns, 30);
    Bytes missiles = Bytes().i32(1).i32(1).vec(0, -4, -6).vec(0, 0, 1);
    angle(missiles, 0);
    // Turret count, then the turret subobject (its base), its gun subobject (the base
    // itself: a one-piece turret), its normal and its firing points.
    const Bytes gun_turret = Bytes()
                                 .i32(1)
                                 .i32(1)
                                 .i32(1)
                                 .vec(0, 1, 0)
                                 .i32(2)
                                 .vec(-0.6f, 6.8f, 2.5f)
                                 .vec(0.6f, 6.8f, 2.5f);
    const Bytes missile_turret = Bytes()
                                     .i32(1)
                                     .i32(2)
                                     .i32(2)
                                     .vec(0, 1, 0)
                                     .i32(2)
                                     .vec(-0.4f, 5.7f, -12.4f)
                                     .vec(0.4f, 5.7f, -12.4f);
    const Bytes dock = Bytes()
                           .i32(1)
                           .text("$name=belly")
                           .i32(1)
                           .i32(0)
                           .i32(2)
                           .vec(0, -4.2f, -1)
                           .vec(0, -1, 0)
                           .vec(0, -4.2f, 3)
                           .vec(0, -1, 0);
    const Bytes path = Bytes()
                           .i32(2)
                           .text("$dock01")
                           .text("")
                           .i32(3)
                           .vec(0, -25, 1)
                           .f32(4)
                           .i32(0)
                           .vec(0, -14, 1)
                           .f32(2.5f)
                           .i32(0)
                           .vec(0, -6, 1)
                           .f32(1.5f)
                           .i32(0)
                           .text("$turret01-path")
                           .text("turret01")
                           .i32(2)
                           .vec(0, 12, 2)
                           .f32(2.5f)
                           .i32(1)
                           .i32(1)
                           .vec(0, 8.5f, 2)
                           .f32(1.5f)
                           .i32(1)
                           .i32(1);
    const Bytes fuel = Bytes()
                           .i32(2)
                           .i32(1)
                           .text("$engine_subsystem=$engine01")
                           .vec(-2, 0, -20.5f)
                           .vec(0, 0, -1)
                           .f32(1.5f)
                           .i32(1)
                           .text("$engine_subsystem=$engine01")
                           .vec(2, 0, -20.5f)
                           .vec(0, 0, -1)
                           .f32(1.5f);
    const Bytes insignia = Bytes()
                               .i32(1)
                               .i32(0)
                               .i32(2)
                               .i32(4)
                               .vec(-1.5f, 4.3f, -6)
                               .vec(1.5f, 4.3f, -6)
                               .vec(1.5f, 4.3f, -3)
                               .vec(-1.5f, 4.3f, -3)
                               .vec(0, 0.05f, 0)
                               .i32(0)
                               .f32(0)
                               .f32(0)
                               .i32(1)
                               .f32(1)
                               .f32(0)
                               .i32(2)
                               .f32(1)
                               .f32(1)
                               .i32(0)
                               .f32(0)
                               .f32(0)
                               .i32(2)
                               .f32(1)
                               .f32(1)
                               .i32(3)
                               .f32(0)
                               .f32(1);
    const Bytes eye = Bytes().i32(1).i32(0).vec(0, 3, 12).vec(0, 0, 1);
    const Bytes special =
        Bytes().i32(1).text("$engine01").text("$special=subsystem").vec(0, 0, -17).f32(4);
    const Layout& l = layout;
    PofBuilder pof(layout.version);
    pof.chunk("HDR2", header(layout.door ? 6 : 5))
        .chunk("OBJ2",
               subobject(l, 0, -1, {0, 0, 0}, "hull", hull_bsp(l), {-6, -4.2f, -20}, {6, 4.2f, 22}))
        .chunk("OBJ2", subobject(l, 1, 0, {0, 4.2f, 2}, "turret01",
                                 box_bsp({-1.5f, 0, -1.5f}, {1.5f, 2, 1.5f}, kTurretTexture, l),
                                 {-1.5f, 0, -1.5f}, {1.5f, 2, 1.5f}))
        .chunk("OBJ2", subobject(l, 2, 0, {0, 3.6f, -13}, "turret02",
                                 box_bsp({-1, 0, -1}, {1, 1.5f, 1}, kTurretTexture, l), {-1, 0, -1},
                                 {1, 1.5f, 1}))
        .chunk("OBJ2", subobject(l, 3, -1, {0, 0, 0}, "hull-1",
                                 box_bsp({-5, -4, -20}, {5, 4, 22}, kHullTexture, l), {-5, -4, -20},
                                 {5, 4, 22}))
        .chunk("OBJ2", subobject(l, 4, -1, {0, 0, -12}, "debris01",
                                 box_bsp({-3, -3, -6}, {3, 3, 6}, kDebrisTexture, l), {-3, -3, -6},
                                 {3, 3, 6}));
    if (layout.door) {
        // A belly door that slides along x.
        pof.chunk("OBJ2", subobject(l, 5, 0, {0, -4.2f, 8}, "door01",
                                    box_bsp({-1.5f, -0.3f, -2}, {1.5f, 0, 2}, kTurretTexture, l),
                                    {-1.5f, -0.3f, -2}, {1.5f, 0, 2}, true));
    }
    pof.chunk("TXTR", texture_body(sample_texture_names()))
        .chunk("PINF", Bytes().raw(kProductionInfo))
        .chunk("ACEN", acen_body(0, 0, 1))
        .chunk("DOCK", dock)
        .chunk("PATH", path)
        .chunk("FUEL", fuel)
        .chunk("INSG", insignia)
        .chunk("GPNT", guns)
        .chunk("MPNT", missiles)
        .chunk("TGUN", gun_turret)
        .chunk("TMIS", missile_turret)
        .chunk("SPCL", special)
        .chunk("EYE ", eye)
        .chunk("SHLD", shield());
    if (layout.shield_tree) pof.chunk(layout.shield_tree, shield_tree(layout.shield_tree));
    return pof.chunk("GLOW", glow_points()).str();
}

const char* ship_file_name(ShipCopy copy) {
    switch (copy) {
        case ShipCopy::Sample:
            return "sample.pof";
        case ShipCopy::V2201:
            return "sample-2201.pof";
        case ShipCopy::V2301:
            return "sample-2301.pof";
        case ShipCopy::V2117Sldc:
            return "sample-2117-sldc.pof";
    }
    return "";
}

}  // namespace testing_pof
