#pragma once
// A length-prefixed text of a chunk: a signed byte count, then that many bytes, kept as
// stored (NULs included). A count of zero or less reads nothing and leaves the text empty.

#include <cstdint>
#include <string>

#include "io/pof_file.h"

namespace records {

struct PrefixedText {
    std::int32_t length = 0;  // as read, possibly negative
    std::string text;
};

inline PrefixedText read_prefixed_text(pof::PofFile& f) {
    PrefixedText t;
    t.length = f.i32();
    t.text = f.bytes(t.length);
    return t;
}

}  // namespace records
