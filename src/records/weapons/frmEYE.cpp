#include "records/weapons/frmEYE.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmEYE::frmEYE(const EyeRecord& record) : Viewer("frmEYE", "EYE record"), record_(record) {
    set_layout(column({&record_size, &point_count, &points, &subobject, &offset_normal}));
}

// Without eye points the values stay empty; the captions stay enabled.
void frmEYE::opened() {
    subobject.value.text.clear();
    blank_column(offset_normal, 0);
    blank_column(offset_normal, 1);
    record_size.value.text = integer_text(record_.chunk_size);
    point_count.value.text = integer_text(record_.point_count);
    offer_rows(points, "Eye position ", record_.point_count, record_.point_rows());
}

void frmEYE::point_chosen(int i) {
    const EyePoint p = entry_or_zero(record_.points, i);
    subobject.value.text = integer_text(p.subobject);
    show_vec(offset_normal, 0, p.offset);
    show_vec(offset_normal, 1, p.normal);
}

}  // namespace records
