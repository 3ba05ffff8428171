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

frmSORTNORM2::frmSORTNORM2(const SubobjectContext& context)
    : ActivatedBlockViewer(bsp::kSortNorm2, context) {
    front.gap_above = true;
    group(box_group, {&box});
    set_layout(column({
        row({column({&bsp_offset, &record_id, &record_size, &front, &back}), &box_group}),
        &note,
    }));
}

// Front offset at 8, back offset at 12, box min at 16, box max at 28.
void frmSORTNORM2::decode_fields() {
    show_header();
    front.value.text = int_text_at(8);
    back.value.text = int_text_at(12);
    show_floats(box, 0, 16);
    show_floats(box, 1, 28);
}

}  // namespace records
