#pragma once
// Records of the weapon, special point, eye point and shield chunks: GPNT/MPNT, TGUN/TMIS,
// SPCL, EYE and SHLD.
//
// Which items a record holds is asked of the record (slot_rows(), point_rows(s), ...): the
// rows its window lists, and what the Model View draws and the model check reads.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/pof_file.h"
#include "io/vec.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"
#include "records/versions.h"

namespace view {
class Viewer;
}

namespace records {

struct WeaponPoint {
    pof::Vec3 position, normal;
    float angle_offset = 0;  // degrees; in the versions that have it
    bool operator==(const WeaponPoint&) const = default;
};

// GPNT and MPNT: banks of mounting points.
struct WeaponPointRecord {
    std::int32_t chunk_size = 0;
    std::int32_t bank_count = 0;
    bool angle_offsets = false;              // the file's version gives each point one
    std::vector<std::int32_t> point_counts;  // per bank, as read
    Jagged<WeaponPoint> points;              // (bank, point)

    int slot_rows() const { return rows_for(bank_count, point_counts); }
    int point_rows(std::int64_t slot) const {
        return rows_for(entry_or_zero(point_counts, slot), points, slot);
    }
};

struct Turret {
    std::int32_t parent = 0;
    std::int32_t physical_parent = 0;
    pof::Vec3 normal;
    std::int32_t firing_point_count = 0;
};

// TGUN and TMIS: one bank per turret, each with its firing points.
struct TurretRecord {
    std::int32_t chunk_size = 0;
    std::int32_t bank_count = 0;
    std::vector<Turret> turrets;
    Jagged<pof::Vec3> firing_points;  // (bank, firing point)

    int bank_rows() const { return rows_for(bank_count, turrets); }
    int firing_point_rows(std::int64_t bank) const {
        return rows_for(entry_or_zero(turrets, bank).firing_point_count, firing_points, bank);
    }
};

struct SpecialPoint {
    PrefixedText name, properties;
    pof::Vec3 point;
    float radius = 0;
};

struct SpclRecord {
    std::int32_t chunk_size = 0;
    std::int32_t point_count = 0;
    std::vector<SpecialPoint> points;

    int point_rows() const { return rows_for(point_count, points); }
};

struct EyePoint {
    std::int32_t subobject = 0;
    pof::Vec3 offset, normal;
};

struct EyeRecord {
    std::int32_t chunk_size = 0;
    std::int32_t point_count = 0;
    std::vector<EyePoint> points;

    int point_rows() const { return rows_for(point_count, points); }
};

struct ShieldFace {
    pof::Vec3 normal;
    std::array<std::int32_t, 3> vertices{};    // corner vertex numbers
    std::array<std::int32_t, 3> neighbours{};  // adjacent face numbers
};

struct ShldRecord {
    std::int32_t chunk_size = 0;
    std::int32_t vertex_count = 0;
    std::vector<pof::Vec3> vertices;
    std::int32_t face_count = 0;
    std::vector<ShieldFace> faces;

    int vertex_rows() const { return rows_for(vertex_count, vertices); }
    int face_rows() const { return rows_for(face_count, faces); }
};

// SLDC and SLC2: the shield's collision tree, nodes laid end to end. One layout but for the
// width of each node's type field (1 byte in SLDC, 4 in SLC2); every later field follows it.
struct ShieldTreeLayout {
    std::string_view id;      // chunk ID
    std::int64_t type_bytes;  // width of the node's type field
    std::string_view window, title;

    std::int64_t size_at() const { return type_bytes; }
    std::int64_t min_at() const { return type_bytes + 4; }
    std::int64_t max_at() const { return type_bytes + 16; }
    std::int64_t link_at() const { return type_bytes + 28; }  // front offset, or leaf count
    std::int64_t split_bytes() const { return type_bytes + 36; }
    std::int64_t leaf_bytes() const { return type_bytes + 32; }  // before the indices
};
// The game reads SLC2 from this version on and skips SLDC; below it the other way round.
inline constexpr std::int32_t kSlc2Read = kAlignedBsp;

inline constexpr ShieldTreeLayout kSldcLayout{"SLDC", 1, "frmSLDC", "SLDC record"};
inline constexpr ShieldTreeLayout kSlc2Layout{"SLC2", 4, "frmSLC2", "SLC2 record"};

struct ShieldTreeNode {
    std::int64_t offset = 0;  // of its first byte in the tree
    std::int32_t type = 0;    // 0 split, otherwise leaf
    std::uint32_t size = 0;
    pof::Vec3 min, max;
    std::uint32_t front = 0, back = 0;  // a split's, from its first byte
    std::uint32_t count = 0;            // a leaf's triangle count, as stored
    std::vector<std::uint32_t> faces;   // a leaf's SHLD face numbers, as many as the tree holds

    bool split() const { return type == 0; }
};

struct ShieldTreeRecord {
    std::int32_t chunk_size = 0;
    std::int32_t tree_size = 0;
    // The tree's bytes the chunk and the file hold, at most tree_size: the nodes are walked
    // over these.
    std::int64_t tree_bytes = 0;
    // Whether the walk stopped at a node that does not fit, or whose size leads nowhere.
    bool cut = false;
    std::vector<ShieldTreeNode> nodes;

    int node_rows() const { return static_cast<int>(nodes.size()); }
};

// The weapon, special point, eye point and shield chunks' records, as the model store holds
// them.
struct WeaponRecords {
    WeaponPointRecord gpnt, mpnt;
    TurretRecord tgun, tmis;
    SpclRecord spcl;
    EyeRecord eye;
    ShldRecord shld;
    ShieldTreeRecord sldc, slc2;
};

// Parsers of the weapon, special point, eye point and shield chunks. Each reads its body from the
// file's current position, exactly as far as its counts announce, and fills its record.
// GPNT and MPNT share one layout: banks of mounting points with their normals, and in the
// versions that have it an angle offset after each normal.
void gGPNT_data(pof::PofFile& file, std::int32_t chunk_size, std::int32_t file_version,
                WeaponPointRecord& record);
inline void gMPNT_data(pof::PofFile& file, std::int32_t chunk_size, std::int32_t file_version,
                       WeaponPointRecord& record) {
    gGPNT_data(file, chunk_size, file_version, record);
}

// TGUN and TMIS share one layout: turrets with their firing points.
void gTGUN_data(pof::PofFile& file, std::int32_t chunk_size, TurretRecord& record);
inline void gTMIS_data(pof::PofFile& file, std::int32_t chunk_size, TurretRecord& record) {
    gTGUN_data(file, chunk_size, record);
}

void gSPCL_data(pof::PofFile& file, std::int32_t chunk_size, SpclRecord& record);
void gEYE_data(pof::PofFile& file, std::int32_t chunk_size, EyeRecord& record);
void gSHLD_data(pof::PofFile& file, std::int32_t chunk_size, ShldRecord& record);

// SLDC and SLC2 share one reader, told apart by their layout. The tree is read as far as the
// chunk and the file hold it; the walk over its nodes keeps the nodes read before damage.
void read_shield_tree(pof::PofFile& file, std::int32_t chunk_size, const ShieldTreeLayout& layout,
                      ShieldTreeRecord& record);
inline void gSLDC_data(pof::PofFile& file, std::int32_t chunk_size, ShieldTreeRecord& record) {
    read_shield_tree(file, chunk_size, kSldcLayout, record);
}
inline void gSLC2_data(pof::PofFile& file, std::int32_t chunk_size, ShieldTreeRecord& record) {
    read_shield_tree(file, chunk_size, kSlc2Layout, record);
}
// The SLDC and SLC2 window, made for one of the two layouts.
std::unique_ptr<view::Viewer> make_frmSLDC(const ShieldTreeRecord& record,
                                           const ShieldTreeLayout& layout);

}  // namespace records
