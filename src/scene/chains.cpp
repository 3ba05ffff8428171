#include "scene/chains.h"

#include <algorithm>

#include "io/text.h"

namespace scene {

namespace {

constexpr std::size_t kMostNotes = 100;
enum State { kNew = 0, kClimbing = 1, kLinked = 2 };

std::string subobject_text(std::int32_t n) {
    return "subObject " + pof::integer_text(n);
}

}  // namespace

Chains::Chains(const records::SubobjectTable& table)
    : table_(table), numbers_(table.filled_from(0)) {
    std::unordered_map<std::int32_t, int> state;
    for (const std::int32_t n : numbers_) link(n, state);
    if (notes_dropped_ > 0) {
        notes_.push_back(pof::integer_text(static_cast<std::int64_t>(notes_dropped_)) +
                         " more broken parent chains");
    }
}

bool Chains::filled(std::int32_t number) const {
    return std::binary_search(numbers_.begin(), numbers_.end(), number);
}

void Chains::note(std::string sentence) {
    if (notes_.size() < kMostNotes) {
        notes_.push_back(std::move(sentence));
    } else {
        ++notes_dropped_;
    }
}

// Follows the parents from number until the chain ends, breaks, or meets a subobject linked
// before; a parent met again on the way closes a loop, and the chain ends before it.
void Chains::link(std::int32_t number, std::unordered_map<std::int32_t, int>& state) {
    std::vector<std::int32_t> climbed;
    std::int32_t at = number;
    while (state[at] == kNew) {
        state[at] = kClimbing;
        climbed.push_back(at);
        const std::int32_t parent = table_.at(at).parent;
        up_[at] = kEnd;
        if (parent == kEnd) break;
        const std::string who = subobject_text(at) + ": parent " + pof::integer_text(parent);
        if (!table_.has_slot(parent)) {
            note(who + " is outside the subobject table");
            break;
        }
        if (!filled(parent)) {
            note(who + " has no subobject chunk");
            break;
        }
        if (state[parent] == kClimbing) {
            note(who + " closes a loop of parents");
            break;
        }
        up_[at] = parent;
        at = parent;
    }
    for (const std::int32_t n : climbed) state[n] = kLinked;
}

template <class Memo>
std::vector<std::int32_t> Chains::unknown_chain(std::int32_t number, const Memo& memo) const {
    std::vector<std::int32_t> chain;
    for (std::int32_t at = number; at != kEnd && !memo.contains(at);) {
        chain.push_back(at);
        const auto up = up_.find(at);
        at = up == up_.end() ? kEnd : up->second;
    }
    return chain;
}

pof::Vec3 Chains::placement(std::int32_t number) {
    const auto chain = unknown_chain(number, placements_);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const auto up = up_.find(*it);
        pof::Vec3 above;
        if (up != up_.end() && up->second != kEnd) above = placements_.at(up->second);
        placements_[*it] = table_.at(*it).offset + above;
    }
    const auto known = placements_.find(number);
    return known == placements_.end() ? table_.at(number).offset : known->second;
}

bool Chains::leads_to(std::int32_t number, std::int32_t top) {
    if (top != leads_top_) {
        leads_.clear();
        leads_top_ = top;
    }
    const auto chain = unknown_chain(number, leads_);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const auto up = up_.find(*it);
        const bool above = up != up_.end() && up->second != kEnd && leads_.at(up->second);
        leads_[*it] = *it == top || above;
    }
    const auto known = leads_.find(number);
    return known != leads_.end() && known->second;
}

}  // namespace scene
