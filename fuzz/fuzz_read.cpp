// The read fuzz target: any bytes, read as a POF file through the chunk loop and every chunk
// parser, with no window opened and a main window that only keeps its rows, so it runs many
// times faster than the click-through target. It stops on the read's broken promises too: a
// read ends clean with no message or shows exactly one, the busy cursor is back to normal,
// and every record-list row is valid UTF-8.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        pof::ModelStore store;
        fuzzing::read_model(store, bytes);
    }
    {
        // Over what an earlier file left: the parsers meet stale tables beside fresh counts.
        pof::ModelStore store = fuzzing::store_after_an_earlier_file();
        fuzzing::read_model(store, bytes);
    }
    return 0;
}
