// The byte-block readers and the block walk, with the blocks the walk cannot go on from.

#include <gtest/gtest.h>

#include "records/subobjects/bsp.h"
#include "records/subobjects/g_functions.h"
#include "subobject_model.h"

namespace {

using records::BlockRow;
using testing_pof::Bytes;
namespace bsp = testing_pof::bsp;

struct Row {
    std::string offset, type, size;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* out) {
    *out << "(" << r.offset << ", " << r.type << ", " << r.size << ")";
}

std::vector<Row> walk(const Bytes& data) {
    std::vector<Row> rows;
    const records::BlockWalk w = records::walk_blocks(data.str());
    for (const BlockRow& b : w.rows) {
        const std::string type(w.type(b));
        if (b.note) {
            rows.push_back({"", type, ""});
        } else {
            rows.push_back({std::to_string(b.offset), type, std::to_string(b.size)});
        }
    }
    return rows;
}

TEST(ByteReaders, LittleEndianSignedAndCheckedAtEveryIndex) {
    const std::string bytes("\xFF\xFF\x01\x00\x00\x00\x00\x00\x80\x3F", 10);
    EXPECT_EQ(records::int16_at(bytes, 0), -1);
    EXPECT_EQ(records::int32_at(bytes, 2), 1);
    EXPECT_EQ(records::float32_at(bytes, 6), 1.0f);
    EXPECT_EQ(records::byte_at(bytes, 0), 255);
    EXPECT_THROW(records::int32_at(bytes, 7), records::OutOfRange);
    EXPECT_THROW(records::int16_at(bytes, -1), records::OutOfRange);
    EXPECT_THROW(records::byte_at(bytes, 10), records::OutOfRange);
    EXPECT_THROW(records::int32_at(std::string(), 0), records::OutOfRange);
}

TEST(BlockWalk, ListsBlocksBySizeAndSkipsTheZerosAfterAnEof) {
    const Bytes data =
        Bytes().raw(bsp::block(1, 100)).raw(bsp::boundbox({0, 0, 0}, {1, 1, 1})).raw(bsp::eof());
    EXPECT_EQ(walk(data),
              (std::vector<Row>{
                  {"0", "DEFPOINTS", "100"}, {"100", "BOUNDBOX", "32"}, {"132", "EOF", "0"}}));
    const Bytes middle = Bytes().raw(bsp::eof()).raw(bsp::sortnorm(80, 0)).raw(bsp::block(9, 16));
    EXPECT_EQ(
        walk(middle),
        (std::vector<Row>{{"0", "EOF", "0"}, {"8", "SORTNORM", "80"}, {"88", "UNKNOWN", "16"}}));
}

// A SORTNORM2 tree: the split, then its leaves one after another, each listed by its true size
// though nothing after a leaf is read by the game; types past 7 stay unknown.
TEST(BlockWalk, NamesTheSplitAndPolygonOfThirtyTwoBitIndices) {
    const Bytes data = Bytes()
                           .raw(bsp::sortnorm2(40, 140))
                           .raw(bsp::tmap2poly({{0, 1}, {1, 1}, {2, 1}}))
                           .raw(bsp::tmap2poly({{0, 1}, {2, 1}, {3, 1}}))
                           .raw(bsp::block(8, 12))
                           .raw(bsp::block(-6, 8));
    EXPECT_EQ(walk(data), (std::vector<Row>{{"0", "SORTNORM2", "40"},
                                            {"40", "TMAP2POLY", "100"},
                                            {"140", "TMAP2POLY", "100"},
                                            {"240", "UNKNOWN", "12"},
                                            {"252", "UNKNOWN", "8"}}));
}

TEST(BlockWalk, EndsAtTheDataEndAndOnSizesThatWouldNotMoveOn) {
    EXPECT_TRUE(walk(Bytes().u8(1)).empty());
    EXPECT_TRUE(walk(Bytes()).empty());
    Bytes past = bsp::block(2, 44);
    past.raw(std::string(300 - 44, '\x01'));
    std::string too_big = past.str();
    too_big[4] = '\xE8';  // size 1000 (E8 03)
    too_big[5] = '\x03';
    EXPECT_EQ(walk(Bytes().raw(too_big)), (std::vector<Row>{{"0", "FLATPOLY", "1000"}}));

    const auto zero = walk(Bytes().raw(bsp::block(4, 80)).i32(3).i32(0).i32(0));
    ASSERT_EQ(zero.size(), 3u);
    EXPECT_EQ(zero[1], (Row{"80", "TMAPPOLY", "0"}));
    EXPECT_EQ(zero[2].type, "(walk ends: a block size of 0 does not move on)");

    const auto backwards = walk(Bytes().raw(bsp::block(5, 32)).i32(0).i32(-40).i32(7).i32(0));
    ASSERT_EQ(backwards.size(), 3u);
    EXPECT_EQ(backwards[2].type, "(walk ends: an EOF size of -40 moves back)");

    const auto cut = walk(Bytes().raw(bsp::block(5, 32)).i32(5).u8(1));
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].type, "(walk ends: 5 bytes left, too few for a block header)");
}

}  // namespace
