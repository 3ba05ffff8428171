// The chunk list itself: sizes the parsers did not keep to, chunk IDs pofscope does not read,
// records written twice, and subobject chunks that found no slot.

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "check/check_context.h"
#include "io/text.h"
#include "pof/chunk_kinds.h"
#include "records/versions.h"

namespace check {

namespace {

using pof::integer_text;

std::string at_byte(std::int64_t offset) {
    return "at byte " + integer_text(offset);
}

void check_size(CheckContext& c, const records::ChunkFact& fact) {
    if (!fact.complete || fact.bytes_read == fact.declared_size) return;
    c.out.add(Code::ChunkSize, "",
              "its fields take " + integer_text(fact.bytes_read) + " bytes but it declares " +
                  integer_text(fact.declared_size) + ", so the next chunk header was read " +
                  at_byte(fact.offset + 8 + fact.bytes_read) + ", not " +
                  at_byte(fact.offset + 8 + fact.declared_size));
}

}  // namespace

class SubobjectChunks {
  public:
    explicit SubobjectChunks(CheckContext& c) : c_(c) {}
    void header_met() {
        header_ = true;
        filled_.clear();
    }
    void check(const records::ChunkFact& fact) {
        if (!fact.subobject) return;
        const std::int32_t n = *fact.subobject;
        const pof::ItemRef item{pof::RecordEntry::SOBJ, {}};
        if (!header_) {
            c_.out.add(Code::NoHeader, numbered("subObject", n),
                       "this subobject chunk comes before any header chunk and was not stored",
                       item);
        } else if (!c_.is_subobject(n)) {
            c_.out.add(Code::SubobjectUnstored, numbered("subObject", n),
                       "subobject " + integer_text(n) + " lies outside the header's table of " +
                           integer_text(c_.store.subobjects.slot_count()) + " and was not stored",
                       item);
        } else if (const auto [it, fresh] = filled_.emplace(n, fact.offset); !fresh) {
            c_.out.add(Code::SubobjectDuplicate, numbered("subObject", n),
                       "the subobject chunk " + at_byte(it->second) +
                           " filled this number already; this one overwrote it",
                       c_.subobject_item(n));
            it->second = fact.offset;
        }
    }

  private:
    CheckContext& c_;
    bool header_ = false;
    std::unordered_map<std::int32_t, std::int64_t> filled_;
};

ChunkListCheck::ChunkListCheck(CheckContext& c)
    : c_(c), subobjects_(std::make_unique<SubobjectChunks>(c)) {
    // The chunks that first fill a slot of the header's table: a later one of the same number
    // and one outside the table are other faults.
    bool header = false;
    std::unordered_set<std::int32_t> filled;
    for (std::size_t i = 0; i < c.store.chunks.size(); ++i) {
        const records::ChunkFact& fact = c.store.chunks[i];
        const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
        if (type && type->entry == pof::RecordEntry::OHDR) header = true;
        if (header && fact.subobject && c.is_subobject(*fact.subobject) &&
            filled.insert(*fact.subobject).second) {
            subobject_chunks_.push_back(i);
        }
    }
}

// The game looks subobjects up as it reads the chunks: a header after other chunks, or a
// TGUN, TMIS or PATH chunk before a subobject chunk, finds them missing. A subobject chunk
// before the header is no-header's.
void ChunkListCheck::chunk_order(std::size_t i, pof::RecordEntry entry) {
    const bool names_subobjects = entry == pof::RecordEntry::TGUN ||
                                  entry == pof::RecordEntry::TMIS ||
                                  entry == pof::RecordEntry::PATH;
    if (entry == pof::RecordEntry::OHDR && !header_seen_) {
        header_seen_ = true;
        if (i == 0 || subobject_seen_) return;
        const auto before = static_cast<std::int64_t>(i);
        c_.out.add(Code::ChunkOrder, "",
                   integer_text(before) + (before == 1 ? " chunk comes" : " chunks come") +
                       " before the header, which the game reads first: it looks subobjects "
                       "up as it reads the chunks, with warnings or points that match nothing");
    } else if (names_subobjects) {
        const auto next = std::upper_bound(subobject_chunks_.begin(), subobject_chunks_.end(), i);
        if (next == subobject_chunks_.end()) return;
        c_.out.add(Code::ChunkOrder, "",
                   "it comes before the subobject chunk " + at_byte(c_.store.chunks[*next].offset) +
                       ": the game looks its subobjects up as it reads it, with warnings or "
                       "points that match nothing",
                   pof::ItemRef{entry, {}});
    }
}

ChunkListCheck::~ChunkListCheck() = default;

void ChunkListCheck::file() {
    version();
    if (c_.read_stopped()) return;  // a header may lie past the stop
    for (const records::ChunkFact& fact : c_.store.chunks) {
        const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
        if (type && type->entry == pof::RecordEntry::OHDR) return;
    }
    c_.out.add(Code::NoHeader, "", "the file has no OHDR or HDR2 chunk");
}

// The file version against those the game reads. A read that stopped at the version has none.
void ChunkListCheck::version() {
    const pof::ModelStore& store = c_.store;
    if (!store.read_failure.empty() && store.read_failure_offset <= 4) return;
    const std::int32_t v = store.file_version;
    switch (records::version_support(v)) {
        case records::VersionSupport::Read:
            return;
        case records::VersionSupport::Refused:
            return c_.out.add(Code::Version, Severity::Error, "",
                              "version " + integer_text(v) +
                                  " is outside the versions the game reads, 1900 to 3099: it "
                                  "refuses the file");
        case records::VersionSupport::ReadByOlderRules:
            return c_.out.add(Code::Version, Severity::Warning, "",
                              "version " + integer_text(v) +
                                  " is newer than the game knows: it reads the file by the "
                                  "rules of version " +
                                  integer_text(records::rules_version(v)) + ", with a warning");
    }
}

void ChunkListCheck::chunk(std::size_t i) {
    const records::ChunkFact& fact = c_.store.chunks[i];
    const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
    if (!type) {
        // A skip that passed the end is the read finding's fault alone.
        if (!fact.complete) return;
        c_.out.add(Code::UnknownChunk, "",
                   "pofscope does not read \"" + pof::text8(fact.id) + "\" chunks; its " +
                       integer_text(fact.declared_size) + " bytes were skipped");
        return;
    }
    check_size(c_, fact);
    chunk_order(i, type->entry);
    if (type->entry == pof::RecordEntry::OHDR) subobjects_->header_met();
    if (pof::is_subobject_chunk(fact.id)) {
        subobject_seen_ = true;
        return subobjects_->check(fact);
    }
    const auto [it, fresh] = first_of_.emplace(static_cast<int>(type->entry), fact.offset);
    if (!fresh) {
        c_.out.add(Code::DuplicateChunk, "",
                   "a chunk of this type " + at_byte(it->second) +
                       " was read already; this one replaced its record",
                   pof::ItemRef{type->entry, {}});
    }
}

}  // namespace check
