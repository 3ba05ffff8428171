#pragma once
// Parsers of the weapon, special point, eye point and shield chunks. Each reads its body from the
// file's current position, exactly as far as its counts announce, and fills its record.

#include <cstdint>

#include "io/pof_file.h"
#include "records/weapons/weapon_records.h"

namespace records {

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
