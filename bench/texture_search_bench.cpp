// What the texture search costs pofdump over many models and many texture names: each folder
// is listed once per run, each archive's directory read once per run and shared by every
// model's search, and each name looked up in hashed indexes, so the time grows in proportion
// to the models, the archives' entries and the names. Each case runs at two sizes.
//
//   BesideArchives/M/A   pofdump --check over a folder of M small models (one TXTR name each,
//                       found nowhere) in a mod beside A archives of 20,000 entries, most
//                       of them other files in the data/maps folder the search lists
//   FolderOfModels/M    pofdump --check over a folder of M small models
//   NamesInArchive/N/S  a model of N TXTR names, each found as a 4 x 4 DDS in an archive's
//                       data/maps beside it: --view MODEL (S 0), --check (S 1),
//                       --thumbnail (S 2)

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "clean_model.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "texture_writers.h"
#include "vp_builder.h"

namespace pofdump {
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
}

namespace {

namespace fs = std::filesystem;

constexpr int kArchiveEntries = 20000;

// Keeps nothing of what is written to it.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The folders the cases write, removed when the benchmarks end.
class Folders {
  public:
    ~Folders() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    // A folder of its own per case and size, written by make the first time it is asked for.
    template <class Make>
    fs::path get(const std::string& name, Make make) {
        const fs::path folder = root_ / name;
        if (made_.emplace(name, true).second) make(folder);
        return folder;
    }

  private:
    fs::path root_ = fs::temp_directory_path() / ("pofscope_search_" + std::to_string(::getpid()));
    std::map<std::string, bool> made_;
};

Folders& folders() {
    static Folders f;
    return f;
}

// A model with a header, two textured subobjects and the TXTR names given.
std::string model(const std::vector<std::string>& names) {
    testing_pof::CleanModel m;
    m.txtr = testing_pof::texture_body(names);
    return m.str();
}

// An archive of 20,000 entries: a few textures in data/maps among many other files there.
std::string busy_archive(int mark) {
    testing_pof::VpBuilder vp;
    vp.folder("data").folder("maps");
    for (int i = 0; i < kArchiveEntries - 4; ++i) {
        vp.file("effect-" + std::to_string(mark) + "-" + std::to_string(i) + ".ani", "x");
    }
    return vp.up().up().str();
}

void models_in(const fs::path& folder, int models) {
    const std::string bytes = model({"hull"});
    for (int i = 0; i < models; ++i) write(folder / ("ship-" + std::to_string(i) + ".pof"), bytes);
}

void run(benchmark::State& state, const std::vector<std::string>& args) {
    NullBuffer null;
    std::ostream out(&null);
    for (auto _ : state) benchmark::DoNotOptimize(pofdump::run_command(args, out, out));
}

void BesideArchives(benchmark::State& state) {
    const int models = static_cast<int>(state.range(0));
    const int archives = static_cast<int>(state.range(1));
    const fs::path mod =
        folders().get("beside-" + std::to_string(models) + "-" + std::to_string(archives),
                      [&](const fs::path& f) {
                          models_in(f / "data" / "models", models);
                          for (int a = 0; a < archives; ++a)
                              write(f / ("mod-" + std::to_string(a) + ".vp"), busy_archive(a));
                      });
    run(state, {"--check", (mod / "data" / "models").string()});
    state.counters["models"] = models;
}
BENCHMARK(BesideArchives)->Args({50, 5})->Args({100, 10})->Unit(benchmark::kMillisecond);

void FolderOfModels(benchmark::State& state) {
    const int models = static_cast<int>(state.range(0));
    const fs::path folder = folders().get("folder-" + std::to_string(models),
                                          [&](const fs::path& f) { models_in(f, models); });
    run(state, {"--check", folder.string()});
    state.counters["models"] = models;
}
BENCHMARK(FolderOfModels)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

void NamesInArchive(benchmark::State& state) {
    const int names = static_cast<int>(state.range(0));
    const fs::path mod = folders().get("names-" + std::to_string(names), [&](const fs::path& f) {
        std::vector<std::string> txtr;
        testing_pof::VpBuilder vp;
        vp.folder("data").folder("maps");
        const std::string dds = testing_pof::dds_header(4, 4, "DXT1") + std::string(8, '\0');
        for (int i = 0; i < names; ++i) {
            txtr.push_back("tex-" + std::to_string(i));
            vp.file(txtr.back() + ".dds", dds);
        }
        write(f / "maps.vp", vp.up().up().str());
        write(f / "data" / "models" / "ship.pof", model(txtr));
    });
    const std::string ship = (mod / "data" / "models" / "ship.pof").string();
    const std::string png = (mod / "thumbnail.png").string();
    switch (state.range(1)) {
        case 0:
            run(state, {"--view", "MODEL", ship});
            break;
        case 1:
            run(state, {"--check", ship});
            break;
        default:
            run(state, {"--thumbnail", png, ship});
    }
    state.counters["names"] = names;
}
BENCHMARK(NamesInArchive)->ArgsProduct({{5000, 20000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
