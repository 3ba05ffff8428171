#include "check/finding.h"

#include <array>

#include "io/text.h"

namespace check {

namespace {

struct CodeInfo {
    std::string_view name;
    Severity severity;
};

constexpr std::array<CodeInfo, kCodeCount> kCodes{{
    {"read", Severity::Error},
    {"chunk-size", Severity::Warning},
    {"unknown-chunk", Severity::Note},
    {"duplicate-chunk", Severity::Warning},
    {"no-header", Severity::Error},
    {"subobject-missing", Severity::Error},
    {"subobject-duplicate", Severity::Warning},
    {"subobject-unstored", Severity::Error},
    {"parent", Severity::Error},
    {"detail-level", Severity::Error},
    {"debris", Severity::Error},
    {"bsp-walk", Severity::Error},
    {"no-defpoints", Severity::Error},
    {"vertex-index", Severity::Error},
    {"normal-index", Severity::Error},
    {"texture-index", Severity::Error},
    {"polygon-vertices", Severity::Error},
    {"sortnorm-offset", Severity::Error},
    {"box-inverted", Severity::Warning},
    {"vertex-outside-box", Severity::Warning},
    {"not-finite", Severity::Error},
    {"normal-length", Severity::Warning},
    {"turret-subobject", Severity::Error},
    {"turret-firing-points", Severity::Warning},
    {"eye-subobject", Severity::Error},
    {"dock-path", Severity::Error},
    {"path-parent", Severity::Warning},
    {"path-turret", Severity::Error},
    {"shield-vertex-index", Severity::Error},
    {"shield-neighbour-index", Severity::Error},
    {"shield-neighbour", Severity::Warning},
    {"insignia-vertex-index", Severity::Error},
    {"insignia-detail-level", Severity::Error},
    {"count-negative", Severity::Warning},
    {"texture-unused", Severity::Note},
}};

}  // namespace

std::string_view code_name(Code code) {
    return kCodes[static_cast<int>(code)].name;
}

Severity severity_of(Code code) {
    return kCodes[static_cast<int>(code)].severity;
}

std::string_view severity_name(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "error";
}

std::string shown_place(const Finding& f) {
    if (f.chunk.empty()) return f.place.empty() ? "file" : f.place;
    std::string out = pof::text8(f.chunk.substr(0, f.chunk.find_last_not_of(' ') + 1));
    if (!f.place.empty()) out += std::string(kPlaceStep) + f.place;
    return out;
}

}  // namespace check
