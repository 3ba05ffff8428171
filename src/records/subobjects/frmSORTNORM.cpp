#include "records/subobjects/frmSORTNORM.h"

#include "records/subobjects/bsp.h"

namespace records {

frmSORTNORM::frmSORTNORM(const SubobjectContext& context)
    : ActivatedBlockViewer(bsp::kSortNorm, context) {
    front.gap_above = true;
    group(plane_group, {&plane});
    group(box_group, {&box});
    set_layout(column({
        row({column({&bsp_offset, &record_id, &record_size, &front, &back, &prelist, &postlist,
                     &online}),
             column({&plane_group, &box_group})}),
        &note,
    }));
}

// The reserved int32 at 32 is not shown.
void frmSORTNORM::decode_fields() {
    show_header();
    show_floats(plane, 0, 8);
    show_floats(plane, 1, 20);
    view::Field* offsets[] = {&front, &back, &prelist, &postlist, &online};
    for (int k = 0; k < 5; ++k) offsets[k]->value.text = int_text_at(36 + 4 * k);
    show_floats(box, 0, 56);
    show_floats(box, 1, 68);
}

}  // namespace records
