#pragma once
// Taking a record-list row apart again: the first four characters are the chunk ID, the rest
// (subobject rows only) the subobject's running number.

#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

struct RowKey {
    std::string chunk_id;
    std::int32_t subobject = 0;
};

RowKey parse_row_text(std::string_view text);

// The number at the start of text after leading blanks, 0 when there is none.
std::int32_t leading_number(std::string_view text);

}  // namespace shell
