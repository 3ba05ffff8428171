#pragma once
// The subobject chunk parser, for "SOBJ" and "OBJ2" alike.

#include <cstdint>

#include "io/pof_file.h"
#include "records/read_state.h"
#include "records/subobjects/subobject_table.h"

namespace records {

// Fills the slot named by the subobject number the chunk carries. The field order follows the
// file version, never the chunk ID. A number outside the header's table, or a chunk before any
// header of this file, is read to its end all the same, stored nowhere, and noted in
// state.unstored_chunks.
void gSOBJ_data(pof::PofFile& file, std::int32_t chunk_size, ReadState& state,
                SubobjectTable& table);

}  // namespace records
