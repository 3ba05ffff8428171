#pragma once
// A finding of the model check: what is wrong, where in the file, and which window rows show
// the item it is about.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check/codes.h"
#include "pof/item_ref.h"

namespace check {

// The stable name scripts match on ("chunk-size", "vertex-index", ...).
std::string_view code_name(Code code);
// The severity of the code's findings; a code of two (dock-point-count) names the graver, and
// its milder findings say so themselves.
Severity severity_of(Code code);
// "error", "warning", "note".
std::string_view severity_name(Severity severity);
// The code's severity as its table row says it: "error or warning" for a code of two.
std::string_view severity_text(Code code);
// What the code finds, and what the game does with a model that has it ("-" where it is not
// known): the rows of the README's table and of `pofdump --check --codes`.
std::string_view code_finds(Code code);
std::string_view code_game(Code code);

struct Finding {
    Severity severity = Severity::Error;
    Code code = Code::Read;
    std::string chunk;        // the chunk ID as read; empty for the file as a whole
    std::int64_t offset = 0;  // of that chunk's header
    std::string place;        // "subObject 2 · block at 140 · entry 3"
    std::string message;
    std::optional<pof::ItemRef> item;  // the rows that show it, when a viewer does
    // Above 0 on the line that stands for the findings past the cap: how many it stands for.
    int more = 0;
};

// Places join their steps with a middle dot.
inline constexpr std::string_view kPlaceStep = " \xC2\xB7 ";

// The place as the window and pofdump's lines show it, after the chunk ID: "GPNT · Slot 1 ·
// Gun 0"; "file" for the file as a whole.
std::string shown_place(const Finding& f);

}  // namespace check
