#pragma once
// A model read for a comparison: a file, or a member of a VP archive named
// "ARCHIVE.vp:data/models/ship.pof", read into a store of its own without any window.

#include <optional>
#include <string>
#include <utility>

#include "pof/global_data.h"
#include "pof/read_pof.h"

namespace compare {

struct ModelRead {
    pof::ReadOutcome outcome = pof::ReadOutcome::Clean;
    std::string message;  // what a message box would have said; empty when nothing went wrong

    // The file could not be opened or is no POF file: nothing was read to compare.
    bool trouble() const {
        return outcome == pof::ReadOutcome::OpenFailed || outcome == pof::ReadOutcome::NotPof ||
               outcome == pof::ReadOutcome::DialogFailed;
    }
};

// The archive and the member's path a name gives: the part before a colon that names an
// existing file, when the whole name does not. None for a plain file name.
std::optional<std::pair<std::string, std::string>> archive_member(const std::string& name);

ModelRead read_model(const std::string& name, pof::ModelStore& store);

}  // namespace compare
