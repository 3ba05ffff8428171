#include "records/header/frmPINF.h"

#include "io/text.h"

namespace records {

namespace {

// At least the size of the display text: a line feed takes two bytes, a NUL or a byte from
// 0x80 up at most three.
std::size_t display_size_bound(std::string_view info) {
    std::size_t size = info.size();
    for (const char c : info) {
        if (c == '\n') size += 1;
        if (c == '\0' || static_cast<unsigned char>(c) >= 0x80) size += 2;
    }
    return size;
}

}  // namespace

std::string pinf_display_text(std::string_view info) {
    std::string out;
    out.reserve(display_size_bound(info));
    for (;;) {
        const std::size_t lf = info.find('\n');
        pof::append_text8(out, info.substr(0, lf));
        if (lf == std::string_view::npos) break;
        out += "\r\n";
        info.remove_prefix(lf + 1);
    }
    return out;
}

frmPINF::frmPINF(const PinfRecord& record) : Viewer("frmPINF", "PINF record"), record_(record) {
    set_layout(column({&record_size, &info}));
}

void frmPINF::opened() {
    record_size.value.text = pof::integer_text(record_.chunk_size);
    info.text = pinf_display_text(record_.info);
}

}  // namespace records
