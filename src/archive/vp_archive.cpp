#include "archive/vp_archive.h"

#include <algorithm>

#include "archive/vp_directory.h"
#include "io/text.h"
#include "io/texture_extensions.h"

namespace archive {

namespace {

bool starts_with_path(std::string_view path, std::string_view prefix) {
    return path.size() >= prefix.size() && same_path(path.substr(0, prefix.size()), prefix);
}

}  // namespace

Archive Archive::open(const std::string& path) {
    return read(pof::PofFile::open(path), path);
}

Archive Archive::read(pof::PofFile file, std::string path) {
    Archive a;
    a.path_ = std::move(path);
    a.file_size_ = file.size();
    a.file_ = std::make_shared<const pof::PofFile>(std::move(file));
    DirectoryReader(a).read();
    a.index_paths();
    return a;
}

Archive Archive::from_bytes(std::string_view bytes, std::string name) {
    return read(pof::PofFile::from_bytes(bytes), std::move(name));
}

// Offsets and lengths are checked by the caller against the size the archive had when it was
// opened; a file that shrank since then ends early at the read.
pof::PofFile Archive::span(std::int64_t begin, std::int64_t length) const {
    return file_->span(begin, length);
}

// Members in path order, equal paths by entry; a later entry of a path notes the earlier.
void Archive::index_paths() {
    by_path_.resize(members_.size());
    for (std::size_t i = 0; i < by_path_.size(); ++i) by_path_[i] = i;
    std::stable_sort(by_path_.begin(), by_path_.end(), [this](std::size_t a, std::size_t b) {
        return path_less(path_of(members_[a]), path_of(members_[b]));
    });
    note_duplicates();
}

void Archive::note_duplicates() {
    for (std::size_t k = 1; k < by_path_.size(); ++k) {
        const Member& earlier = members_[by_path_[k - 1]];
        const Member& later = members_[by_path_[k]];
        if (!same_path(path_of(earlier), path_of(later))) continue;
        notes_.push_back({later.entry, static_cast<std::int64_t>(by_path_[k]),
                          "it has the path of entry " + pof::integer_text(earlier.entry) +
                              "; this entry is the one that path opens"});
    }
    std::stable_sort(notes_.begin(), notes_.end(),
                     [](const Note& a, const Note& b) { return a.entry < b.entry; });
}

const Member* Archive::find(std::string_view path) const {
    const auto end = std::upper_bound(
        by_path_.begin(), by_path_.end(), path,
        [this](std::string_view p, std::size_t m) { return path_less(p, path_of(members_[m])); });
    if (end == by_path_.begin()) return nullptr;
    const Member& last = members_[*(end - 1)];
    return same_path(path_of(last), path) ? &last : nullptr;
}

std::vector<const Member*> Archive::files_in(std::string_view folder) const {
    const std::string prefix = folder.empty() ? std::string() : std::string(folder) + "/";
    auto it = std::lower_bound(
        by_path_.begin(), by_path_.end(), prefix,
        [this](std::size_t m, std::string_view p) { return path_less(path_of(members_[m]), p); });
    std::vector<const Member*> out;
    for (; it != by_path_.end(); ++it) {
        const Member& m = members_[*it];
        const std::string_view path = path_of(m);
        if (!starts_with_path(path, prefix)) break;
        if (path.find('/', prefix.size()) != std::string_view::npos) continue;
        // Of equal paths the later entry, which stands last.
        if (!out.empty() && same_path(path_of(*out.back()), path)) {
            out.back() = &m;
        } else {
            out.push_back(&m);
        }
    }
    return out;
}

std::string Archive::cut_reason(const Member& m) const {
    if (m.size < 0) return "its size " + pof::integer_text(m.size) + " is below zero";
    if (m.offset < 0) {
        return "its body at byte " + pof::integer_text(m.offset) +
               " lies before the start of the archive";
    }
    return "its " + pof::integer_text(m.size) + " bytes at byte " + pof::integer_text(m.offset) +
           " pass the end of the archive (" + pof::integer_text(file_size_) + " bytes)";
}

pof::PofFile Archive::open_member(const Member& m) const {
    if (m.cut) throw pof::OpenError(cut_reason(m));
    return span(m.offset, m.size);
}

std::string Archive::read_member(const Member& m, std::int64_t max_bytes) const {
    const pof::PofFile file = open_member(m);
    const std::int64_t want = max_bytes < 0 ? file.size() : std::min(max_bytes, file.size());
    std::string bytes = file.first_bytes(want);
    const auto got = static_cast<std::int64_t>(bytes.size());
    // The archive shrank since it was listed.
    if (got < want)
        throw pof::ReadError(got, "the file ends early at byte " + pof::integer_text(got));
    return bytes;
}

bool has_archive_magic(const pof::PofFile& file) {
    return file.first_bytes(4) == "VPVP";
}

bool has_archive_magic(const std::string& path) {
    try {
        return has_archive_magic(pof::PofFile::open(path));
    } catch (const pof::OpenError&) {
        return false;
    } catch (const pof::ReadError&) {
        return false;
    }
}

MemberKind kind_of(std::string_view path) {
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return MemberKind::Other;
    const std::string_view suffix = name.substr(dot + 1);
    const auto is = [&](std::string_view s) { return same_path(suffix, s); };
    if (is("pof")) return MemberKind::Model;
    // Animations (.ani, .eff) are textures to the game though no decoder here reads them.
    if (pof::texture_kind(name) || is("ani") || is("eff")) return MemberKind::Texture;
    if (is("tbl") || is("tbm")) return MemberKind::Table;
    return MemberKind::Other;
}

bool same_path(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return pof::lower_ascii(x) == pof::lower_ascii(y);
           });
}

bool path_less(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(pof::lower_ascii(x)) <
               static_cast<unsigned char>(pof::lower_ascii(y));
    });
}

}  // namespace archive
