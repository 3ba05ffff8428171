#pragma once
// The Model Check window: the summary, a severity filter and the findings in file order. A
// double-click on a finding hands its item to whoever shows it (the main window's logic); a
// finding no window shows (a read that stopped, an unknown chunk) leads to the main window's
// row of its chunk instead.

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "check/findings.h"
#include "pof/global_data.h"
#include "view/viewer.h"

namespace check {

class frmModelCheck : public view::Viewer {
  public:
    using ShowItem = std::function<void(const pof::ItemRef&)>;
    // Chooses a row of the main window's chunk list and brings that window forward.
    using ShowChunkRow = std::function<void(std::size_t row)>;

    frmModelCheck(const pof::ModelStore& store, ShowItem show_item, ShowChunkRow show_row = {});
    // Checks the store and lists every finding.
    void opened() override;

    // Rows of the severity filter, in order.
    static constexpr const char* kFilters[] = {"All", "Errors", "Warnings", "Notes"};

    view::Field summary{"Summary"};
    view::DropDown filter{[this](int row) { filter_chosen(row); }, "cboSeverity"};
    view::Table findings{
        {{"Severity"}, {"Offset"}, {"Place"}, {"Message", view::Table::Width::Fill}, {"Code"}},
        "lvwFindings"};

    const FindingList& all() const { return all_; }

  private:
    void filter_chosen(int row);
    void finding_double_clicked(int row);

    const pof::ModelStore& store_;
    ShowItem show_item_;
    ShowChunkRow show_row_;
    FindingList all_;
    std::vector<std::size_t> listed_;  // per row, its finding
};

// The row of the chunk list (the reader's chunks, one row each) that holds the byte at offset:
// the last chunk whose header lies at or before it; none before the first chunk.
std::optional<std::size_t> chunk_row_at(const std::vector<records::ChunkFact>& chunks,
                                        std::int64_t offset);

}  // namespace check
