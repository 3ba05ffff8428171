#pragma once
// The model check's codes: each code's entry and its row stand here, so a new code is one
// edit of this file. The README's table and `pofdump --check --codes` are this table.

#include <array>
#include <string_view>

namespace check {

enum class Severity { Error, Warning, Note };

enum class Code {
    Read,
    ChunkSize,
    UnknownChunk,
    DuplicateChunk,
    NoHeader,
    SubobjectMissing,
    SubobjectDuplicate,
    SubobjectUnstored,
    Parent,
    DetailLevel,
    Debris,
    BspWalk,
    NoDefpoints,
    VertexIndex,
    NormalIndex,
    TextureIndex,
    PolygonVertices,
    SortnormOffset,
    BoxInverted,
    VertexOutsideBox,
    NotFinite,
    NormalLength,
    TurretSubobject,
    TurretFiringPoints,
    EyeSubobject,
    DockPath,
    PathParent,
    PathTurret,
    ShieldVertexIndex,
    ShieldNeighbourIndex,
    ShieldNeighbour,
    InsigniaVertexIndex,
    InsigniaDetailLevel,
    CountNegative,
    TextureUnused,
    GlowParent,
    GlowLod,
    GlowRadius,
    TextureMissing,
    TextureUnreadable,
    DetailLevelCount,
    DebrisCount,
    InsigniaCount,
    EyeCount,
    DockPointCount,
    Reserved,
    DockGeometry,
    FiringPointCount,
    TurretGun,
    NameLength,
    RadiusZero,
    GlowTexture,
    PathDuplicate,
    BayPath,
    ChunkOrder,
    Archive,
    Version,
    ShieldTreeIndex,
    ShieldTreeOffset,
    ShieldTreeOrder,
    ShieldTreeBox,
    ShieldTreeCoverage,
    ShieldTreeIgnored,
    Count  // not a code: how many there are
};
inline constexpr int kCodeCount = static_cast<int>(Code::Count);

// One row per code: its name, severity, what it finds and what the game does with a model
// that has it. The README's table and `pofdump --check --codes` are this table.
struct CodeInfo {
    Code code;
    std::string_view name;
    Severity severity;
    std::string_view finds;
    std::string_view game;
};

inline constexpr std::array<CodeInfo, kCodeCount> kCodes{{
    {Code::Read, "read", Severity::Error,
     "the file could not be opened, is not a POF file, or its read stopped", "-"},
    {Code::ChunkSize, "chunk-size", Severity::Warning,
     "a chunk's fields took another number of bytes than it declares", "-"},
    {Code::UnknownChunk, "unknown-chunk", Severity::Note, "a chunk ID pofscope does not read", "-"},
    {Code::DuplicateChunk, "duplicate-chunk", Severity::Warning,
     "a second chunk of a type with one record (all but SOBJ/OBJ2)", "-"},
    {Code::NoHeader, "no-header", Severity::Error,
     "no OHDR/HDR2 chunk, or a subobject chunk before it",
     "misbehaves when the header is not the first chunk (warnings, or points that match nothing)"},
    {Code::SubobjectMissing, "subobject-missing", Severity::Error,
     "subobject numbers of the header's table no chunk filled (one finding per run)", "-"},
    {Code::SubobjectDuplicate, "subobject-duplicate", Severity::Warning,
     "two subobject chunks with one number", "-"},
    {Code::SubobjectUnstored, "subobject-unstored", Severity::Error,
     "a subobject number outside the header's table", "-"},
    {Code::Parent, "parent", Severity::Error,
     "a parent that is neither -1 nor a subobject number, or a parent chain that loops", "-"},
    {Code::DetailLevel, "detail-level", Severity::Error,
     "a header detail level that is not a subobject number", "-"},
    {Code::Debris, "debris", Severity::Error,
     "a header debris piece that is not a subobject number", "-"},
    {Code::BspWalk, "bsp-walk", Severity::Error,
     "the block walk ends before the data (size 0 or less, a cut header), a block reaches past the "
     "data, or a block's fields run past its size",
     "-"},
    {Code::NoDefpoints, "no-defpoints", Severity::Error,
     "a polygon with no DEFPOINTS block before it in its subobject", "-"},
    {Code::VertexIndex, "vertex-index", Severity::Error,
     "polygon corners whose vertex index lies outside the DEFPOINTS block before them (one "
     "finding per DEFPOINTS block)",
     "-"},
    {Code::NormalIndex, "normal-index", Severity::Error,
     "polygon corners whose normal index lies outside the sum of that block's per-vertex normal "
     "counts (one finding per DEFPOINTS block)",
     "-"},
    {Code::TextureIndex, "texture-index", Severity::Error,
     "a TMAPPOLY or TMAP2POLY texture number outside the TXTR names", "-"},
    {Code::PolygonVertices, "polygon-vertices", Severity::Error,
     "a polygon with fewer than 3 entries", "-"},
    {Code::SortnormOffset, "sortnorm-offset", Severity::Error,
     "a non-zero SORTNORM or SORTNORM2 offset that does not land on a block of the same walk", "-"},
    {Code::BoxInverted, "box-inverted", Severity::Warning,
     "a bounding box (header, subobject, SORTNORM, BOUNDBOX, TMAP2POLY, SORTNORM2) whose min "
     "exceeds its max",
     "-"},
    {Code::VertexOutsideBox, "vertex-outside-box", Severity::Warning,
     "a DEFPOINTS vertex outside its subobject's box by more than 0.1 % of the box's diagonal",
     "-"},
    {Code::NotFinite, "not-finite", Severity::Error,
     "a NaN or infinite float in any value the check reads", "-"},
    {Code::NormalLength, "normal-length", Severity::Warning,
     "a normal (DEFPOINTS, polygon, gun/missile point, turret, dock point, eye point, shield face, "
     "thruster glow) whose length differs from 1 by more than 0.01",
     "-"},
    {Code::TurretSubobject, "turret-subobject", Severity::Error,
     "a TGUN/TMIS parent or physical parent that is not a subobject number", "-"},
    {Code::TurretFiringPoints, "turret-firing-points", Severity::Warning,
     "a turret with no firing points", "-"},
    {Code::EyeSubobject, "eye-subobject", Severity::Error,
     "an eye point's subobject that is not a subobject number", "-"},
    {Code::DockPath, "dock-path", Severity::Error,
     "a DOCK spline path number outside the PATH list", "-"},
    {Code::PathParent, "path-parent", Severity::Warning,
     "a non-empty PATH parent that names no subobject (ASCII case ignored)", "-"},
    {Code::PathTurret, "path-turret", Severity::Error,
     "a path vertex's turret that is not a subobject number", "-"},
    {Code::ShieldVertexIndex, "shield-vertex-index", Severity::Error,
     "a shield face corner outside the shield vertices", "-"},
    {Code::ShieldNeighbourIndex, "shield-neighbour-index", Severity::Error,
     "a shield face neighbour outside the faces", "-"},
    {Code::ShieldNeighbour, "shield-neighbour", Severity::Warning,
     "face A names B as a neighbour, B does not name A", "-"},
    {Code::InsigniaVertexIndex, "insignia-vertex-index", Severity::Error,
     "an insignia face corner outside that insignia's vertices", "-"},
    {Code::InsigniaDetailLevel, "insignia-detail-level", Severity::Error,
     "an insignia detail level outside the header's detail levels", "-"},
    {Code::CountNegative, "count-negative", Severity::Warning,
     "a count, or a subobject's name or properties length, stored below zero (read as none)", "-"},
    {Code::TextureUnused, "texture-unused", Severity::Note, "a TXTR name no TMAPPOLY uses", "-"},
    {Code::GlowParent, "glow-parent", Severity::Error,
     "a GLOW bank's parent that is neither -1 nor a subobject number", "-"},
    {Code::GlowLod, "glow-lod", Severity::Warning,
     "a GLOW bank's LOD that is not one of the header's detail levels", "-"},
    {Code::GlowRadius, "glow-radius", Severity::Warning, "a glow point's radius of 0 or less", "-"},
    {Code::TextureMissing, "texture-missing", Severity::Note,
     "a TXTR name, or a glow bank's $glow_texture, in none of the places searched", "-"},
    {Code::TextureUnreadable, "texture-unreadable", Severity::Warning,
     "a texture file found that cannot be decoded (each is decoded whole, one at a time, as "
     "the Model View decodes it, so the check, pofdump's textures list and the window agree)",
     "-"},
    {Code::DetailLevelCount, "detail-level-count", Severity::Error,
     "a header of more than 8 detail levels", "overruns its table of 8 (it does not check)"},
    {Code::DebrisCount, "debris-count", Severity::Error, "a header of more than 32 debris pieces",
     "stops with an error"},
    {Code::InsigniaCount, "insignia-count", Severity::Error, "more than 6 insignias",
     "overruns its table of 6 (it does not check)"},
    {Code::EyeCount, "eye-count", Severity::Error, "more than 10 eye points",
     "overruns its table of 10"},
    {Code::DockPointCount, "dock-point-count", Severity::Error,
     "a dock of more than 2 points (error) or of fewer (warning)",
     "overruns its table of 2 points; warns of fewer"},
    {Code::Reserved, "reserved", Severity::Error,
     "a subobject whose reserved field (after the movement axis) is above 0",
     "stops with an error"},
    {Code::DockGeometry, "dock-geometry", Severity::Warning,
     "a dock point with a zero normal, a dock's two points at one position, or the line between "
     "them almost along a point's normal (|cos| > 0.99)",
     "repairs it, with a warning"},
    {Code::FiringPointCount, "firing-point-count", Severity::Warning,
     "a turret of more than 10 firing points",
     "uses the first 10 and ignores the rest, with a warning"},
    {Code::TurretGun, "turret-gun", Severity::Warning,
     "a turret's gun subobject (physical parent) that is neither its base (parent) nor a direct "
     "child of the base",
     "uses the base instead, with a warning"},
    {Code::NameLength, "name-length", Severity::Warning,
     "a subobject name longer than 31 bytes, or properties longer than 255",
     "its buffers hold 31 and 255 bytes"},
    {Code::RadiusZero, "radius-zero", Severity::Warning,
     "a model or subobject radius of 0.00001 or less", "warns"},
    {Code::GlowTexture, "glow-texture", Severity::Warning,
     "a glow bank without $glow_texture= in its properties", "warns"},
    {Code::PathDuplicate, "path-duplicate", Severity::Warning,
     "two paths with one name (ASCII case ignored)", "warns"},
    {Code::BayPath, "bay-path", Severity::Warning,
     "a $bayNN path (docking-bay approach) numbered outside 01 to 31, or after a gap in the "
     "numbers from 01",
     "numbers its bay paths from 01 to 31 without gaps"},
    {Code::ChunkOrder, "chunk-order", Severity::Warning,
     "a header that is not the first chunk but comes before every subobject chunk, or a TGUN, TMIS "
     "or PATH chunk before a subobject chunk",
     "misbehaves: it looks subobjects up as it reads them (warnings, or points that match "
     "nothing)"},
    {Code::Archive, "archive", Severity::Error,
     "a fault of a VP archive's own directory, at its entry: an entry that cannot be opened, or a "
     "directory or count the file cannot hold (error); a .. at the top, a duplicated path, an "
     "unknown version (warning)",
     "-"},
    {Code::Version, "version", Severity::Error,
     "a file version the game refuses, below 1900 or 3100 and above (error), or one it reads by "
     "the rules of an older version, 2119 to 2199, 2202 to 2299 or 2302 to 3099 (warning)",
     "refuses the file; reads a version it does not know by the rules of the last one below "
     "it, warning that the file is newer"},
    {Code::ShieldTreeIndex, "shield-tree-index", Severity::Error,
     "an SLDC or SLC2 leaf naming a face outside the SHLD faces", "-"},
    {Code::ShieldTreeOffset, "shield-tree-offset", Severity::Error,
     "an SLDC or SLC2 node size, or a split's front or back offset, that does not land on a node "
     "inside the tree (a size may end the tree)",
     "-"},
    {Code::ShieldTreeOrder, "shield-tree-order", Severity::Warning,
     "an SLDC split whose front child does not follow it directly",
     "converts the tree assuming it does: it reads the wrong front child"},
    {Code::ShieldTreeBox, "shield-tree-box", Severity::Warning,
     "an SLDC or SLC2 leaf's face with a corner outside the leaf's box by more than 0.1 % of the "
     "box's diagonal",
     "misses shield hits there"},
    {Code::ShieldTreeCoverage, "shield-tree-coverage", Severity::Warning,
     "a SHLD face no leaf of the SLDC or SLC2 tree lists", "misses shield hits on it"},
    {Code::ShieldTreeIgnored, "shield-tree-ignored", Severity::Note,
     "an SLDC in a file of version 2200 or more, or an SLC2 below 2200", "skips the chunk"},
}};

// Codes whose findings are errors where the game overruns a table and warnings where it only
// warns.
inline constexpr std::array<Code, 3> kTwoSeverities{Code::DockPointCount, Code::Archive,
                                                    Code::Version};

constexpr bool in_code_order(const std::array<CodeInfo, kCodeCount>& table) {
    for (int i = 0; i < kCodeCount; ++i) {
        if (static_cast<int>(table[i].code) != i || table[i].name.empty() ||
            table[i].finds.empty() || table[i].game.empty())
            return false;
    }
    return true;
}
static_assert(in_code_order(kCodes), "a code without its row, or out of order");

}  // namespace check
