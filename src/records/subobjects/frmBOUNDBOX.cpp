#include "records/subobjects/frmBOUNDBOX.h"

#include "records/subobjects/bsp.h"

namespace records {

frmBOUNDBOX::frmBOUNDBOX(const SubobjectContext& context)
    : ActivatedBlockViewer(bsp::kBoundBox, context) {
    set_layout(column({row({column({&bsp_offset, &record_id, &record_size}), &box}), &note}));
}

void frmBOUNDBOX::decode_fields() {
    show_header();
    show_floats(box, 0, 8);
    show_floats(box, 1, 20);
}

}  // namespace records
