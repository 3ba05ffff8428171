#include "io/text.h"
#include "records/subobjects/subobject_table.h"
#include "records/versions.h"

namespace records {

namespace {

void read_placement(pof::PofFile& f, std::int32_t version, Subobject& s) {
    if (version < kSubobjectNewOrder) {
        s.parent = f.i32();
        s.offset = f.vec();
        s.radius = f.f32();
    } else {
        s.radius = f.f32();
        s.parent = f.i32();
        s.offset = f.vec();
    }
}

// A text or byte block whose length is zero or less keeps what an earlier chunk stored.
void read_sized(pof::PofFile& f, std::int32_t& length, std::string& bytes) {
    length = f.i32();
    if (length > 0) bytes = f.bytes(length);
}

void read_sized(pof::PofFile& f, std::int32_t& length, pof::ByteBlock& bytes) {
    length = f.i32();
    if (length > 0) bytes = f.block(length);
}

std::string why_unstored(const ReadState& state, const SubobjectTable& table, std::int32_t number) {
    const std::string chunk = "the " + pof::text8(state.chunk_id) + " chunk at byte " +
                              pof::integer_text(state.chunk_offset) + " holds subobject " +
                              pof::integer_text(number);
    if (!state.header_read) return chunk + " but comes before any header chunk";
    return chunk + ", outside the header's table of " + pof::integer_text(table.slot_count()) +
           " subobjects";
}

}  // namespace

void gSOBJ_data(pof::PofFile& f, std::int32_t chunk_size, ReadState& state, SubobjectTable& table) {
    const std::int32_t number = f.i32();
    if (!state.chunks.empty()) state.chunks.back().subobject = number;
    const bool storable = state.header_read && table.has_slot(number);
    Subobject unstored;
    Subobject& s = storable ? table.fill(number) : unstored;
    s.chunk_size = chunk_size;
    s.number = number;
    read_placement(f, state.file_version, s);
    s.geometric_center = f.vec();
    s.bbox_min = f.vec();
    s.bbox_max = f.vec();
    read_sized(f, s.name_length, s.name);
    read_sized(f, s.properties_length, s.properties);
    s.movement_type = f.i32();
    s.movement_axis = f.i32();
    if (has_translation(state.file_version)) {
        s.translation_type = f.i32();
        s.translation_axis = f.i32();
    }
    s.reserved = f.i32();
    s.bsp_data_at = f.offset() + 4;  // after its size
    read_sized(f, s.bsp_data_size, s.bsp_data);
    if (!storable) state.unstored_chunks.push_back(why_unstored(state, table, number));
}

}  // namespace records
