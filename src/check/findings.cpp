#include "check/findings.h"

#include "io/text.h"
#include "pof/chunk_kinds.h"

namespace check {

namespace {}  // namespace

Findings::Findings(const std::vector<records::ChunkFact>& chunks)
    : chunks_(chunks), buckets_(chunks.size() + 1) {}

void Findings::add(Code code, std::string place, std::string message,
                   std::optional<pof::ItemRef> item) {
    Tally& tally = tallies_[key(code)];
    auto& bucket = buckets_[current_];
    ++tally.found;
    if (tally.found == kPerCodeAndChunk + 1) {
        // Stands in for every finding past the cap; its count is written at the end.
        tally.more_line = bucket.size();
        message.clear();
        item.reset();
        place.clear();
    } else if (tally.found > kPerCodeAndChunk) {
        return;
    }
    Finding f{severity_of(code),  code,           {}, 0, std::move(place),
              std::move(message), std::move(item)};
    if (current_ > 0) {
        f.chunk = chunks_[current_ - 1].id;
        f.offset = chunks_[current_ - 1].offset;
        // Without rows of its own a finding still leads to its chunk's viewer.
        const pof::ChunkKind* type = pof::find_chunk_id(f.chunk).kind;
        if (!f.item && type) f.item = pof::ItemRef{type->entry, {}};
    }
    bucket.push_back(std::move(f));
}

bool Findings::counted_only(Code code) {
    const auto it = tallies_.find(key(code));
    if (it == tallies_.end() || it->second.found <= kPerCodeAndChunk) return false;
    ++it->second.found;
    return true;
}

int Findings::count(Code code) const {
    const auto it = tallies_.find(key(code));
    return it == tallies_.end() ? 0 : it->second.found;
}

std::vector<Finding> Findings::take() {
    for (const auto& [k, tally] : tallies_) {
        if (tally.found <= kPerCodeAndChunk) continue;
        Finding& more = buckets_[k / kCodeCount][tally.more_line];
        more.more = tally.found - kPerCodeAndChunk;
        more.message = pof::integer_text(tally.found - kPerCodeAndChunk) + " more " +
                       std::string(code_name(more.code)) + " findings here are not listed";
    }
    std::vector<Finding> all;
    for (auto& bucket : buckets_) {
        for (auto& f : bucket) all.push_back(std::move(f));
    }
    buckets_.assign(chunks_.size() + 1, {});
    tallies_.clear();
    return all;
}

}  // namespace check
