#pragma once
// Chunk bodies of a small model that holds every chunk type, each with numbers that say where
// they sit; shared by the tests, the fuzz seeds and the benchmarks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pof_builder.h"
#include "subobject_model.h"

namespace testing_pof {

struct HeaderFields {
    std::int32_t subobjects = 2;
    float radius = 25.5f;
    std::int32_t flags = 3;
    std::int32_t detail_levels = 1;
    std::int32_t debris = 2;
    std::int32_t cross_sections = 3;
    std::int32_t lights = 1;
    // Debris piece i names subobject first_debris + i * debris_step.
    std::int32_t first_debris = 100;
    std::int32_t debris_step = 1;
    // Detail level i names subobject i * detail_level_step.
    std::int32_t detail_level_step = 1;
};

// An OHDR/HDR2 body laid out for the given file version.
Bytes header_body(std::int32_t version, const HeaderFields& h = {});
Bytes texture_body(const std::vector<std::string>& names);
Bytes acen_body(float x, float y, float z);

// Subobject 0 or 1 of the every-chunk model.
Bytes every_chunk_subobject(std::int32_t version, std::int32_t number);

// Docking chunk bodies, each the first example of its window: two docks (properties "abc",
// paths 3 and 7 unless told otherwise, two points; then no paths and one point), one path "p0"
// of two vertices (turrets 4 and 5 unless told otherwise, then none), one thruster of two glows
// (properties "abc" from version 2117 on), one insignia of four vertices and two faces.
Bytes dock_body(std::int32_t first_path = 3, std::int32_t second_path = 7);
Bytes path_body(std::int32_t first_turret = 4, std::int32_t second_turret = 5);
Bytes fuel_body(std::int32_t version);
Bytes insg_body();

// Two banks of glow points: bank b blinks with display, on and off times 10 + b, 20 + b and
// 30 + b, hangs under subobject b at detail level 0 with type b + 1; bank 0 holds the properties
// "$glow_texture=glow0" and two points, bank 1 none and one point. Point p of bank b is at
// (b, p, 3) with radius 0.25 * (2b + p + 1); the normals are (0, 0, 1), (0, 1, 0) and (1, 0, 0)
// in file order.
Bytes glow_body();

// Weapon, special point, eye and shield bodies. Every number says where it sits: point p of
// bank b is at (b, p, 1.5) with normal (0.5, b + 1, -p - 1); turret b hangs under subobject
// b + 1 (physical parent -1) with normal (b, 1, 0) and firing point p at (b, p, 2); eye point i
// is on subobject i at (i, 1, 2) facing (0, 0, -1); special point i is at (i, 2, -3) with
// radius i + 1; shield vertex v is at (v, -v, 0.5); face f has normal (f, 0, 1), corners f,
// f + 1, f + 2 and neighbours f + 1, f + 2, f + 3.
// With unit_normals every point faces (0, 0, -1) instead; with angle_offsets each point's
// normal is followed by the angle offset 10b + p + 0.5; physical_parent stands for every
// turret's physical parent.
Bytes weapon_points_body(const std::vector<std::int32_t>& points_per_bank,
                         bool unit_normals = false, bool angle_offsets = false);
// Whether the gun and missile points of a file of this version carry angle offsets (in the
// versions the game reads: a refused version is written as 2117).
bool has_angle_offsets(std::int32_t version);
Bytes turret_body(const std::vector<std::int32_t>& firing_points_per_bank,
                  std::int32_t physical_parent = -1);
Bytes eye_body(std::int32_t points);
struct SpecialPointTexts {
    std::string name, properties;
};
Bytes special_points_body(const std::vector<SpecialPointTexts>& points);
Bytes shield_body(std::int32_t vertices, std::int32_t faces);

// A closed shield: a tetrahedron of four vertices and four faces, each face naming the three
// it shares an edge with.
Bytes closed_shield_body();

// Every chunk type pofscope reads, plus one unknown chunk "XXXX". Its numbers hang together:
// the model check finds nothing wrong in it but the unknown chunk and an unused texture.
// Each chunk is laid out for the version; from 2200 on subobject 1's DEFPOINTS has three
// vertices (one padding byte, 0xAB, before the vertex data), from 2300 on its polygons are a
// SORTNORM2 split over two TMAP2POLY leaves.
std::string every_chunk_model(std::int32_t version = 2117);

// A node of an SLDC or SLC2 tree. A split links to its front and back children by offsets from
// its first byte; a leaf lists SHLD faces. size and count, where set, stand instead of the
// node's true size and its number of faces.
struct ShieldTreeNode {
    bool split = false;
    bsp::Vec min, max{1, 1, 1};
    std::uint32_t front = 0, back = 0;
    std::vector<std::uint32_t> faces;
    std::optional<std::uint32_t> size, count;
};
// An SLDC (type_bytes 1) or SLC2 (type_bytes 4) body: the tree size (the nodes' bytes unless
// given), then the nodes end to end.
Bytes shield_tree_body(int type_bytes, const std::vector<ShieldTreeNode>& nodes,
                       std::optional<std::int32_t> tree_size = {});
// A tree over the closed shield: a split whose front and back are leaves of faces 0, 1 and
// 2, 3, every box the shield's.
Bytes closed_shield_tree(int type_bytes);

}  // namespace testing_pof
