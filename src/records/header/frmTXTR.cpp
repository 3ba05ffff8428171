#include "records/header/frmTXTR.h"

#include "io/text.h"
#include "records/table_access.h"

namespace records {

using pof::integer_text;

frmTXTR::frmTXTR(const TxtrRecord& record) : Viewer("frmTXTR", "TXTR record"), record_(record) {
    set_layout(column({&record_size, &texture_count, &textures}));
}

void frmTXTR::opened() {
    const TxtrRecord& t = record_;
    textures.clear();
    record_size.value.text = integer_text(t.chunk_size);
    texture_count.value.text = integer_text(t.texture_count);
    const int n = t.texture_rows();
    textures.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) textures.add_row({pof::text8(t.textures[i].name), integer_text(i)});
}

}  // namespace records
