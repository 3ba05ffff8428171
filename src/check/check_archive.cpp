// The faults of a VP archive's own directory, as pofdump --check reports them beside the
// archive's models.

#include "check/model_check.h"
#include "io/text.h"

namespace check {

std::vector<Finding> check_archive(const archive::Archive& a) {
    std::vector<Finding> out;
    for (const archive::Note& note : a.notes()) {
        Finding f;
        f.code = Code::Archive;
        f.offset = a.entry_offset(note.entry);
        f.message = note.text;
        f.severity = Severity::Warning;
        if (note.entry >= 0) f.place = "entry " + pof::integer_text(note.entry);
        if (note.member >= 0) {
            const archive::Member& m = a.members()[static_cast<std::size_t>(note.member)];
            f.place += std::string(kPlaceStep) + std::string(a.path_of(m));
            // A body the archive cannot hold: the entry never opens.
            if (m.cut) f.severity = Severity::Error;
        }
        out.push_back(std::move(f));
    }
    return out;
}

Finding unlisted_archive(const pof::ReadError& e) {
    Finding f;
    f.code = Code::Archive;
    f.offset = e.offset();
    f.message = e.what();
    return f;
}

}  // namespace check
