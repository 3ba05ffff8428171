// Replays fuzz inputs through the fuzz target without libFuzzer: the empty input first, then
// every file named on the command line, every file of a folder named there in name order.
// Exits non-zero when an input fails; a crash or sanitizer report ends the process anyway.

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs_of(const std::vector<std::string>& args) {
    std::vector<fs::path> out;
    for (const auto& arg : args) {
        if (!fs::is_directory(arg)) {
            out.emplace_back(arg);
            continue;
        }
        std::vector<fs::path> in_folder;
        for (const auto& e : fs::directory_iterator(arg)) {
            if (e.is_regular_file()) in_folder.push_back(e.path());
        }
        std::sort(in_folder.begin(), in_folder.end());
        out.insert(out.end(), in_folder.begin(), in_folder.end());
    }
    return out;
}

bool replay(const std::string& name, const std::string& bytes) {
    std::printf("replay %s (%zu bytes)\n", name.c_str(), bytes.size());
    std::fflush(stdout);
    try {
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: uncaught exception: %s\n", name.c_str(), e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: uncaught exception\n", name.c_str());
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Take the locale from the environment as the Qt viewer does at start-up, so a run under
    // a German locale shows whether any text depends on it.
    std::setlocale(LC_ALL, "");
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR|FILE...\n", argv[0]);
        return 2;
    }
    const auto inputs = inputs_of({argv + 1, argv + argc});
    int failed = replay("(empty input)", {}) ? 0 : 1;
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
            ++failed;
            continue;
        }
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!replay(path.string(), bytes)) ++failed;
    }
    std::printf("%zu inputs replayed, %d failed\n", inputs.size() + 1, failed);
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
