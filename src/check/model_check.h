#pragma once
// The model check: reads the store and what the reader learnt of each chunk, and lists every
// reference that points nowhere, every walk that breaks and every value that cannot be right.
// It reads only what the store holds and costs time in proportion to it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/vp_archive.h"
#include "check/findings.h"
#include "pof/global_data.h"

namespace textures {
class SearchCache;
}

namespace check {

struct Tally {
    int errors = 0, warnings = 0, notes = 0;
    void add(const Finding& f);
};

// In file order. A read that stopped early adds a "read" finding with the reader's words, at
// the byte whose read failed: the last finding, as that byte lies past every chunk header read.
FindingList check_model(const pof::ModelStore& store);
// The same, each finding put into words and handed to each as soon as the checks of its chunk
// are done; none is kept, so memory does not grow with the findings. Returns the summary.
// The texture searches list their folders and archives in searches, which a run that checks
// many models shares (a fresh one for this model when none is given).
Tally check_model(const pof::ModelStore& store, const std::function<void(const Finding&)>& each,
                  std::shared_ptr<textures::SearchCache> searches = nullptr);
// The one finding of a file that could not be read at all: a "read" error about the file.
FindingList unread_file(std::string why);
Tally tally(const FindingList& findings);
// The faults of an archive's directory, each an "archive" finding at its directory entry (the
// header's version field for the version): an entry that cannot be opened is an error, a
// ".." at the top, a duplicated path and an unknown version are warnings.
std::vector<Finding> check_archive(const archive::Archive& a);
// The one finding of an archive whose directory cannot be listed at all: an error at the
// byte where the listing failed.
Finding unlisted_archive(const pof::ReadError& e);
// "2 errors, 3 warnings, 1 note", or "No problems found".
std::string summary_text(const Tally& t);

}  // namespace check
