#pragma once
// What the reader knows of the file beside the chunk records: its framing fields, the chunk being
// read and the subobject counter. Parsers and viewers of every chunk group may consult it.

#include <cstdint>
#include <string>
#include <vector>

namespace records {

struct ReadState {
    std::string magic;
    std::int32_t file_version = 0;
    std::string chunk_id;  // of the chunk being read
    std::int32_t chunk_size = 0;
    std::int64_t chunk_offset = 0;  // of its chunk header
    bool header_read = false;       // a header chunk was read from this file
    // Chunks of this file read to their end but stored nowhere, each in a sentence.
    std::vector<std::string> unstored_chunks;
    // While reading: subobject chunks met so far. Afterwards: the subobject the subobject
    // viewer selects when it opens.
    std::int32_t current_subobject = 0;
};

}  // namespace records
