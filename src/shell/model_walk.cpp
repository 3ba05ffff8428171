#include "shell/model_walk.h"

#include <algorithm>
#include <span>
#include <utility>

#include "io/text.h"
#include "shell/row_text.h"

namespace shell {

namespace {

using view::Control;
using view::Kind;
using Controls = std::span<Control* const>;

// The subobject window lists every subobject; each OBJ2 row of the record list chooses its
// own, so there the list's choice is the row's, not a section of its own.
bool one_item_per_row(pof::RecordEntry entry) {
    return entry == pof::RecordEntry::SOBJ;
}

// The captions of the fields that name an item, for matching items by name.
constexpr std::string_view kNameCaptions[] = {"subModel Name", "Name"};

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') + 1 - first));
}

// A list whose choice fills other controls (a drop-down list, a list view with a click
// handler) and those controls: the ones after it in its group up to and including the first
// group ("[Slot 0 data]"), else up to the next such list and the count right before it
// ("# faces").
struct ListScope {
    Control* list;
    std::vector<Control*> scope;
};

bool chooses(const Control& c) {
    if (c.kind() == Kind::DropDown) return true;
    return c.kind() == Kind::Table && static_cast<const view::Table&>(c).on_click;
}

// The children with each box replaced by its own: boxes are layout only.
void flatten(Controls children, std::vector<Control*>& out) {
    for (Control* c : children) {
        if (c->kind() == Kind::Box) {
            flatten(static_cast<const view::Box&>(*c).children, out);
        } else {
            out.push_back(c);
        }
    }
}

std::size_t scope_end(const std::vector<Control*>& children, std::size_t list) {
    std::size_t end = list + 1;
    for (; end < children.size(); ++end) {
        if (chooses(*children[end])) {
            if (end > list + 1 && children[end - 1]->kind() == Kind::Field) --end;
            return end;
        }
        if (children[end]->kind() == Kind::Group) return end + 1;
    }
    return end;
}

class Walker {
  public:
    Walker(frmPOF& form, view::Windows& windows, const SectionVisitor& visit,
           const OpenRows& open_rows)
        : form_(form), windows_(windows), visit_(visit), open_rows_(open_rows) {}
    void run();

  private:
    // What collecting a part of a window finds besides the section's controls.
    struct Found {
        std::vector<ListScope> lists;
        std::vector<view::Table*> openers;  // list views whose rows open windows
    };
    void collect(Controls part, int depth, Section& section, Found& found,
                 const Control* inline_list);
    void window(view::Viewer& viewer, Controls part, const Control* inline_list = nullptr);
    void rows_of(view::Viewer& viewer, const ListScope& scope);
    void open_rows(view::Table& table);
    void bare(const std::string& size);
    int list_number(const Control& list) const;
    static std::string key_in(Controls scope);

    frmPOF& form_;
    view::Windows& windows_;
    const SectionVisitor& visit_;
    const OpenRows& open_rows_;
    std::vector<PlaceStep> place_;
    const view::Viewer* viewer_ = nullptr;  // the window being walked
    std::vector<Control*> lists_;           // its lists in layout order
};

void Walker::run() {
    view::Table& records = form_.record_list();
    std::vector<std::string> walked;  // windows gone through
    std::vector<int> items;           // the subobject window's rows gone through
    for (std::size_t r = 0; r < records.row_count(); ++r) {
        const int row = static_cast<int>(r);
        const auto cells = records.cells(r);
        const std::string chunk = trimmed(parse_row_text(cells.at(0)).chunk_id);
        const std::string size = cells.size() > 1 ? cells[1] : std::string();
        place_ = {{PlaceStep::Kind::Chunk, chunk, {}, row, {}}};
        if (open_rows_ && !open_rows_(place_, false)) continue;
        const std::uint64_t fronted = windows_.fronted();
        records.double_click(row);
        view::Viewer* viewer =
            windows_.fronted() != fronted ? windows_.find(windows_.front()) : nullptr;
        const auto entry = entry_for_chunk_id(parse_row_text(cells.at(0)).chunk_id);
        place_ = {{PlaceStep::Kind::Chunk, chunk, {}, row, {}}};
        if (!viewer || !entry) {
            bare(size);
            continue;
        }
        viewer->activated();
        lists_ = view::lists_of(viewer->layout());
        viewer_ = viewer;
        Control* root = &viewer->layout();
        if (one_item_per_row(*entry) && !lists_.empty() &&
            lists_.front()->kind() == Kind::DropDown) {
            auto& list = static_cast<view::DropDown&>(*lists_.front());
            if (list.selected < 0 || std::ranges::count(items, list.selected)) {
                bare(size);
                continue;
            }
            items.push_back(list.selected);
            place_.push_back({PlaceStep::Kind::Row, list.selected_text(), list.name, list.selected,
                              key_in(Controls(&root, 1))});
            window(*viewer, Controls(&root, 1), &list);
        } else if (std::ranges::count(walked, viewer->name()) == 0) {
            walked.push_back(viewer->name());
            window(*viewer, Controls(&root, 1));
        } else {
            bare(size);
        }
    }
}

// A row that leads to no window of its own: its chunk and size.
void Walker::bare(const std::string& size) {
    view::Field record_size("Record Size");
    record_size.value.text = size;
    Section section;
    section.place = place_;
    section.controls.push_back({&record_size, 0, SectionControl::Part::Whole, 0});
    visit_(section);
}

int Walker::list_number(const Control& list) const {
    const auto it = std::ranges::find(lists_, &list);
    return it == lists_.end() ? 0 : static_cast<int>(it - lists_.begin()) + 1;
}

// The section's controls in layout order; the drop-down lists met are set aside with their
// scopes (inline_list's scope is part of the section), and so are list views that open
// windows.
void Walker::collect(Controls part, int depth, Section& section, Found& found,
                     const Control* inline_list) {
    std::vector<Control*> children;
    flatten(part, children);
    for (std::size_t i = 0; i < children.size(); ++i) {
        Control* c = children[i];
        if (chooses(*c)) {
            const bool head = c->kind() == Kind::DropDown;
            section.controls.push_back(
                {c, depth, head ? SectionControl::Part::ListHead : SectionControl::Part::Whole,
                 list_number(*c)});
            if (c == inline_list) continue;
            const std::size_t end = scope_end(children, i);
            // An item's value among them stays with the item's section.
            ListScope list{c, {}};
            for (std::size_t k = i + 1; k < end; ++k) {
                if (children[k]->item_value) {
                    section.controls.push_back(
                        {children[k], depth, SectionControl::Part::Whole, 0});
                } else {
                    list.scope.push_back(children[k]);
                }
            }
            found.lists.push_back(std::move(list));
            i = end - 1;
        } else if (c->kind() == Kind::Group) {
            section.controls.push_back({c, depth, SectionControl::Part::GroupHead, 0});
            collect(static_cast<const view::Group&>(*c).children, depth + 1, section, found,
                    inline_list);
        } else if (c->kind() == Kind::Table) {
            auto* table = static_cast<view::Table*>(c);
            section.controls.push_back({c, depth, SectionControl::Part::Whole, list_number(*c)});
            if (table->on_double_click) found.openers.push_back(table);
        } else {
            section.controls.push_back({c, depth, SectionControl::Part::Whole, 0});
        }
    }
}

// The section of a part of a window, then the windows its list views open, then each row of
// each of its drop-down lists.
void Walker::window(view::Viewer& viewer, Controls part, const Control* inline_list) {
    Section section;
    section.place = place_;
    section.viewer = &viewer;
    section.controls.reserve(16);
    Found found;
    collect(part, 0, section, found, inline_list);
    if (!section.controls.empty()) {
        const int top =
            std::ranges::min_element(section.controls, {}, &SectionControl::depth)->depth;
        for (auto& c : section.controls) c.depth -= top;
    }
    visit_(section);
    for (view::Table* table : found.openers) open_rows(*table);
    for (const ListScope& list : found.lists) rows_of(viewer, list);
}

// The first name field among the controls a choice filled.
std::string Walker::key_in(Controls scope) {
    for (const Control* c : scope) {
        for (const Control* inner : view::controls_of(*c)) {
            if (inner->kind() != Kind::Field) continue;
            const auto& field = static_cast<const view::Field&>(*inner);
            if (std::ranges::count(kNameCaptions, field.caption.text)) return field.value.text;
        }
    }
    return {};
}

// A disabled list keeps the row it shows; a user cannot choose another. A list view's row is
// named by its first column ("Offset 37").
void Walker::rows_of(view::Viewer& viewer, const ListScope& scope) {
    const bool drop_down = scope.list->kind() == Kind::DropDown;
    auto* list = drop_down ? static_cast<view::DropDown*>(scope.list) : nullptr;
    auto* table = drop_down ? nullptr : static_cast<view::Table*>(scope.list);
    const auto count_now = [&] { return drop_down ? list->rows.size() : table->row_count(); };
    const std::size_t count = count_now();
    for (std::size_t r = 0; r < count; ++r) {
        const int row = static_cast<int>(r);
        const int selected = drop_down ? list->selected : table->selected;
        if (!scope.list->enabled && row != selected) continue;
        if (drop_down && open_rows_) {
            place_.push_back({PlaceStep::Kind::Row, list->rows[r], scope.list->name, row, {}});
            const bool enter = open_rows_(place_, false);
            place_.pop_back();
            if (!enter) continue;
        }
        std::string text;
        if (drop_down) {
            if (selected != row) list->choose(row);
            text = list->rows[r];
        } else {
            if (selected != row) table->click(row);
            const auto cells = table->cells(r);
            text = table->columns.at(0).header + " " + (cells.empty() ? "" : cells[0]);
        }
        place_.push_back({PlaceStep::Kind::Row, text, scope.list->name, row, key_in(scope.scope)});
        window(viewer, scope.scope);
        place_.pop_back();
        // A choice's handler may have rebuilt the list (a reload does); stop at its end.
        if (count_now() != count) break;
    }
}

// Each row of the list view that brings a window forward: that window, activated as a user
// finds it, gone through under the row's place ("block at 412", "TMAPPOLY").
void Walker::open_rows(view::Table& table) {
    if (open_rows_ && !open_rows_(place_, true)) return;
    const view::Viewer* owner = viewer_;
    const auto owner_lists = lists_;
    // The rows open the same few windows over and over; their lists are found once each.
    std::vector<std::pair<const view::Viewer*, std::vector<Control*>>> lists_by_window;
    for (std::size_t r = 0; r < table.row_count(); ++r) {
        const std::uint64_t fronted = windows_.fronted();
        table.double_click(static_cast<int>(r));
        if (windows_.fronted() == fronted) continue;
        view::Viewer* opened = windows_.find(windows_.front());
        if (!opened || opened == owner) continue;
        opened->activated();
        const auto cells = table.cells(r);
        place_.push_back({PlaceStep::Kind::Block,
                          "block at " + (cells.empty() ? "" : cells[0]),
                          table.name,
                          static_cast<int>(r),
                          {}});
        place_.push_back({PlaceStep::Kind::BlockType,
                          cells.size() > 1 ? trimmed(cells[1]) : "",
                          {},
                          static_cast<int>(r),
                          {}});
        viewer_ = opened;
        auto known =
            std::ranges::find(lists_by_window, opened, [](const auto& w) { return w.first; });
        if (known == lists_by_window.end()) {
            lists_by_window.emplace_back(opened, view::lists_of(opened->layout()));
            known = lists_by_window.end() - 1;
        }
        lists_ = known->second;
        Control* root = &opened->layout();
        window(*opened, Controls(&root, 1));
        place_.resize(place_.size() - 2);
    }
    viewer_ = owner;
    lists_ = owner_lists;
}

std::string joined(const std::vector<std::string>& texts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += separator;
        out += texts[i];
    }
    return out;
}

void add_fields(const SectionControl& sc, std::vector<SectionField>& out) {
    const Control& c = *sc.control;
    switch (c.kind()) {
        case Kind::Field: {
            const auto& f = static_cast<const view::Field&>(c);
            out.push_back({f.caption.text, f.value.text, &c});
            break;
        }
        case Kind::Value:
            out.push_back({c.name, static_cast<const view::Value&>(c).text, &c});
            break;
        case Kind::Caption:
            out.push_back({c.name, static_cast<const view::Caption&>(c).text, &c});
            break;
        case Kind::TextBox:
            out.push_back({c.name, static_cast<const view::TextBox&>(c).text, &c});
            break;
        case Kind::Grid: {
            const auto& g = static_cast<const view::Grid&>(c);
            for (std::size_t k = 0; k < g.columns.size(); ++k) {
                std::vector<std::string> cells;
                for (std::size_t r = 0; r < g.rows.size(); ++r) cells.push_back(g.cell(r, k).text);
                out.push_back({g.columns[k]->text, "(" + joined(cells, ", ") + ")", &c});
            }
            break;
        }
        case Kind::Table: {
            const auto& t = static_cast<const view::Table&>(c);
            for (std::size_t r = 0; r < t.row_count(); ++r) {
                out.push_back({"row " + pof::integer_text(static_cast<std::int64_t>(r)),
                               joined(t.cells(r), " | "), &c});
            }
            break;
        }
        case Kind::DropDown: {
            const auto& d = static_cast<const view::DropDown&>(c);
            const auto n = static_cast<std::int64_t>(d.rows.size());
            out.push_back({c.name, pof::integer_text(n) + (n == 1 ? " row" : " rows"), &c});
            break;
        }
        case Kind::TextInput:
        case Kind::Box:
        case Kind::Group:
            break;
    }
}

}  // namespace

std::string place_text(std::span<const PlaceStep> place) {
    std::string out;
    for (const PlaceStep& step : place) {
        if (!out.empty()) out += " \u00B7 ";
        out += step.text;
    }
    return out;
}

std::vector<SectionField> section_fields(const Section& section) {
    std::vector<SectionField> out;
    for (const SectionControl& c : section.controls) add_fields(c, out);
    return out;
}

std::optional<std::string> field_value(const Section& section, std::string_view name) {
    for (const SectionField& f : section_fields(section)) {
        if (f.name == name) return f.value;
    }
    return std::nullopt;
}

void walk_model(frmPOF& form, view::Windows& windows, const SectionVisitor& visit,
                const OpenRows& open_rows) {
    Walker(form, windows, visit, open_rows).run();
}

pof::ReadOutcome HeadlessModel::open(const std::string& path) {
    desktop_.next_dialog_result = {view::OpenFileResult::Status::Chosen, path, {}};
    return form_.open();
}

}  // namespace shell
