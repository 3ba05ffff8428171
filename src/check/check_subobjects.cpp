// The subobject chunks: parents, placement values and boxes, then each one's BSP data.

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "check/bsp_check.h"
#include "check/check_context.h"
#include "io/text.h"

namespace check {

namespace {

using pof::integer_text;

// "its name is 32 bytes long: the game's buffer holds 31".
void check_text_length(CheckContext& c, const std::string& at, const char* what,
                       const std::string& text, std::size_t limit, const pof::ItemRef& item) {
    if (text.size() <= limit) return;
    c.out.add(Code::NameLength, at,
              std::string("its ") + what + " " +
                  integer_text(static_cast<std::int64_t>(text.size())) +
                  " bytes long: the game's buffer holds " +
                  integer_text(static_cast<std::int64_t>(limit)),
              item);
}

// What the game refuses or warns of in a subobject's own fields.
void check_game_limits(CheckContext& c, const records::Subobject& s, const std::string& at,
                       const pof::ItemRef& item) {
    if (s.reserved > 0) {
        c.out.add(Code::Reserved, at,
                  "its reserved field " + integer_text(s.reserved) +
                      " is above 0, which stops the game with an error",
                  item);
    }
    check_text_length(c, at, "name is", s.name, kGameNameBytes, item);
    check_text_length(c, at, "properties are", s.properties, kGamePropertiesBytes, item);
    check_game_radius(c, at, "radius", s.radius, item);
}

void check_fields(CheckContext& c, const records::Subobject& s) {
    const std::string at = numbered("subObject", s.number);
    const auto item = c.subobject_item(s.number);
    if (s.parent != -1 && !c.is_subobject(s.parent)) {
        c.out.add(Code::Parent, at,
                  "its parent " + integer_text(s.parent) + " is neither -1 nor a subobject number",
                  item);
    }
    finite_or_report(c, at, "offset from parent", s.offset, item);
    finite_or_report(c, at, "radius", s.radius, item);
    finite_or_report(c, at, "geometric center", s.geometric_center, item);
    check_box(c, at, s.bbox_min, s.bbox_max, item);
    check_count(c, at, "name length", s.name_length, item);
    check_count(c, at, "properties length", s.properties_length, item);
    check_count(c, at, "BSP data size", s.bsp_data_size, item);
    check_game_limits(c, s, at, item);
}

}  // namespace

// Follows every parent chain once; a chain that comes back to a subobject of its own walk
// loops. Each loop is told once, at the subobject where the walk closed it. The chains are
// followed in the file order of the chunks that filled them.
std::unordered_map<std::int32_t, ParentLoop> find_parent_loops(const CheckContext& c) {
    std::vector<std::pair<std::size_t, std::int32_t>> filled;  // (chunk, number)
    for (const auto& [number, chunk] : c.subobject_chunks) filled.emplace_back(chunk, number);
    std::sort(filled.begin(), filled.end());
    enum State : char { OnWalk = 1, Done = 2 };
    std::unordered_map<std::int32_t, char> state;
    std::unordered_map<std::int32_t, ParentLoop> loops;
    std::vector<std::int32_t> walk;
    for (const auto& [chunk, start] : filled) {
        walk.clear();
        std::int32_t n = start;
        while (c.subobject_chunks.count(n) && !state.count(n)) {
            state[n] = OnWalk;
            walk.push_back(n);
            n = c.store.subobjects.at(n).parent;
        }
        if (c.subobject_chunks.count(n) && state[n] == OnWalk) {
            std::string chain;
            const auto from = std::find(walk.begin(), walk.end(), n);
            for (auto it = from; it != walk.end(); ++it) chain += integer_text(*it) + " -> ";
            loops[n] = {n, chain + integer_text(n)};
        }
        for (const std::int32_t m : walk) state[m] = Done;
    }
    return loops;
}

void check_subobject(CheckContext& c, std::int32_t number, const ParentLoop* loop) {
    const records::Subobject& s = c.store.subobjects.at(number);
    check_fields(c, s);
    check_bsp(c, s);
    if (loop) {
        c.out.add(Code::Parent, numbered("subObject", number),
                  "its parent chain loops: " + loop->chain, c.subobject_item(number));
    }
}

}  // namespace check
