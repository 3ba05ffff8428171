// What pofdump writes when the file, its name or its output path is hostile: --check lines
// that stay one finding each, memory that does not grow with the findings, the OBJ and its
// materials written only where they can be, and long property texts in the text form.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dump_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"

namespace {

using dump_testing::dump;
using dump_testing::peak_mib;
using dump_testing::TempFile;
using testing_pof::Bytes;
using testing_pof::PofBuilder;

std::string unknown_chunks(int count) {
    std::string bytes = PofBuilder(2117).str();
    const std::string chunk = Bytes().raw("XXXX").i32(1).u8(0).str();
    for (int i = 0; i < count; ++i) bytes += chunk;
    return bytes;
}

// A line feed, an escape sequence, U+2028 and a byte that is not UTF-8 in a file name.
TEST(CheckOutput, AFileNameStaysOnItsLine) {
    TempFile file(unknown_chunks(2));
    const std::string hostile =
        std::filesystem::path(file.path()).parent_path() / "ship\n\x1B[31m\xE2\x80\xA8\xFF.pof";
    std::filesystem::copy_file(file.path(), hostile);
    const auto d = dump({"--check", hostile});
    std::filesystem::remove(hostile);
    std::istringstream lines(d.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_NE(line.find("ship\xE2\x90\x8A\xE2\x90\x9B[31m\\u2028\xEF\xBF\xBD.pof"),
                  std::string::npos)
            << line;
    }
    EXPECT_EQ(count, 4) << "no header, two unknown chunks, the summary:\n" << d.out;
}

// Findings go out as their chunk's checks end: 400,000 of them cost no more than the read.
TEST(CheckOutput, PeakMemoryDoesNotGrowWithTheFindings) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    TempFile file(unknown_chunks(400000));
    const double read = peak_mib({file.path()});
    for (const bool json : {false, true}) {
        std::vector<std::string> args{"--check", file.path()};
        if (json) args.insert(args.begin() + 1, "--json");
        const double peak = peak_mib(args);
        std::printf("pofdump --check %s400,000 findings: peak %.1f MiB, the read alone %.1f\n",
                    json ? "--json " : "", peak, read);
        EXPECT_GT(read, 0);
        EXPECT_LT(peak, read + 64) << (json ? "JSON" : "text");
    }
}

struct ObjRun {
    int status = 0;
    std::string err;
    bool mtl_written = false;
};

ObjRun obj_to(const std::string& obj, const std::string& mtl) {
    TempFile model(testing_pof::every_chunk_model(2117));
    const auto d = dump({model.path(), "--obj", obj});
    struct stat st {};
    return {d.status, d.err, ::stat(mtl.c_str(), &st) == 0 && S_ISREG(st.st_mode)};
}

// A FIFO without a reader would block for ever; a folder is no file; a line feed in the name
// would split the line that names the materials. None writes anything.
TEST(ObjOutput, OnlyARegularOrNewFileIsWritten) {
    TempFile place("");
    const std::string base = place.path();
    const std::string fifo = base + ".fifo.obj", folder = base + ".dir.obj";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(base + ".mtlfolder.mtl");
    const auto on_fifo = obj_to(fifo, base + ".fifo.mtl");
    const auto on_folder = obj_to(folder, base + ".dir.mtl");
    const auto onto_mtl_folder = obj_to(base + ".mtlfolder.obj", base + ".mtlfolder.mtl");
    const auto line_feed = obj_to(base + "\n.obj", base + "\n.mtl");
    EXPECT_EQ(on_fifo.err, "pofdump: cannot write " + fifo + ": not a regular file\n");
    EXPECT_EQ(on_folder.status, 1);
    EXPECT_FALSE(on_folder.mtl_written);
    EXPECT_NE(onto_mtl_folder.err.find(".mtlfolder.mtl:"), std::string::npos)
        << onto_mtl_folder.err;
    EXPECT_FALSE(std::filesystem::exists(base + ".mtlfolder.obj"));
    EXPECT_EQ(line_feed.status, 1);
    EXPECT_FALSE(std::filesystem::exists(base + "\n.obj"));
    ::unlink(fifo.c_str());
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(base + ".mtlfolder.mtl");
}

// A ship of 1,200,000 triangles: its OBJ (about 70 MB) is written as it is made, so the
// export costs little more than the Model View.
TEST(ObjOutput, PeakMemoryStaysNearTheModelView) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    namespace bsp = testing_pof::bsp;
    TempFile model("");
    {
        std::vector<bsp::Vertex> vertices;
        for (int i = 0; i < 1000; ++i) vertices.push_back({{float(i), float(i % 7), 1}, {}});
        Bytes data = bsp::defpoints(vertices);
        for (int i = 0; i < 600000; ++i) {
            const auto a = static_cast<std::int16_t>(i % 998);
            data.raw(bsp::tmappoly({{a, 0}, {std::int16_t(a + 1), 0}, {std::int16_t(a + 2), 0}}));
        }
        PofBuilder b(2117);
        b.chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 2, .debris = 0}));
        for (int n = 0; n < 2; ++n) {
            b.chunk("OBJ2",
                    testing_pof::subobject_body(
                        2117, {.number = n, .parent = n - 1, .bsp = Bytes(data).raw(bsp::eof())}));
        }
        model.write(b.str());
    }
    const std::string obj = model.path() + ".obj";
    const double view = peak_mib({model.path(), "--view", "MODEL"});
    const double exported = peak_mib({model.path(), "--obj", obj});
    std::printf("pofdump, 1,200,000 triangles: --view MODEL %.1f MiB, --obj %.1f MiB (%.0f MB)\n",
                view, exported, std::filesystem::file_size(obj) / 1e6);
    EXPECT_GT(std::filesystem::file_size(obj), 64u << 20);
    EXPECT_LT(exported, view + 64);
    std::filesystem::remove(obj);
    std::filesystem::remove(model.path() + ".mtl");
}

// 20,000,000 line feeds of subobject properties show as one line of visible symbols, written
// in pieces: the run holds the store and the window's text, not the line.
TEST(TextOutput, LongPropertiesCostTheirSizeOnce) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine hide the figure";
#endif
    constexpr std::size_t kBytes = 20'000'000;
    TempFile file("");
    file.write(PofBuilder(2117)
                   .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
                   .chunk("OBJ2", testing_pof::subobject_body(
                                      2117, {.properties = std::string(kBytes, '\n')}))
                   .str());
    const double peak = peak_mib({file.path(), "--view", "OBJ2"});
    std::printf("pofdump --view OBJ2, 20 MB of line feeds in the properties: peak %.1f MiB\n",
                peak);
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 2.0 * kBytes / (1 << 20) + 64);
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Hidden files beside path whose names hold its name: a temporary file left behind.
std::vector<std::string> leftovers(const std::string& path) {
    const std::filesystem::path p(path);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(p.parent_path())) {
        const std::string name = e.path().filename().string();
        if (name.starts_with(".") && name.find(p.filename().string()) != std::string::npos)
            names.push_back(name);
    }
    return names;
}

// A write that fails part way (here a file-size limit of 64 bytes, as a full disk would):
// the old OBJ, its materials and the old PNG stay as they were, and nothing else is left.
TEST(AtomicOutput, AFailedWriteLeavesTheOldFilesWhole) {
    TempFile model(testing_pof::every_chunk_model(2117));
    const std::string obj = model.path() + ".obj", mtl = model.path() + ".mtl";
    const std::string png = model.path() + ".png";
    for (const auto& path : {obj, mtl, png}) std::ofstream(path) << "old " << path;
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG
    rlimit small = before;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto to_obj = dump({model.path(), "--obj", obj});
    const auto to_png = dump({model.path(), "--png", png});
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(to_obj.status, 1);
    EXPECT_EQ(to_obj.err, "pofdump: cannot write " + obj + ": File too large\n");
    EXPECT_EQ(to_png.status, 1);
    EXPECT_EQ(to_png.err, "pofdump: cannot write " + png + ": File too large\n");
    for (const auto& path : {obj, mtl, png}) EXPECT_EQ(contents(path), "old " + path);
    EXPECT_TRUE(leftovers(model.path()).empty());

    // Without the limit both are replaced whole.
    EXPECT_EQ(dump({model.path(), "--obj", obj, "--png", png}).status, 0);
    EXPECT_EQ(contents(obj).rfind("# ", 0), 0u);
    EXPECT_EQ(contents(png).substr(1, 3), "PNG");
    for (const auto& path : {obj, mtl, png}) std::filesystem::remove(path);
}

// A link whose file is not there is named as one; a link to a file writes that file and stays
// a link; a folder and a write-protected file are refused, the latter left as it was.
TEST(AtomicOutput, LinksFoldersAndProtectedFiles) {
    TempFile model(testing_pof::every_chunk_model(2117));
    const std::string base = model.path();
    std::filesystem::create_symlink(base + ".nowhere.png", base + ".dangling.png");
    const auto dangling = dump({base, "--png", base + ".dangling.png"});
    EXPECT_EQ(dangling.status, 1);
    EXPECT_EQ(dangling.err, "pofdump: cannot write " + base +
                                ".dangling.png: it is a dangling symbolic link (what it names "
                                "does not exist)\n");
    EXPECT_FALSE(std::filesystem::exists(base + ".nowhere.png"));

    std::ofstream(base + ".real.png") << "old";
    std::filesystem::create_symlink(base + ".real.png", base + ".link.png");
    EXPECT_EQ(dump({base, "--png", base + ".link.png"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(base + ".link.png"));
    EXPECT_EQ(contents(base + ".real.png").substr(1, 3), "PNG");

    std::ofstream(base + ".kept.png") << "kept";
    std::filesystem::permissions(base + ".kept.png", std::filesystem::perms::owner_read);
    const auto protected_file = dump({base, "--png", base + ".kept.png"});
    if (::geteuid() != 0) {  // root writes any file
        EXPECT_EQ(protected_file.err,
                  "pofdump: cannot write " + base + ".kept.png: Permission denied\n");
        EXPECT_EQ(contents(base + ".kept.png"), "kept");
    }
    for (const char* suffix : {".dangling.png", ".real.png", ".link.png", ".kept.png"})
        std::filesystem::remove(base + suffix);
    EXPECT_TRUE(leftovers(base).empty());
}

}  // namespace
