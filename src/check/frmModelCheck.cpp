#include "check/frmModelCheck.h"

#include "check/model_check.h"
#include "view/window_text.h"

namespace check {

frmModelCheck::frmModelCheck(const pof::ModelStore& store, ShowItem show_item)
    : Viewer("frmModelCheck", "Model Check"), store_(store), show_item_(std::move(show_item)) {
    findings.on_double_click = [this](int row) { finding_double_clicked(row); };
    findings.open_wide = true;
    for (const char* f : kFilters) filter.rows.emplace_back(f);
    set_layout(column({&summary, &filter, &findings}));
}

void frmModelCheck::opened() {
    all_ = check_model(store_);
    summary.value.text = summary_text(tally(all_));
    filter.choose(0);
}

// Row 0 lists every finding; rows 1 to 3 one severity each.
void frmModelCheck::filter_chosen(int row) {
    findings.clear();
    listed_.clear();
    for (std::size_t i = 0; i < all_.size(); ++i) {
        if (row > 0 && static_cast<int>(severity_of(all_.code(i))) != row - 1) continue;
        const Finding f = all_[i];
        listed_.push_back(i);
        findings.add_row({std::string(severity_name(f.severity)), view::one_line(shown_place(f)),
                          view::one_line(f.message), std::string(code_name(f.code))});
    }
}

void frmModelCheck::finding_double_clicked(int row) {
    const Finding f = all_[listed_[row]];
    if (f.item && show_item_) show_item_(*f.item);
}

}  // namespace check
