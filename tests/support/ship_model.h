#pragma once
// A small but complete ship for the Model View: a hull of 34 TMAPPOLY faces with normals and
// texture coordinates, a turret on top, a coarser detail level 1, a debris piece, gun and
// missile points, a gun turret, a dock with its approach path, two thrusters at the back, a
// shield around it, an insignia, an eye point and a special point. Everything it references
// exists, its normals have length 1 and its vertices lie inside their subobject's box.

#include <string>

namespace testing_pof {

std::string ship_model();

}  // namespace testing_pof
