#include "check/model_check.h"

#include "check/check_context.h"
#include "io/text.h"

namespace check {

namespace {

// The read's own finding goes with the chunk the reader stopped in, or with the file.
void add_read_failure(const pof::ModelStore& store, Findings& out) {
    out.at_file();
    for (std::size_t i = 0; i < store.chunks.size(); ++i) {
        if (!store.chunks[i].complete) out.at_chunk(i);
    }
    out.add(Code::Read, "", store.read_failure);
}

std::string counted(int n, const char* word) {
    return pof::integer_text(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

FindingList check_model(const pof::ModelStore& store) {
    Findings out(store.chunks);
    CheckContext c(store, out);
    check_chunk_facts(c);
    check_header(c);
    check_subobjects(c);
    check_weapons(c);
    check_docking(c);
    check_general(c);
    check_textures(c);
    if (!store.read_failure.empty()) add_read_failure(store, out);
    return out.take();
}

FindingList unread_file(std::string why) {
    static const std::vector<records::ChunkFact> kNoChunks;
    Findings out(kNoChunks);
    out.add(Code::Read, "", std::move(why));
    return out.take();
}

Tally tally(const FindingList& findings) {
    Tally t;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const int n = findings.weight(i);  // a "more" line counts what it stands for
        switch (severity_of(findings.code(i))) {
            case Severity::Error:
                t.errors += n;
                break;
            case Severity::Warning:
                t.warnings += n;
                break;
            case Severity::Note:
                t.notes += n;
                break;
        }
    }
    return t;
}

std::string summary_text(const Tally& t) {
    if (t.errors + t.warnings + t.notes == 0) return "No problems found";
    return counted(t.errors, "error") + ", " + counted(t.warnings, "warning") + ", " +
           counted(t.notes, "note");
}

}  // namespace check
