#pragma once
// The drawn subobjects as Wavefront OBJ, with the materials beside it: one object per
// subobject, vertices in the model's frame, one face per polygon with its corners in stored
// order, texture coordinates from TMAPPOLY, a material per texture or flat colour. Both files
// are written as they are made.
//
// Names never leave their line or collide: a texture's material is its name as stored with
// every byte but A-Z a-z 0-9 . _ - written %XX (so the name reads back byte for byte), and the
// materials that stand for no texture name (flat colours, texture numbers without a name)
// start with "@", which a texture's material never does. Object names keep their text, with
// control characters, "#" and "%" written %XX.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "records/header/header_records.h"
#include "scene/scene.h"

namespace scene {

// mtl_name is the file name the OBJ's mtllib line gives for the material file; texture_files
// holds, per texture number, the path of the texture's file as the material file names it
// (relative to it), or "" where the bare TXTR name stands instead. A vertex that is not a
// finite number once placed is left out, the rest renumbered, with the polygons on it; a
// comment at the top says how many.
void write_obj(const Scene& scene, const records::TxtrRecord& textures, std::string_view mtl_name,
               std::ostream& obj, std::ostream& mtl,
               const std::vector<std::string>& texture_files = {});

// Whether name can stand on the mtllib line: no control character or line separator.
bool mtl_name_fits(std::string_view name);

struct ObjFiles {
    std::string obj;
    std::string mtl;
};
// Both files in memory.
ObjFiles obj_files(const Scene& scene, const records::TxtrRecord& textures,
                   std::string_view mtl_name);

}  // namespace scene
