#include "records/header/header_records.h"
#include "records/table_access.h"

namespace records {

void gTXTR_data(pof::PofFile& f, std::int32_t chunk_size, TxtrRecord& t) {
    t.chunk_size = chunk_size;
    // Every texture takes at least its 4-byte name length.
    const std::int32_t n = f.count(4);
    t.texture_count = n;
    if (!rebuild_if_positive(t.textures, n)) return;
    for (auto& texture : t.textures) {
        texture.name_length = f.i32();
        // A negative length reads nothing and leaves the name empty.
        texture.name = f.bytes(texture.name_length);
    }
}

}  // namespace records
