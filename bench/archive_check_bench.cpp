// pofdump --check over an archive of 500 models totalling about 1 GB, as a mod ships its
// ships: nine in ten check clean, one in ten has a finding on every polygon. Prints the wall
// time of the whole check (pofdump's own run, its output counted and thrown away), then the
// same models read and checked one by one, with the time split between the read (File > Open
// of the member, straight from the archive's file) and the check (the model check and the
// words of its findings).
//
//   archive_check_bench [FOLDER]     the archive is written to FOLDER (default: the temp folder)
//                                    and removed at the end

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "archive/vp_archive.h"
#include "check/model_check.h"
#include "check_models.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "shell/frmPOF.h"
#include "subobject_model.h"
#include "view/headless.h"
#include "vp_builder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

using testing_pof::Bytes;

constexpr int kModels = 500;
constexpr std::int64_t kModelBytes = 2'000'000;

// Subobjects of a vertex table and 1,000 textured triangles; clean, or with every triangle
// naming a texture the TXTR chunk does not hold.
std::string model(bool faulty) {
    const Bytes data = bench_models::vertex_table_and_triangles(1000, faulty);
    return bench_models::chained_subobjects(
        data, static_cast<int>(kModelBytes / static_cast<std::int64_t>(data.size())));
}

// The archive is written body by body, so only one model is in memory at a time.
std::int64_t write_archive(const std::string& path) {
    const std::string clean = model(false), faulty = model(true);
    testing_pof::VpBuilder directory;
    std::ofstream out(path, std::ios::binary);
    out.write("VPVP\x02\0\0\0\0\0\0\0\0\0\0\0", 16);
    std::int64_t at = 16;
    directory.folder("data").folder("models");
    for (int i = 0; i < kModels; ++i) {
        const std::string& body = i % 10 == 9 ? faulty : clean;
        out.write(body.data(), static_cast<std::streamsize>(body.size()));
        directory.entry(static_cast<std::int32_t>(at), static_cast<std::int32_t>(body.size()),
                        "ship-" + std::to_string(i) + ".pof", 0);
        at += static_cast<std::int64_t>(body.size());
    }
    const std::string entries = directory.up().up().str().substr(16);
    out.write(entries.data(), static_cast<std::streamsize>(entries.size()));
    // The directory's offset and its entries: the models, two folders and two "..".
    const std::string fields = Bytes().i32(static_cast<std::int32_t>(at)).i32(kModels + 4).str();
    out.seekp(8);
    out.write(fields.data(), static_cast<std::streamsize>(fields.size()));
    return at;
}

// Counts what is written to it and keeps nothing.
class CountingBuffer : public std::streambuf {
  public:
    std::int64_t lines = 0;

  protected:
    int overflow(int c) override {
        if (c == '\n') ++lines;
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) lines += s[i] == '\n';
        return n;
    }
};

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

namespace pofdump {
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
}

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const std::string path =
        (folder / ("pofscope_check_" + std::to_string(::getpid()) + ".vp")).string();
    const std::int64_t bytes = write_archive(path);
    std::printf("archive: %d models, %.2f GB\n", kModels, static_cast<double>(bytes) / 1e9);

    CountingBuffer counted;
    std::ostream out(&counted);
    auto start = Clock::now();
    const int status = pofdump::run_command({"--check", path}, out, out);
    std::printf("pofdump --check: %.2f s, %lld lines, exit %d\n", seconds_since(start),
                static_cast<long long>(counted.lines), status);

    const auto listed = std::make_shared<const archive::Archive>(archive::Archive::open(path));
    double read = 0, check = 0;
    std::size_t findings = 0;
    for (const auto& m : listed->members()) {
        pof::ModelStore store;
        view::HeadlessDesktop desktop;
        view::HeadlessWindows windows;
        shell::frmPOF form(store, desktop, windows);
        start = Clock::now();
        form.open_member(listed, m);
        read += seconds_since(start);
        start = Clock::now();
        const auto found = check::check_model(store);
        for (std::size_t i = 0; i < found.size(); ++i) findings += !found[i].message.empty();
        check += seconds_since(start);
    }
    std::printf("one by one: read %.2f s, check and words %.2f s, %zu findings listed\n", read,
                check, findings);
    fs::remove(path);
    return 0;
}
