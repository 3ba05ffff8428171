#pragma once
// Parsers of the weapon, special point, eye point and shield chunks. Each reads its body from
// the file's current position, exactly as far as its counts announce, and fills its record.

#include <cstdint>

#include "pof/file_reader.h"
#include "pof/global_data.h"

namespace records {

// GPNT and MPNT share one layout: banks of mounting points with their normals.
void read_weapon_points(pof::PofFile& file, std::int32_t chunk_size, WeaponPointRecord& record);
void gGPNT_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gMPNT_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

// TGUN and TMIS share one layout: turrets with their firing points.
void read_turrets(pof::PofFile& file, std::int32_t chunk_size, TurretRecord& record);
void gTGUN_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gTMIS_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

void gSPCL_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gEYE_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);
void gSHLD_data(pof::PofFile& file, std::int32_t chunk_size, pof::ModelStore& store);

}  // namespace records
