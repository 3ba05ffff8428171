#pragma once
// The Model Check window: the summary, a severity filter and the findings in file order. A
// double-click on a finding hands its item to whoever shows it (the main window's logic).

#include <functional>
#include <vector>

#include "check/findings.h"
#include "pof/global_data.h"
#include "view/viewer.h"

namespace check {

class frmModelCheck : public view::Viewer {
  public:
    using ShowItem = std::function<void(const pof::ItemRef&)>;

    frmModelCheck(const pof::ModelStore& store, ShowItem show_item);
    // Checks the store and lists every finding.
    void opened() override;

    // Rows of the severity filter, in order.
    static constexpr const char* kFilters[] = {"All", "Errors", "Warnings", "Notes"};

    view::Field summary{"Summary"};
    view::DropDown filter{[this](int row) { filter_chosen(row); }, "cboSeverity"};
    view::Table findings{{{"Severity"}, {"Place"}, {"Message"}, {"Code"}}, "lvwFindings"};

    const FindingList& all() const { return all_; }

  private:
    void filter_chosen(int row);
    void finding_double_clicked(int row);

    const pof::ModelStore& store_;
    ShowItem show_item_;
    FindingList all_;
    std::vector<std::size_t> listed_;  // per row, its finding
};

}  // namespace check
