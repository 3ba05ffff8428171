// Writes the sample model the README and scripts/run.sh open: a small ship with every chunk
// type pofscope reads, and beside it its copies in the layouts of versions 2201 and 2301 and
// one with an SLDC tree, and the texture files its TXTR names; with a second name, also the
// sample archive that holds it.

#include <cstdio>
#include <filesystem>
#include <string>

#include "sample_archive.h"
#include "sample_textures.h"
#include "ship_model.h"

namespace {

bool write(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
        std::perror(path.c_str());
        if (out) std::fclose(out);
        return false;
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.pof [ARCHIVE.vp]\n");
        return 2;
    }
    if (!write(argv[1], testing_pof::ship_model())) return 1;
    const std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    for (const testing_pof::ShipCopy copy : testing_pof::kShipCopies) {
        if (copy == testing_pof::ShipCopy::Sample) continue;
        const auto path = folder / testing_pof::ship_file_name(copy);
        if (!write(path.string(), testing_pof::ship_model(copy))) return 1;
    }
    for (const auto& texture : testing_pof::sample_textures()) {
        if (!write((folder / texture.file_name).string(), texture.bytes)) return 1;
    }
    if (argc == 3 && !write(argv[2], testing_pof::sample_archive())) return 1;
    return 0;
}
