#pragma once
// The subobject table: one slot per subobject the header announces. Slots take memory only
// once a subobject chunk fills them, so a header that announces a billion subobjects costs
// nothing until chunks for them arrive.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "io/byte_block.h"
#include "io/pof_file.h"
#include "io/vec.h"
#include "records/read_state.h"

namespace records {

struct Subobject {
    std::int32_t number = 0;
    std::int32_t parent = 0;
    pof::Vec3 offset;
    float radius = 0;
    pof::Vec3 geometric_center, bbox_min, bbox_max;
    std::int32_t name_length = 0;
    std::string name;
    std::int32_t properties_length = 0;
    std::string properties;
    std::int32_t movement_type = 0, movement_axis = 0;
    std::int32_t translation_type = 0, translation_axis = 0;  // in the versions that have them
    std::int32_t reserved = 0;
    std::int32_t bsp_data_size = 0;
    pof::ByteBlock bsp_data;
    std::int64_t bsp_data_at = 0;  // the byte of the file where the BSP data starts
    std::int32_t chunk_size = 0;   // the declared size of the chunk that filled the slot
};

class SubobjectTable {
  public:
    // Slots 0 .. count - 1, all empty; a count of 0 or less leaves no slot.
    void create(std::int32_t count) {
        slots_ = count > 0 ? count : 0;
        filled_.clear();
    }
    std::int32_t slot_count() const { return slots_; }
    bool has_slot(std::int32_t number) const { return number >= 0 && number < slots_; }
    // An empty entry for a slot no chunk filled (or outside the table).
    const Subobject& at(std::int32_t number) const {
        static const Subobject empty;
        const auto it = filled_.find(number);
        return it == filled_.end() ? empty : it->second;
    }
    // The slot to fill; only for has_slot(number).
    Subobject& fill(std::int32_t number) { return filled_[number]; }
    std::size_t filled_count() const { return filled_.size(); }
    // Numbers of the filled slots from first on, in order.
    std::vector<std::int32_t> filled_from(std::int32_t first) const {
        std::vector<std::int32_t> out;
        for (auto it = filled_.lower_bound(first); it != filled_.end(); ++it) {
            out.push_back(it->first);
        }
        return out;
    }

  private:
    std::int32_t slots_ = 0;
    std::map<std::int32_t, Subobject> filled_;
};

// The subobject chunk parser, for "SOBJ" and "OBJ2" alike.
// Fills the slot named by the subobject number the chunk carries. The field order follows the
// file version, never the chunk ID. A number outside the header's table, or a chunk before any
// header of this file, is read to its end all the same, stored nowhere, and noted in
// state.unstored_chunks.
void gSOBJ_data(pof::PofFile& file, std::int32_t chunk_size, ReadState& state,
                SubobjectTable& table);

}  // namespace records
