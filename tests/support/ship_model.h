#pragma once
// The sample ship the build writes as sample.pof: a hull of 34 TMAPPOLY faces with normals
// and texture coordinates, a gun turret and a missile turret on top, a coarser detail
// level 1, a debris piece, gun and missile points, a dock with its approach path and a path
// to the gun turret, two thrusters at the back, a shield around it, an insignia, an eye
// point, a special point, running lights on the hull and a blinking light on the gun turret,
// and a line of production info: every chunk type pofscope reads.
// Its TXTR names four textures (sample_textures.h), each used by some of its faces.
// Everything it references exists, its normals have length 1 and its vertices lie inside
// their subobject's box, so it checks clean.

// Beside it the build writes three copies in today's layouts: at 2201 (a nose vertex, so the
// hull's DEFPOINTS pads its vertex data; an SLC2 tree over the shield; angle offsets on the gun
// and missile points; the legacy polygons), at 2301 (the same, with every subobject's polygons
// a SORTNORM2 tree of TMAP2POLY leaves, and a door that slides along x) and at 2117 with an SLDC
// tree over the shield.

#include <array>
#include <string>

namespace testing_pof {

enum class ShipCopy { Sample, V2201, V2301, V2117Sldc };
inline constexpr std::array<ShipCopy, 4> kShipCopies{ShipCopy::Sample, ShipCopy::V2201,
                                                     ShipCopy::V2301, ShipCopy::V2117Sldc};

std::string ship_model(ShipCopy copy = ShipCopy::Sample);
// "sample.pof", "sample-2201.pof", "sample-2301.pof", "sample-2117-sldc.pof".
const char* ship_file_name(ShipCopy copy);

}  // namespace testing_pof
