#pragma once
// The Compare window: what differs between the open model and a second one, as a tree of
// chunk, item and field rows with the two values, a filter and the counts. A double-click leads
// to the item in the open model's windows, as the Model Check does.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compare/model_diff.h"
#include "compare/read_model.h"
#include "view/viewer.h"

namespace compare {

class frmCompare : public view::Viewer {
  public:
    static constexpr const char* kName = "frmCompare";
    using ShowItem = std::function<void(const pof::ItemRef&)>;

    // first: the open model; second_name: a file or "ARCHIVE.vp:member".
    frmCompare(const pof::ModelStore& first, std::string second_name, ShowItem show_item);
    // Reads the second model and compares it with the first.
    void opened() override;

    view::Field second_file{"Compared with"};
    view::Field counts{"Differences"};
    view::TextInput filter{"txtFilter", [this](const std::string& t) { filtered(t); }};
    view::Table tree{{{"Difference", view::Table::Width::Fill}, {"Open model"}, {"Other model"}},
                     "tvwDifferences"};

    const std::vector<Difference>& differences() const { return differences_; }
    // The second model as read, for the Model View's "Show the other model".
    const pof::ModelStore& other() const { return *second_; }
    const std::string& other_name() const { return second_name_; }

  private:
    void filtered(const std::string& text);
    void row_double_clicked(int row);

    const pof::ModelStore& first_;
    std::string second_name_;
    ShowItem show_item_;
    std::unique_ptr<pof::ModelStore> second_;
    ModelRead read_;
    std::vector<Difference> differences_;
    std::vector<int> rows_;  // per row of the tree, the difference it leads to
};

// "3 differences: 1 changed, 1 only in the open model, 1 only in the other" and, under a
// filter, how many are shown.
std::string counts_text(const std::vector<Difference>& all, std::size_t shown, bool filtering);

}  // namespace compare
