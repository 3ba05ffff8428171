#include "records/weapons/frmGPNT.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmGPNT::frmGPNT(const WeaponPointRecord& record, const WeaponPointKind& kind)
    : Viewer(std::string(kind.window), std::string(kind.title)),
      point_count(std::string(kind.point_count)),
      record_(record),
      point_word_(kind.point_word) {
    group(bank, {&point_count, &points, &coordinates, &angle_offset});
    set_layout(column({row({&record_size, column({&slots, &banks})}), &bank}));
}

// With no banks the group keeps an empty caption and empty values.
void frmGPNT::opened() {
    record_size.value.text = integer_text(record_.chunk_size);
    slots.value.text = integer_text(record_.bank_count);
    points.clear();
    bank.caption.clear();
    point_count.value.text.clear();
    angle_offset.enabled = record_.angle_offsets;
    blank_point();
    offer_rows(banks, "Slot ", record_.bank_count, record_.slot_rows());
}

// A bank without points shows no coordinates rather than the last bank's point.
void frmGPNT::bank_chosen(int b) {
    bank.caption = banks.selected_text() + " data";
    const std::int32_t count = entry_or_zero(record_.point_counts, b);
    point_count.value.text = integer_text(count);
    blank_point();
    offer_rows(points, point_word_, count, record_.point_rows(b));
}

void frmGPNT::point_chosen(int p) {
    const WeaponPoint point = record_.points.at(banks.selected, p);
    show_vec(coordinates, 0, point.position);
    show_vec(coordinates, 1, point.normal);
    if (record_.angle_offsets) angle_offset.value.text = pof::float_text(point.angle_offset);
}

void frmGPNT::blank_point() {
    blank_column(coordinates, 0);
    blank_column(coordinates, 1);
    angle_offset.value.text.clear();
}

}  // namespace records
