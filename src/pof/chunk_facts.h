#pragma once
// What the reader learnt of each chunk of the file it read last: where its header lies, the
// size it declares and how many bytes its parser actually took. The model check compares them.

#include <cstdint>
#include <optional>
#include <string>

namespace pof {

struct ChunkFact {
    std::string id;                         // the four bytes as read
    std::int64_t offset = 0;                // of the chunk header
    std::int32_t declared_size = 0;         // from the header
    std::int64_t bytes_read = 0;            // from the first body byte to where the parser stopped
    bool complete = false;                  // false when the read stopped inside this chunk
    std::optional<std::int32_t> subobject;  // the number a subobject chunk carries
};

}  // namespace pof
