#pragma once
// The models of the golden window texts and, for each, the pofdump steps that show every
// window with a typical choice made.

#include <string>
#include <utility>
#include <vector>

namespace golden {

struct Model {
    std::string name;                  // also the name of its golden file
    std::string bytes;                 // the POF file or VP archive
    std::vector<std::string> windows;  // pofdump options, one run each
    std::string suffix = ".pof";       // of the file's name
    // Files written beside it (its textures), name and bytes.
    std::vector<std::pair<std::string, std::string>> beside = {};
};

std::vector<Model> models();

// The windows of the sample ship, each shown from its loose file and from the sample archive.
const Model& sample_model();

}  // namespace golden
