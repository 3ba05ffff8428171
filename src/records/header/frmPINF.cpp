#include "records/header/frmPINF.h"

#include "pof/text.h"

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

frmPINF::frmPINF(const pof::ModelStore& store) : Viewer("frmPINF", "PINF record"), store_(store) {
    set_layout(column({&record_size, &info}));
}

void frmPINF::opened() {
    record_size.value.text = pof::integer_text(store_.pinf.chunk_size);
    info.text = pof::text8(pinf_display_bytes(store_.pinf.info));
}

frmACEN::frmACEN(const pof::ModelStore& store) : Viewer("frmACEN", "ACEN record"), store_(store) {
    set_layout(column({&record_size, &heading, &x, &y, &z}));
}

void frmACEN::opened() {
    const auto& a = store_.acen;
    record_size.value.text = pof::integer_text(a.chunk_size);
    x.value.text = pof::float_text(a.auto_center.x);
    y.value.text = pof::float_text(a.auto_center.y);
    z.value.text = pof::float_text(a.auto_center.z);
}

}  // namespace records
