#include "shell/archive_text.h"

#include <chrono>

#include "io/text.h"
#include "view/window_text.h"

namespace shell {

namespace {

constexpr std::size_t kNotesShown = 20;

std::string two_digits(unsigned n) {
    return (n < 10 ? "0" : "") + pof::integer_text(n);
}

// "entry 5 (data/models/x.pof)", or "entry 3" for a folder entry, "the archive" for none.
std::string note_place(const archive::Archive& a, const archive::Note& note) {
    if (note.entry < 0) return "the archive";
    std::string place = "entry " + pof::integer_text(note.entry);
    if (note.member >= 0) {
        const auto& m = a.members()[static_cast<std::size_t>(note.member)];
        place += " (" + view::utf8_text(a.path_of(m)) + ")";
    }
    return place;
}

}  // namespace

std::string utc_text(std::int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds{seconds}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    return pof::integer_text(static_cast<int>(date.year())) + "-" +
           two_digits(static_cast<unsigned>(date.month())) + "-" +
           two_digits(static_cast<unsigned>(date.day())) + " " +
           two_digits(static_cast<unsigned>(clock.hours().count())) + ":" +
           two_digits(static_cast<unsigned>(clock.minutes().count())) + ":" +
           two_digits(static_cast<unsigned>(clock.seconds().count()));
}

std::string kind_text(const archive::Member& m, std::string_view path) {
    std::string kind;
    switch (archive::kind_of(path)) {
        case archive::MemberKind::Model:
            kind = "POF model";
            break;
        case archive::MemberKind::Texture:
            kind = "texture";
            break;
        case archive::MemberKind::Table:
            kind = "table";
            break;
        case archive::MemberKind::Other:
            kind = "other";
            break;
    }
    return m.cut ? kind + " (cut)" : kind;
}

std::string member_label(std::string_view archive_path, std::string_view member_path) {
    return std::string(archive_path) + " \u203A " + std::string(member_path);
}

std::vector<view::FitPart> file_label_parts(std::string_view label, std::string_view path,
                                            std::string_view member_path) {
    std::vector<view::FitPart> parts = view::path_parts(path, 2);
    if (!member_path.empty()) {
        parts.push_back({" \u203A ", 0});
        for (auto& part : view::path_parts(member_path, 1)) parts.push_back(std::move(part));
    }
    if (label.empty() || view::whole_text(parts) != label) return {};
    return parts;
}

std::vector<view::FitPart> summary_parts(std::string_view archive_path, std::string counts) {
    return {{view::utf8_text(archive_path), 1}, {": " + std::move(counts), 0}};
}

std::string notes_message(const archive::Archive& a) {
    const auto& notes = a.notes();
    std::string text = "The VP archive " + view::utf8_text(a.path()) + " has " +
                       pof::integer_text(static_cast<std::int64_t>(notes.size())) +
                       (notes.size() == 1 ? " fault" : " faults") +
                       " in its directory; the rest of it is listed:";
    for (std::size_t i = 0; i < notes.size() && i < kNotesShown; ++i) {
        text += "\n- " + note_place(a, notes[i]) + ": " + notes[i].text + ".";
    }
    if (notes.size() > kNotesShown) {
        text += "\n- and " +
                pof::integer_text(static_cast<std::int64_t>(notes.size() - kNotesShown)) + " more.";
    }
    return text;
}

std::string damaged_archive_message(std::string_view path, std::string_view what) {
    return "Damaged VP archive " + view::utf8_text(path) + ": " + std::string(what) + ".";
}

std::string_view file_name(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace shell
