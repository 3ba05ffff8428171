#pragma once
// Records of the header and general chunks: OHDR/HDR2, TXTR, PINF, ACEN. Which items a record
// holds is asked of the record (texture_rows(), light_rows(), ...): the rows its window lists,
// and what the Model View draws and the model check reads.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "io/pof_file.h"
#include "io/vec.h"
#include "records/read_state.h"
#include "records/subobjects/subobject_table.h"
#include "records/table_access.h"

namespace view {
class Viewer;
}

namespace records {

struct OhdrRecord {
    std::int32_t chunk_size = 0;
    std::int32_t subobject_count = 0;
    float max_radius = 0;
    std::int32_t object_flags = 0;
    pof::Vec3 bbox_min, bbox_max;
    std::int32_t detail_level_count = 0;
    std::vector<std::int32_t> detail_levels;
    std::int32_t debris_count = 0;
    std::vector<std::int32_t> debris_pieces;
    // From version 1903 on.
    float mass = 0;
    pof::Vec3 center_of_mass;
    std::array<std::array<float, 3>, 3> inertia{};  // (row, column)
    // From version 2014 on.
    std::int32_t cross_section_count = 0;
    std::vector<float> cross_section_depths, cross_section_radii;
    // From version 2007 on.
    std::int32_t light_count = 0;
    std::vector<pof::Vec3> light_locations;
    std::vector<std::int32_t> light_types;

    int detail_level_rows() const { return rows_for(detail_level_count, detail_levels); }
    int debris_rows() const { return rows_for(debris_count, debris_pieces); }
    int cross_section_rows() const { return rows_for(cross_section_count, cross_section_depths); }
    int light_rows() const { return rows_for(light_count, light_locations); }
};

struct Texture {
    std::int32_t name_length = 0;
    std::string name;  // bytes as stored, NULs included
};

struct TxtrRecord {
    std::int32_t chunk_size = 0;
    std::int32_t texture_count = 0;
    std::vector<Texture> textures;

    int texture_rows() const { return rows_for(texture_count, textures); }
};

struct PinfRecord {
    std::int32_t chunk_size = 0;
    std::string info;  // the body, byte for byte
};

struct AcenRecord {
    std::int32_t chunk_size = 0;
    pof::Vec3 auto_center;
};

// The header and general chunks' records, as the model store holds them.
struct HeaderRecords {
    OhdrRecord ohdr;
    TxtrRecord txtr;
    PinfRecord pinf;
    AcenRecord acen;
};

// Parsers of the header and general chunks. Each reads its body from the file's current position,
// exactly as far as its counts announce, and fills its record.
// OHDR and HDR2: the field order and the optional fields follow the file version. Creates the
// subobject table the subobject chunks fill.
void gOHDR_data(pof::PofFile& file, std::int32_t chunk_size, ReadState& state, OhdrRecord& header,
                SubobjectTable& subobjects);
void gTXTR_data(pof::PofFile& file, std::int32_t chunk_size, TxtrRecord& record);
void gPINF_data(pof::PofFile& file, std::int32_t chunk_size, PinfRecord& record);
void gACEN_data(pof::PofFile& file, std::int32_t chunk_size, AcenRecord& record);
// The ACEN window. A window no other file names keeps its class in its own .cpp and is made
// through a function declared here, so a kind's window is one file.
std::unique_ptr<view::Viewer> make_frmACEN(const AcenRecord& record);

}  // namespace records
