#include "records/header/frmPINF.h"

#include "io/text.h"

namespace records {

frmPINF::frmPINF(const PinfRecord& record) : Viewer("frmPINF", "PINF record"), record_(record) {
    set_layout(column({&record_size, &info}));
}

void frmPINF::opened() {
    record_size.value.text = pof::integer_text(record_.chunk_size);
    info.text = pof::text8(record_.info);
    info.line_feeds_as_crlf = true;
}

}  // namespace records
