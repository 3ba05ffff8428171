#pragma once
// The Compare window: what differs between the open model and a second one, as a tree of
// chunk, item and field rows with the two values, a filter and the counts. A double-click leads
// to the item in the open model's windows, as the Model Check does.

#include <functional>
#include <string>
#include <vector>

#include "compare/model_diff.h"
#include "view/viewer.h"

namespace compare {

class frmCompare : public view::Viewer {
  public:
    static constexpr const char* kName = "frmCompare";
    using ShowItem = std::function<void(const pof::ItemRef&)>;

    // What differs between the open model and the other one; run when the window opens.
    using Compare = std::function<std::vector<Difference>()>;

    // second_name: the other model's file, or "ARCHIVE.vp:member", as the window names it.
    frmCompare(std::string second_name, Compare compare, ShowItem show_item);
    ~frmCompare() override;
    frmCompare(const frmCompare&) = delete;
    frmCompare& operator=(const frmCompare&) = delete;
    // Run as the window closes (the Model View then stops showing the other model).
    std::function<void()> on_closed;
    // Compares the two models and lists what differs.
    void opened() override;

    view::Field second_file{"Compared with"};
    view::Field counts{"Differences"};
    view::TextInput filter{"txtFilter", [this](const std::string& t) { filtered(t); }};
    view::Table tree{{{"Difference", view::Table::Width::Fill}, {"Open model"}, {"Other model"}},
                     "tvwDifferences"};

    const std::vector<Difference>& differences() const { return differences_; }
    const std::string& other_name() const { return second_name_; }
    // Per row of the tree, the difference it leads to.
    const std::vector<int>& row_differences() const { return rows_; }

  private:
    void filtered(const std::string& text);
    void row_double_clicked(int row);

    std::string second_name_;
    Compare compare_;
    ShowItem show_item_;
    std::vector<Difference> differences_;
    std::vector<int> rows_;  // per row of the tree, the difference it leads to
};

// "3 differences: 1 changed, 1 only in the open model, 1 only in the other" and, under a
// filter, how many are shown.
std::string counts_text(const std::vector<Difference>& all, std::size_t shown, bool filtering);

}  // namespace compare
