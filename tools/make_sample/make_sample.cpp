// Writes the sample model (every chunk type pofscope reads, plus one unknown chunk) and,
// when a second file is named, the sample ship the Model View shows.

#include <cstdio>
#include <string>

#include "pof_builder.h"
#include "sample_model.h"
#include "ship_model.h"

namespace {

bool write(const char* path, const std::string& model) {
    std::FILE* out = std::fopen(path, "wb");
    if (!out || std::fwrite(model.data(), 1, model.size(), out) != model.size()) {
        std::perror(path);
        if (out) std::fclose(out);
        return false;
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.pof [SHIP.pof]\n");
        return 2;
    }
    if (!write(argv[1], testing_pof::sample_model())) return 1;
    if (argc == 3 && !write(argv[2], testing_pof::ship_model())) return 1;
    return 0;
}
