#pragma once
// Parent chains of the subobject table: where each subobject sits (its offset plus those of
// its parents up to parent -1) and which subobjects a detail level draws. A chain breaks at a
// parent outside the table or without its chunk, and where it would loop; each break is noted
// once and the chain ends there. Every question costs time linear in the table.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "io/vec.h"
#include "records/subobjects/subobject_table.h"

namespace scene {

class Chains {
  public:
    explicit Chains(const records::SubobjectTable& table);

    // The filled subobject numbers, ascending.
    const std::vector<std::int32_t>& numbers() const { return numbers_; }
    pof::Vec3 placement(std::int32_t number);
    // Whether number's chain passes through top (number itself included).
    bool leads_to(std::int32_t number, std::int32_t top);
    const std::vector<std::string>& notes() const { return notes_; }

  private:
    static constexpr std::int32_t kEnd = -1;
    bool filled(std::int32_t number) const;
    void link(std::int32_t number, std::unordered_map<std::int32_t, int>& state);
    void note(std::string sentence);
    // number and its parents up to the first one memo knows, or the chain's end.
    template <class Memo>
    std::vector<std::int32_t> unknown_chain(std::int32_t number, const Memo& memo) const;

    const records::SubobjectTable& table_;
    std::vector<std::int32_t> numbers_;
    std::unordered_map<std::int32_t, std::int32_t> up_;  // the parent the chain goes on to
    std::unordered_map<std::int32_t, pof::Vec3> placements_;
    std::int32_t leads_top_ = kEnd;
    std::unordered_map<std::int32_t, bool> leads_;
    std::vector<std::string> notes_;
    std::size_t notes_dropped_ = 0;
};

}  // namespace scene
