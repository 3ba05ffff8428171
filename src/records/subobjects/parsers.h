#pragma once
// The subobject chunk parser, for "SOBJ" and "OBJ2" alike.

#include <cstdint>

#include "pof/file_reader.h"
#include "pof/global_data.h"

namespace records {

// From this file version on the chunk holds radius, parent, offset; before it parent, offset,
// radius. The chunk ID plays no part.
inline constexpr std::int32_t kSubobjectNewOrder = 2116;

// Fills the slot named by the subobject number the chunk carries. A number outside the
// header's table, or a chunk before any header, is read to its end all the same, stored
// nowhere, and noted in store.unstored_chunks.
void gSOBJ_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

}  // namespace records
