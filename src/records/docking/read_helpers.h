#pragma once
// Reading steps the docking parsers share.

#include <cstdint>

#include "pof/file_reader.h"
#include "records/docking/docking_records.h"
#include "records/jagged.h"
#include "records/table_access.h"

namespace records {

// The length, then that many bytes; a length of zero or less reads nothing.
inline PrefixedText read_prefixed_text(pof::PofFile& f) {
    PrefixedText t;
    t.length = f.i32();
    t.text = f.bytes(t.length);
    return t;
}

// The rebuild rule over every per-item table of one record at once.
template <class... Tables>
bool rebuild_all_if_positive(std::int32_t count, Tables&... tables) {
    return (rebuild_if_positive(tables, count) && ...);
}

}  // namespace records
