#include "records/chunk_table.h"

#include <array>

#include "records/docking/parsers.h"
#include "records/header/parsers.h"
#include "records/subobjects/parsers.h"
#include "records/weapons/parsers.h"

namespace records {

namespace {

using pof::RecordEntry;

// Chunk types whose parsers are not built yet are absent: the reader lists and skips them
// like unknown IDs.
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

}  // namespace

std::span<const ChunkType> chunk_types() {
    return kChunkTypes;
}

const ChunkType* find_chunk_type(std::string_view id) {
    for (const auto& type : kChunkTypes) {
        if (type.id == id) return &type;
    }
    return nullptr;
}

bool is_subobject_chunk(std::string_view id) {
    return id == "SOBJ" || id == "OBJ2";
}

}  // namespace records
