#pragma once
// The walk over every window of a model, the way a user would click through them: each row of
// the record list in file order is double-clicked, each drop-down list of the window it opens
// is gone through row by row (the lists inside the part a choice fills, row by row under each
// of those rows), and each row of a list view that opens a window (a subobject's BSP blocks)
// is double-clicked and that window gone through likewise. Every state reached is handed to a
// callback as a section: its place (OBJ2 · subObject 1 · block at 412 · TMAPPOLY) and the
// controls that this choice fills. Each value of the windows then belongs to one section
// only. `pofdump --all` prints the sections; a comparison matches them by their places.
//
// The walk only reads: it drives the very handlers a user's choices run, over the windows
// the main window opens, and holds nothing of a section once its callback has returned.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pof/global_data.h"
#include "pof/read_pof.h"
#include "shell/frmPOF.h"
#include "view/headless.h"
#include "view/viewer.h"

namespace shell {

// One step of a section's place.
struct PlaceStep {
    enum class Kind {
        Chunk,     // the chunk: "OBJ2", "GPNT", "EYE" (its ID without trailing blanks)
        Row,       // a row of a drop-down list: "subObject 1", "Slot 0", "Gun 1"
        Block,     // a row of a list view that opened a window: "block at 412"
        BlockType  // the kind of that block, after its Block step: "TMAPPOLY"
    };
    Kind kind = Kind::Chunk;
    std::string text;  // as shown in the place
    // Row: the list's object name ("cboSubObjects"); Block: the list view's ("ListView1").
    std::string list;
    // Chunk: the record-list row; Row: the row in its list; Block: the row in the list view.
    int row = -1;
    // Row: the item's name where a modder names it (a subobject's "subModel Name", a path's or
    // a special point's "Name"), to match items by; empty for items matched by position.
    std::string key;
    bool operator==(const PlaceStep&) const = default;
};

// A control a section shows, at its depth among the section's groups (0 at the top).
struct SectionControl {
    enum class Part {
        Whole,      // the control with all it holds (a value, a grid, a list view and its rows)
        GroupHead,  // a group's caption only: its children follow as controls of their own
        ListHead    // a drop-down list's head only: each of its rows is a section of its own
    };
    const view::Control* control = nullptr;
    int depth = 0;
    Part part = Part::Whole;
    // Drop-down lists and list views: the list's number in its window (1 for the first in
    // layout order), as pofdump's --choose and --open count them.
    int list_number = 0;
};

struct Section {
    // The place and the window in the state this section shows: valid only during the callback.
    std::span<const PlaceStep> place;
    const view::Viewer* viewer = nullptr;
    // In layout order.
    std::vector<SectionControl> controls;
};

// The place as one line: the steps' texts joined by " · ".
std::string place_text(std::span<const PlaceStep> place);

// A value of a section by its name: a field's caption ("Record Size"), a value's or text
// box's object name, a grid's column header with its cells in row order
// ("Mounting Point" -> "(0, 1, 1.5)"), a list view's row by its number ("row 3") with its
// cells joined by " | ", a drop-down list's object name with its row count.
struct SectionField {
    std::string name;
    std::string value;
    const view::Control* control = nullptr;
};
std::vector<SectionField> section_fields(const Section& section);
// The value of the first field of that name, if any.
std::optional<std::string> field_value(const Section& section, std::string_view name);

using SectionVisitor = std::function<void(const Section&)>;

// Goes through every window of the model the form has read, handing each section to visit
// in file order. Rows of the record list that open no window (a chunk without a viewer, a
// second chunk of a kind) are a section of their chunk step alone, with the row's size as
// its one control. Windows the walk opened stay open.
// Whether to go into the part at place: a record-list row or a drop-down row (asked before it
// is clicked or chosen, opens false) or the rows of a list view that open windows, a
// subobject's blocks (opens true). None
// goes everywhere. A comparison leaves out what is byte for byte the same in both models.
using OpenRows = std::function<bool(const std::vector<PlaceStep>& place, bool opens)>;

void walk_model(frmPOF& form, view::Windows& windows, const SectionVisitor& visit,
                const OpenRows& open_rows = {});

// A model read without a screen: the store, desktop, windows and main window a walk needs,
// for a caller that reads a model of its own (a second model to compare with).
class HeadlessModel {
  public:
    HeadlessModel() : form_(store_, desktop_, windows_) { form_.window_opened(); }
    HeadlessModel(const HeadlessModel&) = delete;
    HeadlessModel& operator=(const HeadlessModel&) = delete;
    // File > Open of the file at path; an archive member is read with form().open_member.
    pof::ReadOutcome open(const std::string& path);
    void walk(const SectionVisitor& visit, const OpenRows& open_rows = {}) {
        walk_model(form_, windows_, visit, open_rows);
    }

    pof::ModelStore& store() { return store_; }
    frmPOF& form() { return form_; }
    view::HeadlessWindows& windows() { return windows_; }
    // The message boxes shown so far (a read that failed says why here).
    const std::vector<std::string>& messages() const { return desktop_.messages; }

  private:
    pof::ModelStore store_;
    view::HeadlessDesktop desktop_;
    view::HeadlessWindows windows_;
    frmPOF form_;
};

}  // namespace shell
