#pragma once
// The models of the golden window texts and, for each, the pofdump steps that show every
// window with a typical choice made.

#include <string>
#include <vector>

namespace golden {

struct Model {
    std::string name;                  // also the name of its golden file
    std::string bytes;                 // the POF file
    std::vector<std::string> windows;  // pofdump options, one run each
};

std::vector<Model> models();

}  // namespace golden
