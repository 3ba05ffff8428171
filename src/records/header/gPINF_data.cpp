#include "records/header/header_records.h"

namespace records {

void gPINF_data(pof::PofFile& f, std::int32_t chunk_size, PinfRecord& r) {
    r.chunk_size = chunk_size;
    r.info = f.bytes(chunk_size);
}

}  // namespace records
