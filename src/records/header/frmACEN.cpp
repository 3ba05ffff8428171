#include "records/header/frmACEN.h"

#include "io/text.h"

namespace records {

frmACEN::frmACEN(const AcenRecord& record) : Viewer("frmACEN", "ACEN record"), record_(record) {
    set_layout(column({&record_size, &heading, &x, &y, &z}));
}

void frmACEN::opened() {
    const AcenRecord& a = record_;
    record_size.value.text = pof::integer_text(a.chunk_size);
    x.value.text = pof::float_text(a.auto_center.x);
    y.value.text = pof::float_text(a.auto_center.y);
    z.value.text = pof::float_text(a.auto_center.z);
}

}  // namespace records
