#include "view/fit_text.h"

#include <algorithm>
#include <cstddef>

namespace view {

namespace {

constexpr std::string_view kEllipsis = "\u2026";

// The byte where each UTF-8 character of text starts, and the text's size last.
std::vector<std::size_t> character_starts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

// text with only kept of its characters, half from its start and half from its end, and "…"
// between them; text itself when it has no more than kept.
std::string cut_middle(std::string_view text, const std::vector<std::size_t>& starts,
                       std::size_t kept) {
    const std::size_t characters = starts.size() - 1;
    if (kept >= characters) return std::string(text);
    const std::size_t head = (kept + 1) / 2, tail = kept - head;
    return std::string(text.substr(0, starts[head])) + std::string(kEllipsis) +
           std::string(text.substr(starts[characters - tail]));
}

// The most characters of text that keep fits(cut_middle(text, kept)) true, assuming fewer
// never take more room; -1 when not even "…" fits.
template <class Fits>
long most_kept(std::string_view text, const std::vector<std::size_t>& starts, Fits fits) {
    long low = -1, high = static_cast<long>(starts.size()) - 1;
    while (low < high) {
        const long mid = low + (high - low + 1) / 2;
        if (fits(cut_middle(text, starts, static_cast<std::size_t>(mid)))) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return low;
}

}  // namespace

std::string whole_text(const std::vector<FitPart>& parts) {
    std::string text;
    for (const FitPart& p : parts) text += p.text;
    return text;
}

std::string fit_text(const std::vector<FitPart>& parts, const TextWidth& width, int room) {
    std::vector<std::string> shown;
    shown.reserve(parts.size());
    for (const FitPart& p : parts) shown.push_back(p.text);
    const auto joined = [&shown] {
        std::string text;
        for (const std::string& s : shown) text += s;
        return text;
    };
    std::string text = joined();
    if (width(text) <= room) return text;

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].cut > 0) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&parts](std::size_t a, std::size_t b) {
        return parts[a].cut > parts[b].cut;
    });
    for (const std::size_t i : order) {
        const std::string_view part = parts[i].text;
        const auto starts = character_starts(part);
        const long kept = most_kept(part, starts, [&](const std::string& candidate) {
            shown[i] = candidate;
            return width(joined()) <= room;
        });
        shown[i] = cut_middle(part, starts, kept < 0 ? 0 : static_cast<std::size_t>(kept));
        if (kept >= 0) return joined();
    }
    text = joined();
    const auto starts = character_starts(text);
    const long kept = most_kept(
        text, starts, [&](const std::string& candidate) { return width(candidate) <= room; });
    return cut_middle(text, starts, kept < 0 ? 0 : static_cast<std::size_t>(kept));
}

std::vector<FitPart> path_parts(std::string_view path, int folder_cut) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string_view::npos) return {{std::string(path), 0}};
    return {{std::string(path.substr(0, slash + 1)), folder_cut},
            {std::string(path.substr(slash + 1)), 0}};
}

}  // namespace view
