#include "records/weapons/frmSPCL.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmSPCL::frmSPCL(const SpclRecord& record) : Viewer("frmSPCL", "SPCL record"), record_(record) {
    set_layout(row({
        column(
            {&record_size, &point_count, &points, &name, row({&properties_caption, &properties})}),
        column({&point, &radius}),
    }));
}

void frmSPCL::opened() {
    record_size.value.text = integer_text(record_.chunk_size);
    name.value.text.clear();
    properties.text.clear();
    blank_column(point, 0);
    radius.value.text.clear();
    point_count.value.text = integer_text(record_.point_count);
    const int n = record_.point_rows();
    name.caption.enabled = properties_caption.enabled = radius.caption.enabled = n > 0;
    enable_headers(point, n > 0);
    offer_rows(points, "Special pt ", record_.point_count, n);
}

void frmSPCL::point_chosen(int i) {
    const SpecialPoint p = entry_or_zero(record_.points, i);
    name.value.text = pof::text8(p.name.text);
    properties.text = pof::text8(p.properties.text);
    show_vec(point, 0, p.point);
    radius.value.text = pof::float_text(p.radius);
}

}  // namespace records
