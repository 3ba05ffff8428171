#include "records/docking/frmGLOW.h"

#include "records/viewer_text.h"

namespace records {

namespace {

using pof::integer_text;

const GlowBank& bank_at(const GlowRecord& r, int b) {
    static const GlowBank kNone;
    return b >= 0 && static_cast<std::size_t>(b) < r.banks.size() ? r.banks[b] : kNone;
}

}  // namespace

frmGLOW::frmGLOW(const GlowRecord& record) : Viewer("frmGLOW", "GLOW record"), record_(record) {
    for (auto* f : {&record_size, &bank_count, &display_time, &on_time, &off_time, &parent, &lod,
                    &type, &properties, &point_count}) {
        align_beside(*f);
    }
    properties.value.lines = 3;
    properties.value.name = "lblProperties";
    group(point_group, {&point.grid, &point.radius});
    group(bank_group,
          {row({column({&display_time, &on_time, &off_time}), column({&parent, &lod, &type})}),
           &properties, row({column({&point_count, &points}), &point_group})});
    set_layout(column({row({&record_size, column({&bank_count, &banks})}), &bank_group}));
}

void frmGLOW::opened() {
    record_size.value.text = integer_text(record_.chunk_size);
    banks.clear();
    blank_bank();
    bank_count.value.text = integer_text(record_.bank_count);
    if (!offer_rows(banks, "Bank ", record_.bank_count, record_.bank_rows())) {
        enable_bank_captions(false);
        point.enable(false);
    }
}

void frmGLOW::blank_bank() {
    points.clear();
    bank_group.caption.clear();
    blank({&display_time.value, &on_time.value, &off_time.value, &parent.value, &lod.value,
           &type.value, &properties.value, &point_count.value});
    point.blank();
}

void frmGLOW::enable_bank_captions(bool enabled) {
    set_enabled({&display_time.caption, &on_time.caption, &off_time.caption, &parent.caption,
                 &lod.caption, &type.caption, &properties.caption, &point_count.caption, &points},
                enabled);
}

void frmGLOW::bank_chosen(int b) {
    const GlowBank& bank = bank_at(record_, b);
    bank_group.caption = "Bank " + integer_text(b) + " data";
    display_time.value.text = integer_text(bank.display_time);
    on_time.value.text = integer_text(bank.on_time);
    off_time.value.text = integer_text(bank.off_time);
    parent.value.text = integer_text(bank.parent);
    lod.value.text = integer_text(bank.lod);
    type.value.text = integer_text(bank.type);
    properties.value.text = pof::text8(bank.properties.text);
    point_count.value.text = integer_text(bank.point_count);
    point.enable(true);
    if (!offer_rows(points, "Point ", bank.point_count, record_.point_rows(b))) {
        point.enable(false);
        point.blank();
    }
}

void frmGLOW::point_chosen(int p) {
    point.show(record_.points.at(banks.selected, p));
}

}  // namespace records
