#pragma once
// Records of the weapon, special point, eye point and shield chunks: GPNT/MPNT, TGUN/TMIS,
// SPCL, EYE and SHLD.
//
// Which items a record holds is asked of the record (slot_rows(), point_rows(s), ...): the
// rows its window lists, and what the Model View draws and the model check reads.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "io/pof_file.h"
#include "io/vec.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

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

// The weapon, special point, eye point and shield chunks' records, as the model store holds
// them.
struct WeaponRecords {
    WeaponPointRecord gpnt, mpnt;
    TurretRecord tgun, tmis;
    SpclRecord spcl;
    EyeRecord eye;
    ShldRecord shld;
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

}  // namespace records
