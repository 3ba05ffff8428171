#include "pof/chunk_kinds.h"

#include <algorithm>

namespace pof {

namespace {

// The four bytes of an ID as one number: a model of 100,000 small chunks looks each ID up
// with a few integer compares.
constexpr std::uint32_t id_key(std::string_view id) {
    std::uint32_t key = 0;
    for (const char c : id) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

struct KeyedId {
    std::uint32_t key;
    const ChunkKind* kind;
    const ChunkId* id;
};

constexpr std::size_t kIdCount = [] {
    std::size_t n = 0;
    for (const ChunkKind& k : chunk_kinds()) {
        for (const ChunkId& id : k.ids) n += id.id.empty() ? 0 : 1;
    }
    return n;
}();

constexpr auto kKeys = [] {
    std::array<KeyedId, kIdCount> keys{};
    std::size_t n = 0;
    for (const ChunkKind& k : chunk_kinds()) {
        for (const ChunkId& id : k.ids) {
            if (!id.id.empty()) keys[n++] = {id_key(id.id), &k, &id};
        }
    }
    return keys;
}();

}  // namespace

ChunkIdMatch find_chunk_id(std::string_view id) {
    if (id.size() != 4) return {};
    const std::uint32_t key = id_key(id);
    for (const KeyedId& k : kKeys) {
        if (k.key == key) return {k.kind, k.id};
    }
    return {};
}

bool is_subobject_chunk(std::string_view id) {
    const ChunkIdMatch match = find_chunk_id(id);
    return match.kind && match.kind->entry == RecordEntry::SOBJ;
}

}  // namespace pof
