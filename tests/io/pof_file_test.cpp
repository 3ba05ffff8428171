#include "io/pof_file.h"

#include <gtest/gtest.h>

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

TEST(PofFile, OpeningAMissingFileOrAFolderFails) {
    EXPECT_THROW(PofFile::open("/nonexistent/ship.pof"), pof::OpenError);
    EXPECT_THROW(PofFile::open(std::filesystem::temp_directory_path().string()), pof::OpenError);
}

}  // namespace
