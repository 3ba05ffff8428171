#pragma once
// Collects findings chunk by chunk, the file's own first, then each chunk's in file order (a
// read that stopped past the last chunk comes back to the file at the end), and
// caps each code at 100 findings per chunk with one line that counts the rest. The check
// visits the chunks in file order, so each chunk's findings are final when it moves on: they
// are handed on then, and a streaming check keeps none of them.
//
// A finding is kept as numbers until it is read: the polygons of a large model can give a
// hundred thousand findings, and their words would cost more than the check. Findings about a
// polygon keep only its place and two numbers; the rarer ones keep their words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
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
    Severity severity(std::size_t i) const { return kept_[i].severity; }
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
        Severity severity = Severity::Error;
        std::int64_t at_byte = -1;  // the byte it is about, when not its chunk's header
    };
    std::string block_message(const Kept& k) const;

    std::vector<Kept> kept_;
    std::vector<Words> words_;
    std::vector<ChunkTag> chunks_;
};

// Receives the findings of one chunk (or of the file) once its checks are done: the entries of
// list from first on.
using FindingSink = std::function<void(const FindingList& list, std::size_t first)>;

class Findings {
  public:
    static constexpr int kPerCodeAndChunk = 100;

    // Without a sink every finding is kept, for take(); with one, each chunk's findings are
    // handed to it and dropped.
    explicit Findings(const std::vector<records::ChunkFact>& chunks, FindingSink sink = {});

    // Later findings are about chunk index (of the reader's chunk list). Chunks are visited in
    // file order, after the file.
    void at_chunk(std::size_t index) { move_to(index + 1); }
    // Later findings are about the file again, past its last chunk.
    void at_file_end() { move_to(0); }
    // Later findings of this chunk are about the thing at byte offset of the file (a block of
    // its BSP data), and list that offset, until the next call or the next chunk; -1 goes
    // back to the chunk's header.
    void about_byte(std::int64_t offset) { byte_ = offset; }

    void add(Code code, std::string place, std::string message,
             std::optional<pof::ItemRef> item = {});
    // A finding of a code of two severities (dock-point-count) with the one this fault has.
    void add(Code code, Severity severity, std::string place, std::string message,
             std::optional<pof::ItemRef> item = {});
    // A finding about one byte of the file rather than its chunk's header (where a read
    // stopped): it lists at that offset and leads to no viewer.
    void add_at_byte(Code code, std::int64_t offset, std::string message);
    // A finding about a polygon of a subobject's BSP data: no-defpoints, polygon-vertices or
    // texture-index, with the numbers its words name (the index or count first, then what it
    // is measured against). It leads to the block's row, then to the entry.
    void add(Code code, const BlockPlace& at, std::int64_t a = 0, std::int64_t b = 0);
    // Where the current chunk's next finding would be listed; add_at() lists one there later,
    // so a finding whose count is known only further on keeps its place in file order.
    std::size_t next_place() const { return list_.kept_.size(); }
    // add() with the finding listed at place rather than last; true when it was listed.
    bool add_at(std::size_t place, Code code, std::string where, std::string message,
                std::optional<pof::ItemRef> item);
    // Once the current chunk listed its 100 findings of code, counts one more and returns
    // true, so a loop with many faults need not word each one; false otherwise.
    bool count_if_past_cap(Code code) {
        CapCount& t = cap_count(code);
        if (t.found <= kPerCodeAndChunk) return false;
        ++t.found;
        return true;
    }

    // Hands on the last chunk's findings; returns what was kept, in file order.
    FindingList take();

  private:
    struct CapCount {
        int found = 0;
        std::size_t more_line = 0;  // index of the "more" line in the list
    };
    void move_to(std::size_t bucket);
    // The current chunk's findings are final: their "more" lines get their counts and they
    // go to the sink.
    void close_bucket();
    CapCount& cap_count(Code code) { return cap_counts_[static_cast<std::size_t>(code)]; }
    // Counts the finding; false when it is past the cap and only counted.
    bool listed(Code code);
    std::uint32_t current_tag();

    const std::vector<records::ChunkFact>& chunks_;
    FindingSink sink_;
    FindingList list_;
    std::size_t bucket_start_ = 0;                   // the current chunk's first finding
    std::array<CapCount, kCodeCount> cap_counts_{};  // per code, of the current chunk
    std::vector<Code> counted_;      // the codes the current chunk found, to reset on the next
    std::size_t current_ = 0;        // 0: the file; i + 1: chunk i
    std::int64_t current_tag_ = -1;  // its tag in the list, -1 before its first finding
    std::int64_t byte_ = -1;         // what about_byte() set, -1 for the chunk's header
};

}  // namespace check
