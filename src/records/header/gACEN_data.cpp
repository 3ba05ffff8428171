#include "records/header/header_records.h"

namespace records {

void gACEN_data(pof::PofFile& f, std::int32_t chunk_size, AcenRecord& r) {
    r.chunk_size = chunk_size;
    r.auto_center = f.vec();
}

}  // namespace records
