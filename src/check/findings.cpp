#include "check/findings.h"

#include <algorithm>

#include "io/text.h"
#include "pof/chunk_kinds.h"

namespace check {

using pof::integer_text;

Finding FindingList::operator[](std::size_t i) const {
    const Kept& k = kept_[i];
    const ChunkTag& chunk = chunks_[k.chunk];
    Finding f{k.severity, k.code, chunk.id, chunk.offset, {}, {}, {}, k.more};
    if (k.more > 0) {
        f.message = integer_text(k.more) + " more " + std::string(code_name(k.code)) +
                    " findings here are not listed";
    } else if (k.words >= 0) {
        const Words& w = words_[static_cast<std::size_t>(k.words)];
        f.place = w.place;
        f.message = w.message;
        f.item = w.item;
        // A read that stopped leads to no viewer: its chunk's row shows where.
        if (k.code == Code::Read) {
            if (k.at_byte >= 0) f.offset = k.at_byte;
            return f;
        }
    } else {
        const BlockPlace& at = k.block;
        f.place = "subObject " + integer_text(at.subobject) + std::string(kPlaceStep) +
                  "block at " + integer_text(at.block_offset);
        f.item =
            pof::ItemRef{pof::RecordEntry::SOBJ, {{1, at.subobject_row, false}, {2, at.row, true}}};
        if (at.subobject_row < 0) f.item->choices.clear();
        if (at.entry >= 0 && at.subobject_row >= 0) {
            f.place += std::string(kPlaceStep) + "entry " + integer_text(at.entry);
            f.item->choices.push_back({1, at.entry, false});
        }
        f.message = block_message(k);
    }
    if (k.at_byte >= 0 && k.more == 0) f.offset = k.at_byte;
    // Without rows of its own a finding still leads to its chunk's viewer.
    if (!f.item && chunk.entry) f.item = pof::ItemRef{*chunk.entry, {}};
    return f;
}

std::string FindingList::block_message(const Kept& k) const {
    switch (k.code) {
        case Code::NoDefpoints:
            return "this polygon indexes vertices, but no DEFPOINTS block comes before it in "
                   "the subobject";
        case Code::PolygonVertices:
            return "the polygon has " + integer_text(k.a) + " entries; it needs at least 3";
        case Code::TextureIndex:
            return "texture " + integer_text(k.a) + " is not one of the " + integer_text(k.b) +
                   " TXTR names";
        default:
            return {};
    }
}

Findings::Findings(const std::vector<records::ChunkFact>& chunks, FindingSink sink)
    : chunks_(chunks), sink_(std::move(sink)) {}

void Findings::move_to(std::size_t bucket) {
    if (bucket == current_) return;
    close_bucket();
    current_ = bucket;
    current_tag_ = -1;
    byte_ = -1;
}

void Findings::close_bucket() {
    auto& kept = list_.kept_;
    for (const Code code : counted_) {
        CapCount& count = cap_count(code);
        if (count.found > kPerCodeAndChunk)
            kept[count.more_line].more = count.found - kPerCodeAndChunk;
        count = {};
    }
    counted_.clear();
    if (!sink_) {
        bucket_start_ = kept.size();
        return;
    }
    if (bucket_start_ < kept.size()) sink_(list_, bucket_start_);
    kept.clear();
    list_.words_.clear();
    list_.chunks_.clear();
    bucket_start_ = 0;
}

std::uint32_t Findings::current_tag() {
    if (current_tag_ >= 0) return static_cast<std::uint32_t>(current_tag_);
    auto& tags = list_.chunks_;
    FindingList::ChunkTag tag{current_, {}, 0, {}};
    if (current_ > 0) {
        const records::ChunkFact& fact = chunks_[current_ - 1];
        tag.id = fact.id;
        tag.offset = fact.offset;
        if (const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind) tag.entry = type->entry;
    }
    current_tag_ = static_cast<std::int64_t>(tags.size());
    tags.push_back(std::move(tag));
    return static_cast<std::uint32_t>(current_tag_);
}

bool Findings::listed(Code code) {
    CapCount& t = cap_count(code);
    if (t.found++ == 0) counted_.push_back(code);
    if (t.found <= kPerCodeAndChunk) return true;
    if (t.found == kPerCodeAndChunk + 1) {
        // Stands in for every finding past the cap; its count is written at the end.
        t.more_line = list_.kept_.size();
        list_.kept_.push_back({code, current_tag(), 1, -1, {}, 0, 0, severity_of(code)});
    }
    return false;
}

void Findings::add(Code code, std::string place, std::string message,
                   std::optional<pof::ItemRef> item) {
    add(code, severity_of(code), std::move(place), std::move(message), std::move(item));
}

void Findings::add(Code code, Severity severity, std::string place, std::string message,
                   std::optional<pof::ItemRef> item) {
    if (!listed(code)) return;
    const auto words = static_cast<std::int32_t>(list_.words_.size());
    list_.words_.push_back({std::move(place), std::move(message), std::move(item)});
    list_.kept_.push_back({code, current_tag(), 0, words, {}, 0, 0, severity, byte_});
}

bool Findings::add_at(std::size_t place, Code code, std::string where, std::string message,
                      std::optional<pof::ItemRef> item) {
    auto& kept = list_.kept_;
    const std::size_t before = kept.size();
    add(code, std::move(where), std::move(message), std::move(item));
    if (kept.size() == before) return false;
    std::rotate(kept.begin() + static_cast<std::ptrdiff_t>(place), kept.end() - 1, kept.end());
    for (const Code counted : counted_) {
        CapCount& t = cap_count(counted);
        if (t.found > kPerCodeAndChunk && t.more_line >= place) ++t.more_line;
    }
    return true;
}

void Findings::add_at_byte(Code code, std::int64_t offset, std::string message) {
    if (!listed(code)) return;
    const auto words = static_cast<std::int32_t>(list_.words_.size());
    list_.words_.push_back({{}, std::move(message), {}});
    list_.kept_.push_back({code, current_tag(), 0, words, {}, 0, 0, severity_of(code), offset});
}

void Findings::add(Code code, const BlockPlace& at, std::int64_t a, std::int64_t b) {
    if (!listed(code)) return;
    list_.kept_.push_back({code, current_tag(), 0, -1, at, a, b, severity_of(code), byte_});
}

FindingList Findings::take() {
    close_bucket();
    return std::move(list_);
}

}  // namespace check
