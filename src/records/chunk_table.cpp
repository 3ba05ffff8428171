#include "records/chunk_table.h"

#include <array>
#include <cstdint>

#include "records/docking/parsers.h"
#include "records/header/parsers.h"
#include "records/subobjects/parsers.h"
#include "records/weapons/parsers.h"

namespace records {

namespace {

using pof::RecordEntry;

// Every chunk type pofscope reads; any other ID is listed and skipped.
constexpr std::array kChunkTypes{
    ChunkType{"OHDR", gOHDR_data, RecordEntry::OHDR, "OHDR Record"},
    ChunkType{"HDR2", gOHDR_data, RecordEntry::OHDR, "HDR2 Record"},
    ChunkType{"PINF", gPINF_data, RecordEntry::PINF, ""},
    ChunkType{"TXTR", gTXTR_data, RecordEntry::TXTR, ""},
    ChunkType{"ACEN", gACEN_data, RecordEntry::ACEN, ""},
    ChunkType{"SOBJ", gSOBJ_data, RecordEntry::SOBJ, "SOBJ Record"},
    ChunkType{"OBJ2", gSOBJ_data, RecordEntry::SOBJ, "OBJ2 Record"},
    ChunkType{"DOCK", gDOCK_data, RecordEntry::DOCK, ""},
    ChunkType{"PATH", gPATH_data, RecordEntry::PATH, ""},
    ChunkType{"FUEL", gFUEL_data, RecordEntry::FUEL, ""},
    ChunkType{"INSG", gINSG_data, RecordEntry::INSG, ""},
    ChunkType{"EYE ", gEYE_data, RecordEntry::EYE, ""},
    ChunkType{"GPNT", gGPNT_data, RecordEntry::GPNT, ""},
    ChunkType{"MPNT", gMPNT_data, RecordEntry::MPNT, ""},
    ChunkType{"SHLD", gSHLD_data, RecordEntry::SHLD, ""},
    ChunkType{"SPCL", gSPCL_data, RecordEntry::SPCL, ""},
    ChunkType{"TGUN", gTGUN_data, RecordEntry::TGUN, ""},
    ChunkType{"TMIS", gTMIS_data, RecordEntry::TMIS, ""},
};

// The four bytes of an ID as one number: a model of 100,000 small chunks looks each ID up
// with a few integer compares.
constexpr std::uint32_t id_key(std::string_view id) {
    std::uint32_t key = 0;
    for (const char c : id) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

constexpr auto kKeys = [] {
    std::array<std::uint32_t, kChunkTypes.size()> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = id_key(kChunkTypes[i].id);
    return keys;
}();

}  // namespace

std::span<const ChunkType> chunk_types() {
    return kChunkTypes;
}

const ChunkType* find_chunk_type(std::string_view id) {
    if (id.size() != 4) return nullptr;
    const std::uint32_t key = id_key(id);
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] == key) return &kChunkTypes[i];
    }
    return nullptr;
}

bool is_subobject_chunk(std::string_view id) {
    return id == "SOBJ" || id == "OBJ2";
}

}  // namespace records
