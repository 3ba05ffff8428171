#include "records/weapons/frmTGUN.h"

#include "records/table_access.h"
#include "records/viewer_text.h"

namespace records {

using pof::integer_text;

frmTGUN::frmTGUN(const TurretRecord& record, const TurretKind& kind)
    : Viewer(std::string(kind.window), std::string(kind.title)), record_(record) {
    group(firing, {&firing_point_count, &firing_points, &position});
    group(turret, {&parent, &physical_parent, &normal, &firing});
    set_layout(column({row({&record_size, column({&bank_count, &banks})}), &turret}));
}

void frmTGUN::opened() {
    record_size.value.text = integer_text(record_.chunk_size);
    bank_count.value.text = integer_text(record_.bank_count);
    firing_points.clear();
    turret.caption.clear();
    firing.caption.clear();
    blank_values();
    const int n = record_.bank_rows();
    enable_bank_captions(n > 0);
    offer_rows(banks, "Bank ", record_.bank_count, n);
}

void frmTGUN::blank_values() {
    parent.value.text.clear();
    physical_parent.value.text.clear();
    blank_column(normal, 0);
    firing_point_count.value.text.clear();
    blank_column(position, 0);
}

// Every caption that belongs to a bank, and the firing point list.
void frmTGUN::enable_bank_captions(bool enabled) {
    parent.caption.enabled = physical_parent.caption.enabled = enabled;
    enable_headers(normal, enabled);
    firing_point_count.caption.enabled = enabled;
    firing_points.enabled = enabled;
    enable_headers(position, enabled);
}

void frmTGUN::bank_chosen(int b) {
    const Turret t = entry_or_zero(record_.turrets, b);
    turret.caption = "Bank " + integer_text(b) + " data";
    parent.value.text = integer_text(t.parent);
    physical_parent.value.text = integer_text(t.physical_parent);
    show_vec(normal, 0, t.normal);
    firing_point_count.value.text = integer_text(t.firing_point_count);
    blank_column(position, 0);
    const int n = record_.firing_point_rows(b);
    enable_headers(position, n > 0);
    offer_rows(firing_points, "Point ", t.firing_point_count, n);
}

void frmTGUN::firing_point_chosen(int p) {
    show_vec(position, 0, record_.firing_points.at(banks.selected, p));
}

}  // namespace records
