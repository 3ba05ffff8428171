#include "records/header/frmPINF.h"

#include "io/text.h"

namespace records {

std::string pinf_display_bytes(std::string_view info) {
    std::string out;
    out.reserve(info.size() + info.size() / 16);
    for (const char c : info) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

frmPINF::frmPINF(const PinfRecord& record) : Viewer("frmPINF", "PINF record"), record_(record) {
    set_layout(column({&record_size, &info}));
}

void frmPINF::opened() {
    record_size.value.text = pof::integer_text(record_.chunk_size);
    info.text = pof::text8(pinf_display_bytes(record_.info));
}

}  // namespace records
