#include <gtest/gtest.h>

#include "pof/global_data.h"
#include "pof_builder.h"
#include "records/header/header_records.h"

namespace {

using testing_pof::Bytes;

template <class Parse, class Record>
pof::PofFile run(Parse parse, Record& record, const std::string& bytes, std::int32_t size) {
    auto f = pof::PofFile::from_bytes(bytes);
    parse(f, size, record);
    return f;
}

TEST(TextureParser, NamesOfLengthFourAndZero) {
    pof::ModelStore store;
    const auto body = Bytes().i32(2).text("hull").text("").str();
    ASSERT_EQ(body.size(), 16u);
    auto f = run(records::gTXTR_data, store.txtr, body, 16);
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(store.txtr.chunk_size, 16);
    ASSERT_EQ(store.txtr.textures.size(), 2u);
    EXPECT_EQ(store.txtr.textures[0].name, "hull");
    EXPECT_EQ(store.txtr.textures[1].name_length, 0);
    EXPECT_EQ(store.txtr.textures[1].name, "");
}

TEST(TextureParser, ANegativeCountReadsOnlyTheCountAndKeepsTheTable) {
    pof::ModelStore store;
    run(records::gTXTR_data, store.txtr, Bytes().i32(1).text("a").str(), 9);
    auto f = run(records::gTXTR_data, store.txtr, Bytes().i32(-1).i32(99).str(), 8);
    EXPECT_EQ(f.offset(), 4);
    EXPECT_EQ(store.txtr.texture_count, -1);
    EXPECT_EQ(store.txtr.textures.size(), 1u);
}

TEST(TextureParser, NamesKeepEveryByteAndNegativeLengthsReadNothing) {
    pof::ModelStore store;
    const std::string with_nul("ab\0cd", 5);
    const auto body = Bytes().i32(3).text(with_nul).i32(-5).text("z").str();
    auto f = run(records::gTXTR_data, store.txtr, body, static_cast<std::int32_t>(body.size()));
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(store.txtr.textures[0].name, with_nul);
    EXPECT_EQ(store.txtr.textures[1].name_length, -5);
    EXPECT_EQ(store.txtr.textures[1].name, "");
    EXPECT_EQ(store.txtr.textures[2].name, "z");
}

TEST(TextureParser, ANameLongerThanTheFileIsRefused) {
    pof::ModelStore store;
    const auto body = Bytes().i32(1).i32(2147483647).raw("abc").str();
    EXPECT_THROW(run(records::gTXTR_data, store.txtr, body, 11), pof::ReadError);
}

TEST(ProductionInfoParser, KeepsTheWholeBodyByteForByte) {
    pof::ModelStore store;
    const std::string body("ab\ncd\0\r\n", 8);
    auto f = run(records::gPINF_data, store.pinf, body, 8);
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(store.pinf.info, body);
    EXPECT_EQ(store.pinf.chunk_size, 8);
}

TEST(AutoCentreParser, ReadsTwelveBytesWhateverTheChunkSize) {
    pof::ModelStore store;
    const auto body = Bytes().vec(1.5f, -2, 0).i32(123).str();
    auto f = run(records::gACEN_data, store.acen, body, 16);
    EXPECT_EQ(f.offset(), 12);
    EXPECT_EQ(store.acen.chunk_size, 16);
    EXPECT_EQ(store.acen.auto_center, (pof::Vec3{1.5f, -2, 0}));
}

}  // namespace
