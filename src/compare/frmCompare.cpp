#include "compare/frmCompare.h"

#include "io/text.h"
#include "view/window_text.h"

namespace compare {

namespace {

using Kind = Difference::Kind;

std::string plural(std::size_t n, const char* one, const char* many) {
    return pof::integer_text(static_cast<std::int64_t>(n)) + " " + (n == 1 ? one : many);
}

std::string item_text(const Difference& d) {
    std::string out;
    for (const auto& p : d.place) {
        if (!out.empty()) out += kPlaceStep;
        out += p;
    }
    return out;
}

}  // namespace

std::string counts_text(const std::vector<Difference>& all, std::size_t shown, bool filtering) {
    std::size_t changed = 0, removed = 0, added = 0, unread = 0;
    for (const Difference& d : all) {
        (d.kind == Kind::Changed   ? changed
         : d.kind == Kind::Removed ? removed
         : d.kind == Kind::Added   ? added
                                   : unread)++;
    }
    std::string out = plural(all.size(), "difference", "differences");
    if (all.empty()) return "none: the two models hold the same values";
    out += ": " + pof::integer_text(static_cast<std::int64_t>(changed)) + " changed, " +
           pof::integer_text(static_cast<std::int64_t>(removed)) + " only in the open model, " +
           pof::integer_text(static_cast<std::int64_t>(added)) + " only in the other";
    if (unread > 0) out += ", " + plural(unread, "read failure", "read failures");
    if (filtering) out += "; " + pof::integer_text(static_cast<std::int64_t>(shown)) + " shown";
    return out;
}

frmCompare::frmCompare(std::string second_name, Compare compare, ShowItem show_item)
    : Viewer(kName, "Compare"),
      second_name_(std::move(second_name)),
      compare_(std::move(compare)),
      show_item_(std::move(show_item)) {
    filter.placeholder = "Filter";
    tree.open_wide = true;
    tree.on_double_click = [this](int row) { row_double_clicked(row); };
    set_layout(column({&second_file, &counts, &filter, &tree}));
}

frmCompare::~frmCompare() {
    if (on_closed) on_closed();
}

void frmCompare::opened() {
    second_file.value.text = view::utf8_text(second_name_);
    differences_ = compare_ ? compare_() : std::vector<Difference>{};
    filter.type(filter.text);
}

// Rows: a heading per chunk, a heading per item under it, then its fields; a difference that
// matches the filter (its whole line, case aside) is shown with its headings.
void frmCompare::filtered(const std::string& text) {
    const std::string wanted = pof::lower_ascii(text);
    tree.clear();
    rows_.clear();
    const auto add = [this](view::Table::Cells cells, view::Tone tone, int level, int index) {
        tree.add_row(std::move(cells), tone);
        tree.levels.push_back(level);
        rows_.push_back(index);
    };
    std::string chunk, item;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < differences_.size(); ++i) {
        const Difference& d = differences_[i];
        const std::string line = d.line();
        if (!wanted.empty() && pof::lower_ascii(line).find(wanted) == std::string::npos) continue;
        ++shown;
        const int index = static_cast<int>(i);
        if (d.kind == Kind::Unread) {
            add({view::one_line(line), "", ""}, view::Tone::Error, 0, index);
            chunk.clear();
            continue;
        }
        const std::string at = item_text(d);
        const bool whole_item = d.field.empty();
        const std::string sign = d.kind == Kind::Removed ? "- " : d.kind == Kind::Added ? "+ " : "";
        const auto tone = d.kind == Kind::Changed ? view::Tone::Plain : view::Tone::Info;
        if (whole_item && at.empty()) {
            // A chunk only one model has is one row at the chunks' level: "+ SLC2".
            add({sign + view::one_line(d.chunk), view::one_line(d.old_text),
                 view::one_line(d.new_text)},
                tone, 0, index);
            chunk.clear();
            continue;
        }
        if (d.chunk != chunk) {
            chunk = d.chunk;
            item = "\x1f";
            add({chunk, "", ""}, view::Tone::Plain, 0, index);
        }
        if (at != item && !at.empty() && !whole_item) {
            item = at;
            add({view::one_line(at), "", ""}, view::Tone::Plain, 1, index);
        }
        const std::string name = whole_item ? at : d.field;
        add({sign + view::one_line(name), view::one_line(d.old_text), view::one_line(d.new_text)},
            tone, whole_item || at.empty() ? 1 : 2, index);
    }
    counts.value.text = counts_text(differences_, shown, !wanted.empty());
}

// An item only the other model has is not in the open model's windows: its chunk's window
// opens instead.
void frmCompare::row_double_clicked(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !show_item_) return;
    const Difference& d = differences_[rows_[row]];
    if (d.kind == Kind::Unread) return;
    if (d.in_second) {
        show_item_({d.entry, {}});
        return;
    }
    show_item_(d.ref);
}

}  // namespace compare
