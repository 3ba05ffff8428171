#include "records/header/parsers.h"

namespace records {

void gPINF_data(pof::PofFile& f, std::int32_t chunk_size, pof::ModelStore& store) {
    store.pinf.chunk_size = chunk_size;
    store.pinf.info = f.bytes(chunk_size);
}

void gACEN_data(pof::PofFile& f, std::int32_t chunk_size, pof::ModelStore& store) {
    store.acen.chunk_size = chunk_size;
    store.acen.auto_center = f.vec();
}

}  // namespace records
