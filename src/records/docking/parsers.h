#pragma once
// Parsers of the docking chunks. Each reads its body from the file's current position,
// exactly as far as its counts announce, and fills its record in the store.

#include <cstdint>

#include "pof/file_reader.h"
#include "pof/global_data.h"

namespace records {

void gDOCK_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gPATH_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
// The property fields are read only from version 2117 on.
void gFUEL_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gINSG_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

}  // namespace records
