#pragma once
// Parsers of the docking chunks. Each reads its body from the file's current position, exactly
// as far as its counts announce, and fills its record.

#include <cstdint>

#include "io/pof_file.h"
#include "records/docking/docking_records.h"

namespace records {

void gDOCK_data(pof::PofFile& file, std::int32_t chunk_size, DockRecord& record);
void gPATH_data(pof::PofFile& file, std::int32_t chunk_size, PathRecord& record);
// The property fields are read only from version 2117 on.
void gFUEL_data(pof::PofFile& file, std::int32_t chunk_size, std::int32_t file_version,
                FuelRecord& record);
void gINSG_data(pof::PofFile& file, std::int32_t chunk_size, InsgRecord& record);
void gGLOW_data(pof::PofFile& file, std::int32_t chunk_size, GlowRecord& record);

}  // namespace records
