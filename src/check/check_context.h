#pragma once
// What every part of the model check shares: the store, the findings, which chunk holds each
// record, and the small tests on numbers that several chunks need.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/findings.h"
#include "pof/chunk_kinds.h"
#include "pof/global_data.h"
#include "records/subobjects/bsp.h"
#include "records/subobjects/subobject_rows.h"
#include "textures/model_textures.h"

namespace check {

struct CheckContext {
    CheckContext(const pof::ModelStore& store, Findings& out);

    // The chunk whose body the record of entry holds: the last of its type in the file.
    std::optional<std::size_t> record_chunk(pof::RecordEntry entry) const;
    // A subobject number the header's table holds.
    bool is_subobject(std::int64_t number) const;
    // The subobject window on subobject number, then the choices in it; just the window when
    // no row shows that number.
    pof::ItemRef subobject_item(std::int32_t number, std::vector<pof::RowChoice> then = {}) const;
    // Textures a TMAPPOLY can name: the TXTR names of this file, none without one.
    std::int32_t texture_names() const { return texture_names_; }
    // A read that stopped early leaves unknown what lay past it: a reference into a record
    // whose chunk was not read whole is then not checked, nor a subobject the header names
    // that no chunk filled. reached() is true when the reference can be checked.
    bool read_stopped() const { return !store.read_failure.empty(); }
    bool reached(pof::RecordEntry entry) const;
    bool every_subobject_reached() const;
    // What went unchecked for want of a chunk the read never reached, said once in the read
    // finding.
    struct Unreached {
        bool texture_numbers = false, dock_paths = false;
    } unreached;

    const pof::ModelStore& store;
    Findings& out;
    std::vector<bool> texture_used;  // per TXTR name
    // Per subobject number, the last chunk that filled its slot.
    std::unordered_map<std::int32_t, std::size_t> subobject_chunks;
    // The block walk of the subobject being checked; its rows keep their memory for the next.
    records::BlockWalk block_walk;
    records::SubobjectRows subobject_rows;
    // Shared by the model's texture searches, TXTR and glow alike; made at the first.
    std::shared_ptr<textures::SearchCache> texture_searches;

  private:
    std::unordered_map<int, std::size_t> record_chunks_;
    std::int32_t texture_names_ = 0;
};

// The tests behind the checks below, for loops that make a place only for a finding. Inline:
// a large model's polygons each ask them.
inline bool is_finite(pof::Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
inline constexpr double kNormalTolerance = 0.01;
// Finite, length within the tolerance of 1: its square lies within the squares of the
// bounds, so the many normals that are fine need no square root.
inline bool is_unit(pof::Vec3 n) {
    constexpr double kLow = (1.0 - kNormalTolerance) * (1.0 - kNormalTolerance);
    constexpr double kHigh = (1.0 + kNormalTolerance) * (1.0 + kNormalTolerance);
    const double square = double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z;
    return square >= kLow && square <= kHigh;  // false for NaN; infinity exceeds kHigh
}
inline bool box_ok(pof::Vec3 min, pof::Vec3 max) {
    return is_finite(min) && is_finite(max) && min.x <= max.x && min.y <= max.y && min.z <= max.z;
}

// Joins place steps with the middle dot.
std::string place(std::initializer_list<std::string> steps);
std::string numbered(const char* word, std::int64_t n);  // "Gun 3"

// Adds not-finite when any part of v is NaN or infinite; true when v is finite.
bool finite_or_report(CheckContext& c, const std::string& where, const char* what, pof::Vec3 v,
                      const std::optional<pof::ItemRef>& item);
bool finite_or_report(CheckContext& c, const std::string& where, const char* what, float v,
                      const std::optional<pof::ItemRef>& item);
// Not-finite, or normal-length when the length differs from 1 by more than 0.01.
void check_normal(CheckContext& c, const std::string& where, const char* what, pof::Vec3 n,
                  const std::optional<pof::ItemRef>& item);
// Box-inverted when min exceeds max on an axis; not-finite first.
void check_box(CheckContext& c, const std::string& where, pof::Vec3 min, pof::Vec3 max,
               const std::optional<pof::ItemRef>& item);
// Count-negative for a count stored below zero.
void check_count(CheckContext& c, const std::string& where, const char* what, std::int32_t count,
                 const std::optional<pof::ItemRef>& item);

std::string vec_text(pof::Vec3 v);

// The game's fixed limits.
inline constexpr std::int32_t kGameDetailLevels = 8;
inline constexpr std::int32_t kGameDebris = 32;
inline constexpr std::int32_t kGameInsignias = 6;
inline constexpr std::int32_t kGameEyePoints = 10;
inline constexpr std::int32_t kGameDockPoints = 2;
inline constexpr std::int32_t kGameFiringPoints = 10;
inline constexpr std::size_t kGameNameBytes = 31;
inline constexpr std::size_t kGamePropertiesBytes = 255;
inline constexpr float kGameRadiusFloor = 0.00001f;
inline constexpr std::int32_t kGameBayPaths = 31;
// A finding of code for a count above one of the game's tables of limit rows: "9 detail
// levels: the game's table holds 8, so it overruns it", then giving what follows the comma.
void check_game_table(CheckContext& c, Code code, const std::string& where, std::int32_t count,
                      std::int32_t limit, const char* word, const char* then,
                      const std::optional<pof::ItemRef>& item);
// Radius-zero for a finite radius of kGameRadiusFloor or less.
void check_game_radius(CheckContext& c, const std::string& where, const char* what, float radius,
                       const std::optional<pof::ItemRef>& item);

// The viewer of entry with row k of list k + 1 chosen for each k: a bank, then its point.
pof::ItemRef rows(pof::RecordEntry entry, std::initializer_list<int> chosen);

// The chunk list itself, chunk by chunk in file order: sizes the parsers did not keep to, IDs
// pofscope does not read, records written twice, subobject chunks that found no slot.
class SubobjectChunks;
class ChunkListCheck {
  public:
    explicit ChunkListCheck(CheckContext& c);
    ~ChunkListCheck();
    void file();  // the file's own findings: its version, no header chunk
    void chunk(std::size_t index);

  private:
    void version();
    void chunk_order(std::size_t index, pof::RecordEntry entry);

    CheckContext& c_;
    std::unique_ptr<SubobjectChunks> subobjects_;
    std::unordered_map<int, std::int64_t> first_of_;  // per record entry, the first chunk's offset
    std::vector<std::size_t> subobject_chunks_;       // filling a slot first, in file order
    bool header_seen_ = false, subobject_seen_ = false;
};

// The checks of one record, run at the chunk whose body it holds (the last of its type), with
// the findings going to that chunk.
void check_header(CheckContext& c);
void check_textures(CheckContext& c);  // needs texture_used of every subobject
// Looks names up where the model's textures are: texture-missing for a name found nowhere,
// texture-unreadable for a file whose header cannot be decoded; where starts the message
// ("the texture "), place_of and item_of give each name's place and rows.
void check_texture_files(CheckContext& c, const std::string& where,
                         const std::vector<std::string>& names,
                         const std::function<std::string(std::size_t)>& place_of,
                         const std::function<pof::ItemRef(std::size_t)>& item_of);
void check_auto_centre(CheckContext& c);

// The rules of one kind, run at the chunk whose body holds its record; none for a kind with
// nothing to check. Each group's check file keeps a table of them, one row per kind of its
// group, which it checks with covers_group when it compiles.
struct KindRules {
    pof::RecordEntry entry;
    void (*check)(CheckContext& c) = nullptr;
};

constexpr bool covers_group(std::span<const KindRules> rules, pof::RecordGroup group) {
    for (const pof::ChunkKind& k : pof::chunk_kinds()) {
        const auto rows = std::count_if(rules.begin(), rules.end(),
                                        [&k](const KindRules& r) { return r.entry == k.entry; });
        if (rows != (k.group == group ? 1 : 0)) return false;
    }
    return true;
}

inline void run_rules(std::span<const KindRules> rules, CheckContext& c, pof::RecordEntry entry) {
    for (const KindRules& r : rules) {
        if (r.entry == entry && r.check) r.check(c);
    }
}

// The rules of each group's kinds (check_general.cpp, check_weapons.cpp, check_docking.cpp);
// entries of other groups are left alone.
void check_header_record(CheckContext& c, pof::RecordEntry entry);
void check_weapon_record(CheckContext& c, pof::RecordEntry entry);
void check_docking_record(CheckContext& c, pof::RecordEntry entry);

// The subobject chunks: the parent loops found before the walk over the chunks, each told at
// the subobject where the walk closed it; one subobject's fields and BSP data, at the chunk
// that filled it last.
struct ParentLoop {
    std::int32_t subobject = 0;
    std::string chain;  // "1 -> 2 -> 1"
};
std::unordered_map<std::int32_t, ParentLoop> find_parent_loops(const CheckContext& c);
void check_subobject(CheckContext& c, std::int32_t number, const ParentLoop* loop);
// The textures a subobject's TMAPPOLY blocks name, for a TXTR chunk that comes before them.
void mark_textures_used(CheckContext& c, const records::Subobject& s);

}  // namespace check
