// Listing a VP archive of 20,000 files and 2 GB: the directory read, checked and indexed
// (Archive::open), then the archive window made over it, filtered and sorted. The archive is a
// sparse file whose directory points at bodies that were never written. Besides the time, each
// benchmark reports the most memory held through operator new while it ran (peak_MiB).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "archive/vp_archive.h"
#include "shell/frmArchive.h"
#include "vp_builder.h"

namespace {

std::atomic<std::size_t> held{0}, peak{0};

void count_in(void* p) {
    const std::size_t now = held += malloc_usable_size(p);
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

constexpr int kFiles = 20'000;
constexpr int kFolders = 100;
constexpr std::int64_t kDirectoryAt = 2'100'000'000;  // the bodies fill the 2 GB before it

// data/models/folder-NN/ship-NNNNN.pof and the like, each body 100 kB, spread over 2 GB.
std::string directory_of_20000_files() {
    testing_pof::VpBuilder vp;
    const std::int64_t step = kDirectoryAt / kFiles;
    vp.folder("data");
    for (int f = 0; f < kFolders; ++f) {
        vp.folder("folder-" + std::to_string(f));
        for (int i = 0; i < kFiles / kFolders; ++i) {
            const int n = f * (kFiles / kFolders) + i;
            const char* suffix = n % 3 == 0 ? ".pof" : n % 3 == 1 ? ".dds" : ".tbl";
            vp.entry(static_cast<std::int32_t>(16 + n * step), 100'000,
                     "file-" + std::to_string(n) + suffix, 1'000'000'000 + n);
        }
        vp.up();
    }
    return vp.up().directory_offset(static_cast<std::int32_t>(kDirectoryAt)).str();
}

// The header, then the directory at 2.1 GB: the bytes between are a hole.
const std::string& big_archive() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() /
                         ("pofscope_bench_" + std::to_string(::getpid()) + ".vp"))
                            .string();
        const std::string vp = directory_of_20000_files();
        std::ofstream out(p, std::ios::binary);
        out.write(vp.data(), 16);
        out.seekp(kDirectoryAt);
        out.write(vp.data() + 16, static_cast<std::streamsize>(vp.size() - 16));
        std::atexit([] { std::filesystem::remove(big_archive()); });
        return p;
    }();
    return path;
}

void report_peak(benchmark::State& state, std::size_t before) {
    state.counters["peak_MiB"] = static_cast<double>(peak.load() - before) / (1024.0 * 1024.0);
    state.counters["files"] = kFiles;
}

void BM_ListArchive(benchmark::State& state) {
    const std::string& path = big_archive();
    const std::size_t before = held.load();
    peak = before;
    for (auto _ : state) {
        const auto listed = archive::Archive::open(path);
        if (listed.members().size() != kFiles || !listed.notes().empty()) {
            state.SkipWithError("the archive did not list as written");
        }
        benchmark::DoNotOptimize(&listed);
    }
    report_peak(state, before);
}
BENCHMARK(BM_ListArchive)->Unit(benchmark::kMillisecond);

// The window as File > Open shows it, then "models" typed into its filter and the rows sorted
// by path, as a user looking for a ship would.
void BM_ArchiveWindow(benchmark::State& state) {
    const auto listed =
        std::make_shared<const archive::Archive>(archive::Archive::open(big_archive()));
    const std::size_t before = held.load();
    peak = before;
    for (auto _ : state) {
        shell::frmArchive window(listed,
                                 [](const auto&, const auto&) { return pof::ReadOutcome::Clean; });
        window.opened();
        view::inputs_of(window.layout())[0]->type("7.pof");
        static_cast<view::Table*>(view::lists_of(window.layout())[0])->sort_by(1);
        benchmark::DoNotOptimize(&window);
    }
    report_peak(state, before);
}
BENCHMARK(BM_ArchiveWindow)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    count_in(p);
    return p;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    held -= malloc_usable_size(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

BENCHMARK_MAIN();
