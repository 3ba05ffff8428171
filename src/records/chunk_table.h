#pragma once
// The chunk types the reader knows: the parser of each chunk ID and what reading one does to
// the Window menu.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "pof/file_reader.h"
#include "pof/global_data.h"
#include "pof/record_entries.h"

namespace records {

using Parser = void (*)(pof::PofFile&, std::int32_t chunk_size, pof::ModelStore&);

struct ChunkType {
    std::string_view id;
    Parser parse;
    pof::RecordEntry entry;
    std::string_view caption;  // new caption of the shared entry, or empty
};

std::span<const ChunkType> chunk_types();
const ChunkType* find_chunk_type(std::string_view id);

// Subobject chunks get numbered rows and count towards the current subobject number.
bool is_subobject_chunk(std::string_view id);

}  // namespace records
