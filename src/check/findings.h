#pragma once
// Collects findings chunk by chunk, so the list comes out in file order whichever check found
// them, and caps each code at 100 findings per chunk with one line that counts the rest.
//
// A finding is kept as numbers until it is read: the polygons of a large model can give a
// hundred thousand findings, and their words would cost more than the check. Findings about a
// polygon keep only its place and two numbers; the rarer ones keep their words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/finding.h"
#include "pof/global_data.h"

namespace check {

// A block of a subobject's BSP data, and the polygon entry a finding is about (-1 for none).
struct BlockPlace {
    std::int32_t subobject = 0;
    std::int32_t block_offset = 0;  // in the BSP data
    std::int32_t row = 0;           // in the subobject window's block list
    std::int32_t entry = -1;
    std::int32_t subobject_row = 0;  // in the subobject window's drop-down list
};

// The findings of one check in file order, each put in words when it is read.
class FindingList {
  public:
    std::size_t size() const { return kept_.size(); }
    bool empty() const { return kept_.empty(); }
    Finding operator[](std::size_t i) const;
    Code code(std::size_t i) const { return kept_[i].code; }
    // How many findings line i stands for: 1, or the count of a "more" line.
    int weight(std::size_t i) const { return kept_[i].more > 0 ? kept_[i].more : 1; }

    class const_iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Finding;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Finding;
        const_iterator(const FindingList& list, std::size_t i) : list_(&list), i_(i) {}
        Finding operator*() const { return (*list_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }

      private:
        const FindingList* list_;
        std::size_t i_;
    };
    const_iterator begin() const { return {*this, 0}; }
    const_iterator end() const { return {*this, size()}; }

  private:
    friend class Findings;
    // The chunk a finding is about; the file as a whole has an empty ID.
    struct ChunkTag {
        std::size_t bucket = 0;  // 0: the file; i + 1: chunk i
        std::string id;
        std::int64_t offset = 0;
        std::optional<pof::RecordEntry> entry;  // the viewer of its type
    };
    struct Words {
        std::string place, message;
        std::optional<pof::ItemRef> item;
    };
    struct Kept {
        Code code = Code::Read;
        std::uint32_t chunk = 0;  // index of its tag
        std::int32_t more = 0;    // above 0 on the line that counts the findings past the cap
        std::int32_t words = -1;  // index of its words, or -1 for a polygon finding
        BlockPlace block;
        std::int64_t a = 0, b = 0;  // the numbers a polygon finding names
    };
    std::string block_message(const Kept& k) const;

    std::vector<Kept> kept_;
    std::vector<Words> words_;
    std::vector<ChunkTag> chunks_;
};

class Findings {
  public:
    static constexpr int kPerCodeAndChunk = 100;

    explicit Findings(const std::vector<records::ChunkFact>& chunks);

    // Later findings are about chunk index (of the reader's chunk list).
    void at_chunk(std::size_t index) { move_to(index + 1); }
    // Later findings are about the file as a whole.
    void at_file() { move_to(0); }

    void add(Code code, std::string place, std::string message,
             std::optional<pof::ItemRef> item = {});
    // A finding about a polygon of a subobject's BSP data: no-defpoints, polygon-vertices,
    // texture-index, vertex-index or normal-index, with the numbers its words name (the
    // index or count first, then what it is measured against). It leads to the block's row,
    // then to the entry.
    void add(Code code, const BlockPlace& at, std::int64_t a = 0, std::int64_t b = 0);
    // Findings so far with this code in the current chunk, the capped ones included.
    int count(Code code) const;
    // Once the current chunk listed its 100 findings of code, counts one more and returns
    // true, so a loop with many faults need not word each one; false otherwise.
    bool count_if_past_cap(Code code) {
        CapCount& t = cap_count(code);
        if (t.found <= kPerCodeAndChunk) return false;
        ++t.found;
        return true;
    }

    // In file order: the file's own findings, then each chunk's.
    FindingList take();

  private:
    struct CapCount {
        int found = 0;
        std::size_t more_line = 0;  // index of the "more" line in the list
    };
    std::size_t key(Code code) const { return current_ * kCodeCount + static_cast<int>(code); }
    void move_to(std::size_t bucket);
    // The current chunk's count of code; made on first use. Loops that find the same fault
    // many times ask for it often, so the current chunk's counts are kept at hand.
    CapCount& cap_count(Code code) {
        CapCount*& t = at_hand_[static_cast<int>(code)];
        if (!t) {
            t = &cap_counts_[key(code)];
            any_at_hand_ = true;
        }
        return *t;
    }
    // Counts the finding; false when it is past the cap and only counted.
    bool listed(Code code);
    std::uint32_t current_tag();

    const std::vector<records::ChunkFact>& chunks_;
    FindingList list_;
    std::unordered_map<std::size_t, CapCount> cap_counts_;   // per chunk and code
    std::unordered_map<std::size_t, std::uint32_t> tag_of_;  // per chunk with findings
    std::array<CapCount*, kCodeCount> at_hand_{};
    bool any_at_hand_ = false;
    std::size_t current_ = 0;        // 0: the file; i + 1: chunk i
    std::int64_t current_tag_ = -1;  // its tag in the list, -1 before its first finding
};

}  // namespace check
