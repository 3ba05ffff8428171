#pragma once
// The models of a comparison: each read without a screen (a file, or a member of a VP archive
// named "ARCHIVE.vp:data/models/ship.pof"), walked through its windows, and each section of the
// walk made an item keyed as a modder names it, its fields the windows' own texts.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "compare/model_diff.h"
#include "shell/model_walk.h"

namespace shell {

// The archive and the member's path a name gives: the part before a colon that names an
// existing file, when the whole name does not. None for a plain file name.
std::optional<std::pair<std::string, std::string>> archive_member(const std::string& name);

class ComparedModel {
  public:
    // Reads the file or archive member name names.
    explicit ComparedModel(const std::string& name);
    ComparedModel(const ComparedModel&) = delete;
    ComparedModel& operator=(const ComparedModel&) = delete;

    // Nothing was read: the file could not be opened or is not a POF file.
    bool trouble() const;
    // What the message boxes of the read said, one per line; empty for a clean read.
    const std::string& message() const { return message_; }
    // Why the read stopped early; empty when it read to the end.
    const std::string& read_failure() { return model_.store().read_failure; }
    // What a walk leaves out: subobjects by number, whole or only their blocks.
    struct Skip {
        std::set<std::int32_t> whole, blocks;
    };
    // Every section of every window of the model, as items, handed to visit one by one.
    void walk_items(const std::function<void(compare::Item&&)>& visit, const Skip& skip = {});
    const pof::ModelStore& store() { return model_.store(); }

  private:
    HeadlessModel model_;
    pof::ReadOutcome outcome_;
    std::string message_;
};

// The differences between two models named as above: one Unread difference first for each read
// that stopped early. trouble holds why a model could not be read at all; then nothing was
// compared.
struct Comparison {
    std::vector<compare::Difference> differences;
    std::vector<std::string> trouble;
};
Comparison compare_models(ComparedModel& a, ComparedModel& b, const compare::DiffOptions& options);

// What the Compare window lists: the differences, or one Unread difference per model that could
// not be read at all.
std::vector<compare::Difference> compare_files(const std::string& a, const std::string& b);

}  // namespace shell
