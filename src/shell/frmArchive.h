#pragma once
// The archive window's logic: the files of a VP archive in a list that a filter narrows as
// one types and a click on a column header sorts. A double-click (or Enter) on a POF model
// opens it in the main window; the window stays, so one can go from ship to ship. Of entries
// that share a path the last opens, as F5 and the game read that path.

#include <compare>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/vp_archive.h"
#include "pof/read_pof.h"
#include "view/viewer.h"

namespace shell {

class frmArchive : public view::Viewer {
  public:
    static constexpr std::string_view kName = "frmArchive";
    using Listed = std::shared_ptr<const archive::Archive>;
    // Reads a member into the main window as File > Open reads a file.
    using OpenMember = std::function<pof::ReadOutcome(const Listed&, const archive::Member&)>;

    frmArchive(Listed archive, OpenMember open_member);
    // Fills the list in directory order.
    void opened() override;

    // What a double-click on the row of that path (case ignored) does, whether or not the
    // filter shows it. Nothing is returned when nothing was read: no file of that path, or
    // one that is not a POF model (the status line says why).
    std::optional<pof::ReadOutcome> open_path(std::string_view path);

    const archive::Archive& listed() const { return *archive_; }
    // The status line: how many files are shown, or why a file did not open.
    const std::string& status() const { return status_.text; }

  private:
    enum Column { kEntry, kPath, kSize, kModified, kKind };

    void filter_typed();
    void rows_sorted();
    void row_double_clicked(int row);
    std::optional<pof::ReadOutcome> open(const archive::Member& m);
    // Fills the rows from the filter and the order, keeping the chosen member chosen.
    void show_rows();
    std::weak_ordering compare(const archive::Member& a, const archive::Member& b) const;
    bool passes_filter(const archive::Member& m) const;
    view::Table::Cells cells(std::size_t row) const;
    std::string row_kind(const archive::Member& m) const;
    std::string shown_text() const;

    Listed archive_;
    OpenMember open_member_;
    std::vector<std::size_t> shown_;  // the members listed, in row order
    std::string folded_filter_;
    view::Caption summary_{"", "lblSummary"};
    view::Caption filter_caption_{"Filter:"};
    view::TextInput filter_;
    view::Table files_;
    view::Caption status_{"", "lblStatus"};
};

}  // namespace shell
