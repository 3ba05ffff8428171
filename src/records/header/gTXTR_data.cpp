#include "records/header/parsers.h"

namespace records {

void gTXTR_data(pof::PofFile& f, std::int32_t chunk_size, pof::ModelStore& store) {
    TxtrRecord& t = store.txtr;
    t.chunk_size = chunk_size;
    // Every texture takes at least its 4-byte name length.
    const std::int32_t n = f.count(4);
    t.texture_count = n;
    if (n <= 0) return;
    t.textures.assign(static_cast<std::size_t>(n), {});
    for (auto& texture : t.textures) {
        texture.name_length = f.i32();
        // A negative length reads nothing and leaves the name empty.
        texture.name = f.bytes(texture.name_length);
    }
}

}  // namespace records
