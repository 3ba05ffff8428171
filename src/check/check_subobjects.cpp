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
}

// Follows every parent chain once; a chain that comes back to a subobject of its own walk
// loops. Each loop is told once, at the subobject where the walk closed it.
void check_parent_loops(CheckContext& c,
                        const std::vector<std::pair<std::int32_t, std::size_t>>& filled) {
    enum State : char { OnWalk = 1, Done = 2 };
    std::unordered_map<std::int32_t, char> state;
    std::unordered_map<std::int32_t, std::size_t> chunk_of(filled.begin(), filled.end());
    std::vector<std::int32_t> walk;
    for (const auto& [start, chunk] : filled) {
        walk.clear();
        std::int32_t n = start;
        while (chunk_of.count(n) && !state.count(n)) {
            state[n] = OnWalk;
            walk.push_back(n);
            n = c.store.subobjects.at(n).parent;
        }
        if (chunk_of.count(n) && state[n] == OnWalk) {
            std::string chain;
            const auto from = std::find(walk.begin(), walk.end(), n);
            for (auto it = from; it != walk.end(); ++it) chain += integer_text(*it) + " -> ";
            c.out.at_chunk(chunk_of[n]);
            c.out.add(Code::Parent, numbered("subObject", n),
                      "its parent chain loops: " + chain + integer_text(n), c.subobject_item(n));
        }
        for (const std::int32_t m : walk) state[m] = Done;
    }
}

}  // namespace

void check_subobjects(CheckContext& c) {
    // In file order of the chunks that filled them.
    std::vector<std::pair<std::int32_t, std::size_t>> filled(c.subobject_chunks.begin(),
                                                             c.subobject_chunks.end());
    std::sort(filled.begin(), filled.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [number, chunk] : filled) {
        c.out.at_chunk(chunk);
        const records::Subobject& s = c.store.subobjects.at(number);
        check_fields(c, s);
        check_bsp(c, s);
    }
    check_parent_loops(c, filled);
}

}  // namespace check
