#include "check/finding.h"

#include <array>

#include "io/text.h"

namespace check {

std::string_view code_name(Code code) {
    return kCodes[static_cast<int>(code)].name;
}

Severity severity_of(Code code) {
    return kCodes[static_cast<int>(code)].severity;
}

std::string_view severity_text(Code code) {
    for (const Code two : kTwoSeverities) {
        if (two == code) return "error or warning";
    }
    return severity_name(severity_of(code));
}

std::string_view code_finds(Code code) {
    return kCodes[static_cast<int>(code)].finds;
}

std::string_view code_game(Code code) {
    return kCodes[static_cast<int>(code)].game;
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
