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

#include <string>

namespace testing_pof {

std::string ship_model();

}  // namespace testing_pof
