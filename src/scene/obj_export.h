#pragma once
// The drawn subobjects as Wavefront OBJ, with the materials beside it: one object per
// subobject, vertices in the model's frame, one face per polygon with its corners in stored
// order, texture coordinates from TMAPPOLY, a material per texture or flat colour.

#include <string>
#include <string_view>

#include "records/header/header_records.h"
#include "scene/scene.h"

namespace scene {

struct ObjFiles {
    std::string obj;
    std::string mtl;
};

// mtl_name is the file name the OBJ's mtllib line gives for the material file.
ObjFiles obj_files(const Scene& scene, const records::TxtrRecord& textures,
                   std::string_view mtl_name);

}  // namespace scene
