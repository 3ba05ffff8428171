#pragma once
// What the reader knows of the file beside the chunk records: its framing fields, the chunk being
// read and the subobject counter. Parsers and viewers of every chunk group may consult it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace records {

// What the reader learnt of one chunk: where its header lies, the size it declares and how many
// bytes its parser actually took. The model check compares them.
struct ChunkFact {
    std::string id;                         // the four bytes as read
    std::int64_t offset = 0;                // of the chunk header
    std::int32_t declared_size = 0;         // from the header
    std::int64_t bytes_read = 0;            // from the first body byte to where the parser stopped
    bool complete = false;                  // false when the read stopped inside this chunk
    std::optional<std::int32_t> subobject;  // the number a subobject chunk carries
};

struct ReadState {
    std::string magic;
    std::int32_t file_version = 0;
    std::string chunk_id;  // of the chunk being read
    std::int32_t chunk_size = 0;
    std::int64_t chunk_offset = 0;  // of its chunk header
    bool header_read = false;       // a header chunk was read from this file
    // Chunks of this file read to their end but stored nowhere, each in a sentence.
    std::vector<std::string> unstored_chunks;
    // Every chunk of this file that got a row, in file order.
    std::vector<ChunkFact> chunks;
    // Why the read of this file stopped early; empty after a full read.
    std::string read_failure;
    // The byte whose read failed when it stopped early.
    std::int64_t read_failure_offset = 0;
    // While reading: subobject chunks met so far. Afterwards: the subobject the subobject
    // viewer selects when it opens.
    std::int32_t current_subobject = 0;
};

}  // namespace records
