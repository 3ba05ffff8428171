// The chunk list itself: sizes the parsers did not keep to, chunk IDs pofscope does not read,
// records written twice, and subobject chunks that found no slot.

#include <memory>
#include <unordered_map>

#include "check/check_context.h"
#include "io/text.h"
#include "pof/chunk_kinds.h"

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
    : c_(c), subobjects_(std::make_unique<SubobjectChunks>(c)) {}

ChunkListCheck::~ChunkListCheck() = default;

void ChunkListCheck::file() {
    for (const records::ChunkFact& fact : c_.store.chunks) {
        const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
        if (type && type->entry == pof::RecordEntry::OHDR) return;
    }
    c_.out.add(Code::NoHeader, "", "the file has no OHDR or HDR2 chunk");
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
    if (type->entry == pof::RecordEntry::OHDR) subobjects_->header_met();
    if (pof::is_subobject_chunk(fact.id)) return subobjects_->check(fact);
    const auto [it, fresh] = first_of_.emplace(static_cast<int>(type->entry), fact.offset);
    if (!fresh) {
        c_.out.add(Code::DuplicateChunk, "",
                   "a chunk of this type " + at_byte(it->second) +
                       " was read already; this one replaced its record",
                   pof::ItemRef{type->entry, {}});
    }
}

}  // namespace check
