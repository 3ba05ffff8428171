// Writes the sample model: every chunk type pofscope reads, plus one unknown chunk.

#include <cstdio>
#include <string>

#include "pof_builder.h"
#include "sample_model.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.pof\n");
        return 2;
    }
    const std::string model = testing_pof::sample_model();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(model.data(), 1, model.size(), out) != model.size()) {
        std::perror(argv[1]);
        return 1;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
