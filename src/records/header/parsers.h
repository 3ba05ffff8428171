#pragma once
// Parsers of the header and general chunks. Each reads its body from the file's current position,
// exactly as far as its counts announce, and fills its record.

#include <cstdint>

#include "io/pof_file.h"
#include "records/header/header_records.h"
#include "records/read_state.h"
#include "records/subobjects/subobject_table.h"

namespace records {

// OHDR and HDR2: the field order and the optional fields follow the file version. Creates the
// subobject table the subobject chunks fill.
void gOHDR_data(pof::PofFile& file, std::int32_t chunk_size, ReadState& state, OhdrRecord& header,
                SubobjectTable& subobjects);
void gTXTR_data(pof::PofFile& file, std::int32_t chunk_size, TxtrRecord& record);
void gPINF_data(pof::PofFile& file, std::int32_t chunk_size, PinfRecord& record);
void gACEN_data(pof::PofFile& file, std::int32_t chunk_size, AcenRecord& record);

}  // namespace records
