// Writes the sample model the README and scripts/run.sh open: a small ship with every chunk
// type pofscope reads.

#include <cstdio>
#include <string>

#include "ship_model.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.pof\n");
        return 2;
    }
    const std::string model = testing_pof::ship_model();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(model.data(), 1, model.size(), out) != model.size()) {
        std::perror(argv[1]);
        if (out) std::fclose(out);
        return 1;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
