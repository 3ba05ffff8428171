// The chunk list itself: sizes the parsers did not keep to, chunk IDs pofscope does not read,
// records written twice, and subobject chunks that found no slot.

#include <unordered_map>
#include <unordered_set>

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

}  // namespace

void check_chunk_facts(CheckContext& c) {
    std::unordered_map<int, std::int64_t> first_of;  // per record entry
    SubobjectChunks subobjects(c);
    bool header = false;
    for (std::size_t i = 0; i < c.store.chunks.size(); ++i) {
        const records::ChunkFact& fact = c.store.chunks[i];
        c.out.at_chunk(i);
        const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
        if (!type) {
            c.out.add(Code::UnknownChunk, "",
                      "pofscope does not read \"" + pof::text8(fact.id) + "\" chunks; its " +
                          integer_text(fact.declared_size) + " bytes were skipped");
            continue;
        }
        check_size(c, fact);
        if (type->entry == pof::RecordEntry::OHDR) {
            header = true;
            subobjects.header_met();
        }
        if (pof::is_subobject_chunk(fact.id)) {
            subobjects.check(fact);
            continue;
        }
        const auto [it, fresh] = first_of.emplace(static_cast<int>(type->entry), fact.offset);
        if (!fresh) {
            c.out.add(Code::DuplicateChunk, "",
                      "a chunk of this type " + at_byte(it->second) +
                          " was read already; this one replaced its record",
                      pof::ItemRef{type->entry, {}});
        }
    }
    if (!header) {
        c.out.at_file();
        c.out.add(Code::NoHeader, "", "the file has no OHDR or HDR2 chunk");
    }
}

}  // namespace check
