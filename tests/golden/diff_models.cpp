#include "diff_models.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "ship_model.h"

namespace golden {

namespace {

std::int32_t i32_at(const std::string& b, std::size_t at) {
    std::int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
void put_i32(std::string& b, std::size_t at, std::int32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}
void put_f32(std::string& b, std::size_t at, float v) {
    std::memcpy(b.data() + at, &v, 4);
}

// The body offset of the nth chunk of that ID (after its 8-byte header).
std::size_t body_of(const std::string& b, std::string_view id, int nth = 0) {
    for (std::size_t at = 8; at + 8 <= b.size();
         at += 8 + static_cast<std::size_t>(i32_at(b, at + 4))) {
        if (b.compare(at, 4, id) == 0 && nth-- == 0) return at + 8;
    }
    throw std::logic_error("the sample has no such chunk");
}

// Replaces the first text old inside the chunk body at body with text new of the same length.
void replace_in(std::string& b, std::size_t body, std::string_view was, std::string_view now) {
    const std::size_t at = b.find(was, body);
    if (at == std::string::npos || at > body + static_cast<std::size_t>(i32_at(b, body - 4)))
        throw std::logic_error("the chunk holds no such text");
    b.replace(at, now.size(), now);
}

std::string sample() {
    return testing_pof::ship_model();
}

// The first gun point of slot 0 half a unit higher.
std::string moved_gun() {
    std::string b = sample();
    const std::size_t point = body_of(b, "GPNT") + 8;
    float y;
    std::memcpy(&y, b.data() + point + 4, 4);
    put_f32(b, point + 4, y + 0.5f);
    return b;
}

std::string renamed_subobject() {
    std::string b = sample();
    replace_in(b, body_of(b, "OBJ2", 1), "turret01", "cannon01");
    return b;
}

// The last path dropped: the count says one, the chunk ends after the first path.
std::string removed_path() {
    std::string b = sample();
    const std::size_t body = body_of(b, "PATH");
    std::size_t at = body + 4;
    for (int text = 0; text < 2; ++text) at += 4 + static_cast<std::size_t>(i32_at(b, at));
    const std::int32_t vertices = i32_at(b, at);
    at += 4;
    for (int v = 0; v < vertices; ++v)
        at += 16 + 4 + 4 * static_cast<std::size_t>(i32_at(b, at + 16));
    const std::size_t end = body + static_cast<std::size_t>(i32_at(b, body - 4));
    b.erase(at, end - at);
    put_i32(b, body, 1);
    put_i32(b, body - 4, static_cast<std::int32_t>(at - body));
    return b;
}

// The turret (subobject 1) a unit and a half to the side: its offset from its parent.
std::string moved_turret() {
    std::string b = sample();
    const std::size_t x = body_of(b, "OBJ2", 1) + 12;
    float was;
    std::memcpy(&was, b.data() + x, 4);
    put_f32(b, x, was + 1.5f);
    return b;
}

std::string swapped_texture() {
    std::string b = sample();
    replace_in(b, body_of(b, "TXTR"), "caps", "lids");
    return b;
}

// Subobjects 3 (detail level 1) and 4 (the debris) trade numbers, and the header's lists
// follow them: nothing but the two numbers differs.
std::string renumbered_subobjects() {
    std::string b = sample();
    put_i32(b, body_of(b, "OBJ2", 3), 4);
    put_i32(b, body_of(b, "OBJ2", 4), 3);
    const std::size_t header = body_of(b, "HDR2");
    const std::int32_t lists[] = {2, 0, 3, 1, 4};
    const std::size_t at =
        b.find(std::string_view(reinterpret_cast<const char*>(lists), 20), header);
    if (at == std::string::npos) throw std::logic_error("the header lists other subobjects");
    put_i32(b, at + 8, 4);
    put_i32(b, at + 16, 3);
    return b;
}

// Cut inside the last chunk.
std::string damaged_second() {
    std::string b = sample();
    b.resize(b.size() - 30);
    return b;
}

}  // namespace

std::vector<Model> diff_pairs() {
    return {
        {"diff-moved-gun",
         moved_gun(),
         {"--diff @sample", "--diff --json @sample", "--diff --tolerance 0.5 @sample",
          "--diff --tolerance 0.4 @sample"}},
        {"diff-renamed-subobject", renamed_subobject(), {"--diff @sample"}},
        {"diff-removed-path", removed_path(), {"--diff @sample"}},
        {"diff-moved-turret",
         moved_turret(),
         {"--diff @sample", "--compare @sample --view MODEL --open 2:18"}},
        {"diff-swapped-texture", swapped_texture(), {"--diff @sample"}},
        {"diff-renumbered-subobject", renumbered_subobjects(), {"--diff @sample"}},
        {"diff-damaged", damaged_second(), {"--diff @sample", "--diff --json @sample"}},
        {"diff-same",
         sample(),
         {"--diff @sample", "--diff --json @sample", "--diff @archive", "--diff @sample @sample"}}};
}

}  // namespace golden
