// The model check fuzz target: any bytes, read as a POF file chosen in the open dialog, then
// the model check over what was read, with every finding put into words as pofdump --check
// prints it. Besides crashes, sanitizer reports and memory limits it stops when a finding's
// words are not UTF-8 or the summary does not count what the list holds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check/model_check.h"
#include "promises.h"

namespace {

void check_findings(const pof::ModelStore& store) {
    const check::FindingList findings = check::check_model(store);
    std::int64_t weight = 0;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const check::Finding f = findings[i];
        fuzzing::check_text(check::shown_place(f), "a finding's place");
        fuzzing::check_text(f.message, "a finding's message");
        weight += findings.weight(i);
    }
    const check::Tally t = check::tally(findings);
    if (t.errors + t.warnings + t.notes != weight) fuzzing::broken("the summary counts the list");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pof::ModelStore store;
    fuzzing::read_model(store, bytes);
    check_findings(store);
    return 0;
}
