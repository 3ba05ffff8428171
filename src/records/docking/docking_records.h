#pragma once
// Records of the docking chunks: DOCK, PATH, FUEL, INSG, GLOW. Each per-item table keeps one
// vector per item and reads as zero past an item's own count (Jagged), so a damaged file
// with many items beside one huge item costs what its bytes announce.
//
// Which items a record holds is asked of the record (dock_rows(), point_rows(d), ...): the
// rows its window lists, and what the Model View draws and the model check reads.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "io/pof_file.h"
#include "io/vec.h"
#include "records/jagged.h"
#include "records/prefixed_text.h"

namespace records {

struct DockPoint {
    pof::Vec3 position, normal;
};

struct DockRecord {
    std::int32_t chunk_size = 0;
    std::int32_t dock_count = 0;
    std::vector<PrefixedText> properties;
    std::vector<std::int32_t> spline_path_counts;
    Jagged<std::int32_t> spline_paths;  // path numbers per dock
    std::vector<std::int32_t> point_counts;
    Jagged<DockPoint> points;

    int dock_rows() const { return rows_for(dock_count, properties); }
    int spline_path_rows(std::int64_t dock) const {
        return rows_for(entry_or_zero(spline_path_counts, dock), spline_paths, dock);
    }
    int point_rows(std::int64_t dock) const {
        return rows_for(entry_or_zero(point_counts, dock), points, dock);
    }
};

struct PathVertex {
    pof::Vec3 position;
    float radius = 0;
    std::int32_t turret_count = 0;
};

struct PathRecord {
    std::int32_t chunk_size = 0;
    std::int32_t path_count = 0;
    std::vector<PrefixedText> names, parents;
    std::vector<std::int32_t> vertex_counts;
    Jagged<PathVertex> vertices;
    // Per path, per vertex: the turrets' subobject numbers, as many as each vertex lists.
    std::vector<Jagged<std::int32_t>> turrets;

    // Zero outside what the file listed, as the other tables read.
    std::int32_t turret(std::int64_t path, std::int64_t vertex, std::int64_t slot) const {
        return has_path(path) ? turrets[path].at(vertex, slot) : 0;
    }
    std::int32_t turret_slots(std::int64_t path, std::int64_t vertex) const {
        return has_path(path) ? turrets[path].slots(vertex) : 0;
    }

    int path_rows() const { return rows_for(path_count, names); }
    int vertex_rows(std::int64_t path) const {
        return rows_for(entry_or_zero(vertex_counts, path), vertices, path);
    }
    int turret_rows(std::int64_t path, std::int64_t vertex) const {
        const std::int32_t count = vertices.at(path, vertex).turret_count;
        return count <= 0 ? 0 : std::min(count, turret_slots(path, vertex));
    }

  private:
    bool has_path(std::int64_t path) const {
        return path >= 0 && path < static_cast<std::int64_t>(turrets.size());
    }
};

// A light point: a thruster's glow (FUEL) or a point of a glow bank (GLOW).
struct GlowPoint {
    pof::Vec3 position, normal;
    float radius = 0;
};

struct FuelRecord {
    std::int32_t chunk_size = 0;
    std::int32_t thruster_count = 0;
    std::vector<std::int32_t> glow_counts;
    std::vector<PrefixedText> properties;  // empty below version 2117
    Jagged<GlowPoint> glows;

    int thruster_rows() const { return rows_for(thruster_count, glow_counts); }
    int glow_rows(std::int64_t thruster) const {
        return rows_for(entry_or_zero(glow_counts, thruster), glows, thruster);
    }
};

struct FaceCorner {
    std::int32_t vertex = 0;
    float u = 0, v = 0;
};

using InsigniaFace = std::array<FaceCorner, 3>;

struct InsgRecord {
    std::int32_t chunk_size = 0;
    std::int32_t insignia_count = 0;
    std::vector<std::int32_t> detail_levels, face_counts, vertex_counts;
    Jagged<pof::Vec3> vertices;
    std::vector<pof::Vec3> offsets;
    Jagged<InsigniaFace> faces;

    int insignia_rows() const { return rows_for(insignia_count, detail_levels); }
    int vertex_rows(std::int64_t insignia) const {
        return rows_for(entry_or_zero(vertex_counts, insignia), vertices, insignia);
    }
    int face_rows(std::int64_t insignia) const {
        return rows_for(entry_or_zero(face_counts, insignia), faces, insignia);
    }
};

// A bank of glow points that blink together: its timing in milliseconds, the subobject and
// detail level it belongs to, and its properties text ($glow_texture=NAME).
struct GlowBank {
    std::int32_t display_time = 0, on_time = 0, off_time = 0;
    std::int32_t parent = 0, lod = 0, type = 0;
    std::int32_t point_count = 0;
    PrefixedText properties;
};

struct GlowRecord {
    std::int32_t chunk_size = 0;
    std::int32_t bank_count = 0;
    std::vector<GlowBank> banks;
    Jagged<GlowPoint> points;

    int bank_rows() const { return rows_for(bank_count, banks); }
    int point_rows(std::int64_t bank) const {
        return rows_for(entry_or_zero(banks, bank).point_count, points, bank);
    }
};

// The docking chunks' records, as the model store holds them.
struct DockingRecords {
    DockRecord dock;
    PathRecord path;
    FuelRecord fuel;
    InsgRecord insg;
    GlowRecord glow;
};

// Parsers of the docking chunks. Each reads its body from the file's current position, exactly
// as far as its counts announce, and fills its record.
void gDOCK_data(pof::PofFile& file, std::int32_t chunk_size, DockRecord& record);
void gPATH_data(pof::PofFile& file, std::int32_t chunk_size, PathRecord& record);
// The property fields are read only from version 2117 on.
void gFUEL_data(pof::PofFile& file, std::int32_t chunk_size, std::int32_t file_version,
                FuelRecord& record);
void gINSG_data(pof::PofFile& file, std::int32_t chunk_size, InsgRecord& record);
void gGLOW_data(pof::PofFile& file, std::int32_t chunk_size, GlowRecord& record);

// Position, normal and radius, as FUEL and GLOW store a glow point; a cut point keeps what
// was read of it.
void read_glow_point(pof::PofFile& file, GlowPoint& point);
inline constexpr std::int64_t kGlowPointBytes = 28;

}  // namespace records
