#include "io/pof_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "pof_builder.h"
#include "temp_file.h"

namespace {

using pof::PofFile;
using pof::ReadError;
using testing_pof::Bytes;

TEST(PofFile, ReadsLittleEndianFieldsInOrder) {
    const auto bytes = Bytes().i32(-2).f32(1.5f).vec(1, 2, 3).u8(200).raw("ab").str();
    auto f = PofFile::from_bytes(bytes);
    EXPECT_EQ(f.size(), 4 + 4 + 12 + 1 + 2);
    EXPECT_EQ(f.i32(), -2);
    EXPECT_EQ(f.f32(), 1.5f);
    EXPECT_EQ(f.vec(), (pof::Vec3{1, 2, 3}));
    EXPECT_EQ(f.u8(), 200);
    EXPECT_EQ(f.offset(), 21);
    EXPECT_EQ(f.bytes(2), "ab");
    EXPECT_TRUE(f.eof());
}

TEST(PofFile, ReadPastTheEndThrowsWithTheOffsetAndMovesNothing) {
    const auto bytes = Bytes().i32(7).raw("xy").str();
    auto f = PofFile::from_bytes(bytes);
    f.i32();
    try {
        f.i32();
        FAIL() << "expected a ReadError";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.offset(), 4);
        EXPECT_NE(std::string(e.what()).find("byte 4"), std::string::npos) << e.what();
    }
    EXPECT_EQ(f.offset(), 4);
    EXPECT_THROW(f.bytes(3), ReadError);
    EXPECT_THROW(f.skip(3), ReadError);
    EXPECT_EQ(f.bytes(2), "xy");
}

TEST(PofFile, NonPositiveLengthsReadNothing) {
    const auto bytes = Bytes().i32(1).str();
    auto f = PofFile::from_bytes(bytes);
    EXPECT_EQ(f.bytes(0), "");
    EXPECT_EQ(f.bytes(-5), "");
    f.skip(-1);
    EXPECT_EQ(f.offset(), 0);
}

TEST(PofFile, CountsTheFileCannotHoldAreRefusedBeforeUse) {
    // 2,147,483,647 items of 4 bytes would need 8 GiB; the refusal must not overflow.
    for (const std::int32_t huge : {2147483647, 3, 1 << 30}) {
        const auto bytes = Bytes().i32(huge).i32(0).i32(0).str();
        auto f = PofFile::from_bytes(bytes);
        if (huge == 3) {
            EXPECT_THROW(f.count(4), ReadError) << "3 items of 4 bytes with 8 bytes left";
        } else {
            EXPECT_THROW(f.count(16), ReadError) << huge;
        }
    }
    const auto exact = Bytes().i32(2).i32(0).i32(0).str();
    auto f = PofFile::from_bytes(exact);
    EXPECT_EQ(f.count(4), 2);
}

TEST(PofFile, ZeroAndNegativeCountsPassUnchecked) {
    for (const std::int32_t n : {0, -1, -2147483647 - 1}) {
        const auto bytes = Bytes().i32(n).str();
        auto f = PofFile::from_bytes(bytes);
        EXPECT_EQ(f.count(1000), n);
    }
}

TEST(PofFile, ReadsAFileLargerThanItsBufferAcrossRefills) {
    Bytes b;
    const int n = 50000;  // 200 KB, several 64 KiB buffers
    for (int i = 0; i < n; ++i) b.i32(i);
    const testing_pof::TempFile file(b.str());
    {
        auto f = PofFile::open(file.path());
        EXPECT_EQ(f.size(), 4 * n);
        f.skip(4 * 16383 + 2);
        EXPECT_EQ(f.bytes(2), std::string("\0\0", 2));
        for (int i = 16384; i < n; ++i) ASSERT_EQ(f.i32(), i);
        EXPECT_TRUE(f.eof());
        EXPECT_THROW(f.u8(), ReadError);
    }
}

std::string open_error(const std::string& path) {
    try {
        PofFile::open(path);
    } catch (const pof::OpenError& e) {
        return e.what();
    }
    return "opened";
}

// A FIFO without a writer would block an ordinary open for ever; it, a folder and a device
// are refused from the open descriptor, without waiting.
TEST(PofFile, OnlyARegularFileOpens) {
    EXPECT_NE(open_error("/nonexistent/ship.pof"), "opened");
    const auto folder = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(open_error(folder), folder + ": not a regular file");
    EXPECT_EQ(open_error("/dev/null"), "/dev/null: not a regular file");
    const testing_pof::TempFile fifo("");
    std::filesystem::remove(fifo.path());
    ASSERT_EQ(::mkfifo(fifo.path().c_str(), 0600), 0);
    EXPECT_EQ(open_error(fifo.path()), fifo.path() + ": not a regular file");
}

// An archive member reads as a file of its own over the archive's open file: offsets count
// from its first byte and its end is the file's end, small reads and large blocks alike, on
// disk and in memory; the magic is looked at without moving the read.
TEST(PofFile, ASpanReadsAsAFileOfItsOwn) {
    const std::string member = Bytes().i32(7).raw(std::string(40000, 'm')).str();
    const std::string bytes = "head" + member + "tail";
    const testing_pof::TempFile file(bytes);
    PofFile whole = PofFile::open(file.path());
    PofFile in_memory = PofFile::from_bytes(bytes);
    for (PofFile* archive : {&whole, &in_memory}) {
        EXPECT_EQ(archive->first_bytes(4), "head");
        EXPECT_EQ(archive->offset(), 0);
        auto f = archive->span(4, static_cast<std::int64_t>(member.size()));
        EXPECT_EQ(f.first_bytes(100), member.substr(0, 100));
        EXPECT_EQ(f.size(), 40004);
        EXPECT_EQ(f.i32(), 7);
        EXPECT_EQ(f.block(40000), std::string(40000, 'm'));
        EXPECT_TRUE(f.eof());
        EXPECT_THROW(f.u8(), ReadError);
        EXPECT_EQ(archive->span(40008, 4).bytes(4), "tail");
        EXPECT_THROW(archive->span(4, 40009), pof::OpenError);  // 1 past the end
        EXPECT_THROW(archive->span(-1, 4), pof::OpenError);
        EXPECT_EQ(archive->bytes(4), "head");
    }
    // The span outlives the file it was made from.
    PofFile tail = PofFile::open(file.path()).span(40008, 4);
    EXPECT_EQ(tail.bytes(4), "tail");
}

}  // namespace

namespace reads {

// The same reads over the file on disk and over its bytes in memory: small fields, skips and
// blocks of every size around the buffer's, so refills, seeks and direct reads all meet, and
// enough megabytes that blocks go to bulk memory made ready ahead.
std::string run(PofFile& f) {
    std::vector<std::string> fields;
    std::vector<pof::ByteBlock> blocks;
    for (const std::int64_t block :
         {20000, 70000, 10, 65536, 3, 200000, 65535, 4 << 20, 3 << 20, 5 << 20, 16384}) {
        fields.push_back(f.bytes(5));
        blocks.push_back(f.block(block));
        f.skip(block / 3);
        fields.push_back(std::to_string(f.i32()) + ";");
    }
    fields.push_back(f.bytes(f.left()));
    std::string seen;
    for (std::size_t i = 0; i < blocks.size(); ++i) seen += fields[2 * i] + std::string(blocks[i]);
    for (std::size_t i = 1; i < fields.size(); i += 2) seen += fields[i];
    return seen;
}

}  // namespace reads

TEST(PofFile, ReadsOnDiskAsInMemoryAcrossSkipsAndLargeBlocks) {
    std::string bytes(24 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    const testing_pof::TempFile file(bytes);
    auto on_disk = PofFile::open(file.path());
    auto in_memory = PofFile::from_bytes(bytes);
    EXPECT_TRUE(reads::run(on_disk) == reads::run(in_memory));  // megabytes: no printout
    EXPECT_TRUE(on_disk.eof());
}

TEST(PofFile, BlocksOutliveTheirFile) {
    const std::string bytes = std::string(100000, 'a') + std::string(3 << 20, 'b');
    const testing_pof::TempFile file(bytes);
    pof::ByteBlock small, large;
    {
        auto f = PofFile::open(file.path());
        small = f.block(100000);
        large = f.block(3 << 20);
    }
    EXPECT_EQ(small, std::string(100000, 'a'));
    EXPECT_EQ(large, std::string(3 << 20, 'b'));
}

// A file that shrinks after it was opened ends every kind of read with a ReadError, a skip
// by seek onto the missing bytes included.
TEST(PofFile, AFileThatShrinksWhileOpenEndsInAReadError) {
    const std::string bytes(300000, 'x');
    const testing_pof::TempFile file(bytes);
    for (const int way : {0, 1, 2}) {
        auto f = PofFile::open(file.path());
        f.i32();
        std::filesystem::resize_file(file.path(), 1000);
        if (way == 0) EXPECT_THROW(f.block(200000), ReadError);
        if (way == 1) EXPECT_THROW(f.bytes(200000), ReadError);
        if (way == 2) {
            f.skip(200000);
            EXPECT_THROW(f.i32(), ReadError);
        }
        file.write(bytes);
    }
}
