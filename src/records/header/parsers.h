#pragma once
// Parsers of the header and general chunks. Each reads its body from the file's current
// position, exactly as far as its counts announce, and fills its record in the store.

#include <cstdint>

#include "pof/file_reader.h"
#include "pof/global_data.h"

namespace records {

// OHDR and HDR2: the field order and the optional fields follow the file version.
void gOHDR_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gTXTR_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gPINF_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gACEN_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

}  // namespace records
