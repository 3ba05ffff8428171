#pragma once
// Collects findings chunk by chunk, so the list comes out in file order whichever check found
// them, and caps each code at 100 findings per chunk with one line that counts the rest.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/finding.h"
#include "pof/global_data.h"

namespace check {

class Findings {
  public:
    static constexpr int kPerCodeAndChunk = 100;

    explicit Findings(const std::vector<records::ChunkFact>& chunks);

    // Later findings are about chunk index (of the reader's chunk list).
    void at_chunk(std::size_t index) { current_ = index + 1; }
    // Later findings are about the file as a whole.
    void at_file() { current_ = 0; }

    void add(Code code, std::string place, std::string message,
             std::optional<pof::ItemRef> item = {});
    // Findings so far with this code in the current chunk, the capped ones included.
    int count(Code code) const;
    // True once the current chunk listed its 100 findings of code: the finding is only
    // counted, so a loop with many faults need not word each one.
    bool counted_only(Code code);

    // In file order: the file's own findings, then each chunk's.
    std::vector<Finding> take();

  private:
    struct Tally {
        int found = 0;
        std::size_t more_line = 0;  // index of the "more" line in its bucket
    };
    std::size_t key(Code code) const { return current_ * kCodeCount + static_cast<int>(code); }

    const std::vector<records::ChunkFact>& chunks_;
    std::vector<std::vector<Finding>> buckets_;  // 0: the file; i + 1: chunk i
    std::unordered_map<std::size_t, Tally> tallies_;
    std::size_t current_ = 0;
};

}  // namespace check
