#include "shell/frmArchive.h"

#include <algorithm>
#include <compare>
#include <utility>

#include "io/text.h"
#include "shell/archive_text.h"
#include "view/window_text.h"

namespace shell {

namespace {

std::string count_text(std::int64_t n, std::string_view word) {
    return pof::integer_text(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

}  // namespace

frmArchive::frmArchive(Listed archive, OpenMember open_member)
    : view::Viewer(std::string(kName), view::utf8_text(file_name(archive->path()))),
      archive_(std::move(archive)),
      open_member_(std::move(open_member)),
      filter_("txtFilter", [this](const std::string&) { filter_typed(); }),
      files_({{"Entry"}, {"Path"}, {"Size"}, {"Modified"}, {"Kind"}}, "lvwFiles") {
    filter_.placeholder = "part of a path, e.g. models/";
    files_.on_double_click = [this](int row) { row_double_clicked(row); };
    files_.on_sort = [this](const view::Table::Order&) { rows_sorted(); };
    files_.order = {kEntry, true};
    files_.open_wide = true;
    set_layout(column({&summary_, row({&filter_caption_, &filter_}), &files_, &status_}));
}

void frmArchive::opened() {
    const auto& a = *archive_;
    const auto files = static_cast<std::int64_t>(a.members().size());
    std::int64_t bytes = 0;
    for (const auto& m : a.members()) bytes += m.cut ? 0 : m.size;
    std::string counts = count_text(files, "file") + " in " +
                         count_text(a.folder_count(), "folder") + ", " + count_text(bytes, "byte");
    if (!a.notes().empty()) {
        counts += "; " + count_text(static_cast<std::int64_t>(a.notes().size()), "fault") +
                  " in its directory";
    }
    summary_.set_parts(summary_parts(a.path(), std::move(counts)));
    show_rows();
}

void frmArchive::filter_typed() {
    folded_filter_ = pof::lower_ascii(filter_.text);
    show_rows();
}

void frmArchive::rows_sorted() {
    show_rows();
}

bool frmArchive::passes_filter(const archive::Member& m) const {
    if (folded_filter_.empty()) return true;
    const std::string_view path = archive_->path_of(m);
    return std::search(path.begin(), path.end(), folded_filter_.begin(), folded_filter_.end(),
                       [](char p, char f) { return pof::lower_ascii(p) == f; }) != path.end();
}

// How two members compare in the sort column; the entry decides between equals.
std::weak_ordering frmArchive::compare(const archive::Member& a, const archive::Member& b) const {
    switch (files_.order.column) {
        case kPath: {
            const auto pa = archive_->path_of(a), pb = archive_->path_of(b);
            if (archive::same_path(pa, pb)) return std::weak_ordering::equivalent;
            return archive::path_less(pa, pb) ? std::weak_ordering::less
                                              : std::weak_ordering::greater;
        }
        case kSize:
            return a.size <=> b.size;
        case kModified:
            return a.time <=> b.time;
        case kKind:
            return row_kind(a) <=> row_kind(b);
        default:
            return a.entry <=> b.entry;
    }
}

void frmArchive::show_rows() {
    const auto& members = archive_->members();
    const std::size_t chosen =
        files_.valid(files_.selected) ? shown_[files_.selected] : members.size();
    shown_.clear();
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (passes_filter(members[i])) shown_.push_back(i);
    }
    // Either way round, rows that compare equal stay in directory order, so every order of
    // the same rows is the same whatever was sorted before.
    const bool ascending = files_.order.ascending;
    std::sort(shown_.begin(), shown_.end(), [&](std::size_t a, std::size_t b) {
        const auto& ma = members[a];
        const auto& mb = members[b];
        const std::weak_ordering order = compare(ma, mb);
        if (std::is_eq(order)) return ma.entry < mb.entry;
        return ascending ? std::is_lt(order) : std::is_gt(order);
    });
    files_.set_source(shown_.size(), [this](std::size_t row) { return cells(row); });
    const auto at = std::find(shown_.begin(), shown_.end(), chosen);
    files_.selected = at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
    status_.text = shown_text();
}

view::Table::Cells frmArchive::cells(std::size_t row) const {
    const auto& m = archive_->members()[shown_[row]];
    const std::string_view path = archive_->path_of(m);
    return {pof::integer_text(m.entry), view::utf8_text(path), pof::integer_text(m.size),
            utc_text(m.time), row_kind(m)};
}

// A member whose path a later entry takes says which entry its path opens.
std::string frmArchive::row_kind(const archive::Member& m) const {
    const std::string_view path = archive_->path_of(m);
    const archive::Member* opened = archive_->find(path);
    std::string kind = kind_text(m, path);
    if (opened && opened != &m)
        kind += "; its path opens entry " + pof::integer_text(opened->entry);
    return kind;
}

std::string frmArchive::shown_text() const {
    return pof::integer_text(static_cast<std::int64_t>(shown_.size())) + " of " +
           count_text(static_cast<std::int64_t>(archive_->members().size()), "file") + " shown";
}

// Of two entries of one path the later one opens, whichever of them was clicked, as F5 and
// the game read that path.
void frmArchive::row_double_clicked(int row) {
    if (!files_.valid(row)) return;
    const archive::Member& clicked = archive_->members()[shown_[row]];
    const archive::Member* opened = archive_->find(archive_->path_of(clicked));
    if (open(opened ? *opened : clicked) && opened && opened != &clicked) {
        status_.text = "Entry " + pof::integer_text(opened->entry) +
                       " was opened: it has the path of entry " + pof::integer_text(clicked.entry) +
                       " and comes later in the directory.";
    }
}

std::optional<pof::ReadOutcome> frmArchive::open_path(std::string_view path) {
    const archive::Member* m = archive_->find(path);
    if (!m) {
        status_.text = "The archive holds no file " + view::utf8_text(path) + ".";
        return std::nullopt;
    }
    return open(*m);
}

std::optional<pof::ReadOutcome> frmArchive::open(const archive::Member& m) {
    const std::string_view path = archive_->path_of(m);
    if (archive::kind_of(path) != archive::MemberKind::Model) {
        status_.text =
            view::utf8_text(path) + " is not a POF model: only POF models open in the main window.";
        return std::nullopt;
    }
    status_.text = shown_text();
    return open_member_(archive_, m);
}

}  // namespace shell
