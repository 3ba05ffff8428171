#include "check/frmModelCheck.h"

#include <algorithm>

#include "check/model_check.h"
#include "io/text.h"
#include "view/window_text.h"

namespace check {

namespace {

view::Tone tone_of(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return view::Tone::Error;
        case Severity::Warning:
            return view::Tone::Warning;
        case Severity::Note:
            return view::Tone::Info;
    }
    return view::Tone::Plain;
}

}  // namespace

std::optional<std::size_t> chunk_row_at(const std::vector<records::ChunkFact>& chunks,
                                        std::int64_t offset) {
    // The chunks lie in file order.
    const auto after = std::upper_bound(
        chunks.begin(), chunks.end(), offset,
        [](std::int64_t at, const records::ChunkFact& fact) { return at < fact.offset; });
    if (after == chunks.begin()) return std::nullopt;
    return static_cast<std::size_t>(after - chunks.begin() - 1);
}

frmModelCheck::frmModelCheck(const pof::ModelStore& store, ShowItem show_item,
                             ShowChunkRow show_row)
    : Viewer("frmModelCheck", "Model Check"),
      store_(store),
      show_item_(std::move(show_item)),
      show_row_(std::move(show_row)) {
    findings.on_double_click = [this](int row) { finding_double_clicked(row); };
    findings.open_wide = true;
    for (const char* f : kFilters) filter.rows.emplace_back(f);
    set_layout(column({&summary, &filter, &findings}));
}

void frmModelCheck::opened() {
    title = view::model_title("Model Check", store_.source.file_name());
    all_ = check_model(store_);
    summary.value.text = summary_text(tally(all_));
    filter.choose(0);
}

// Row 0 lists every finding; rows 1 to 3 one severity each.
void frmModelCheck::filter_chosen(int row) {
    findings.clear();
    listed_.clear();
    for (std::size_t i = 0; i < all_.size(); ++i) {
        if (row > 0 && static_cast<int>(all_.severity(i)) != row - 1) continue;
        const Finding f = all_[i];
        listed_.push_back(i);
        findings.add_row({std::string(severity_name(f.severity)), pof::integer_text(f.offset),
                          view::one_line(shown_place(f)), view::one_line(f.message),
                          std::string(code_name(f.code))},
                         tone_of(f.severity));
    }
}

void frmModelCheck::finding_double_clicked(int row) {
    const Finding f = all_[listed_[row]];
    if (f.item) {
        if (show_item_) show_item_(*f.item);
        return;
    }
    const auto chunk_row = chunk_row_at(store_.chunks, f.offset);
    if (chunk_row && show_row_) show_row_(*chunk_row);
}

}  // namespace check
