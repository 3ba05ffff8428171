#include "check/finding.h"

#include <array>

#include "io/text.h"

namespace check {

namespace {

struct CodeInfo {
    Code code;
    std::string_view name;
    Severity severity;
};

constexpr std::array<CodeInfo, kCodeCount> kCodes{{
    {Code::Read, "read", Severity::Error},
    {Code::ChunkSize, "chunk-size", Severity::Warning},
    {Code::UnknownChunk, "unknown-chunk", Severity::Note},
    {Code::DuplicateChunk, "duplicate-chunk", Severity::Warning},
    {Code::NoHeader, "no-header", Severity::Error},
    {Code::SubobjectMissing, "subobject-missing", Severity::Error},
    {Code::SubobjectDuplicate, "subobject-duplicate", Severity::Warning},
    {Code::SubobjectUnstored, "subobject-unstored", Severity::Error},
    {Code::Parent, "parent", Severity::Error},
    {Code::DetailLevel, "detail-level", Severity::Error},
    {Code::Debris, "debris", Severity::Error},
    {Code::BspWalk, "bsp-walk", Severity::Error},
    {Code::NoDefpoints, "no-defpoints", Severity::Error},
    {Code::VertexIndex, "vertex-index", Severity::Error},
    {Code::NormalIndex, "normal-index", Severity::Error},
    {Code::TextureIndex, "texture-index", Severity::Error},
    {Code::PolygonVertices, "polygon-vertices", Severity::Error},
    {Code::SortnormOffset, "sortnorm-offset", Severity::Error},
    {Code::BoxInverted, "box-inverted", Severity::Warning},
    {Code::VertexOutsideBox, "vertex-outside-box", Severity::Warning},
    {Code::NotFinite, "not-finite", Severity::Error},
    {Code::NormalLength, "normal-length", Severity::Warning},
    {Code::TurretSubobject, "turret-subobject", Severity::Error},
    {Code::TurretFiringPoints, "turret-firing-points", Severity::Warning},
    {Code::EyeSubobject, "eye-subobject", Severity::Error},
    {Code::DockPath, "dock-path", Severity::Error},
    {Code::PathParent, "path-parent", Severity::Warning},
    {Code::PathTurret, "path-turret", Severity::Error},
    {Code::ShieldVertexIndex, "shield-vertex-index", Severity::Error},
    {Code::ShieldNeighbourIndex, "shield-neighbour-index", Severity::Error},
    {Code::ShieldNeighbour, "shield-neighbour", Severity::Warning},
    {Code::InsigniaVertexIndex, "insignia-vertex-index", Severity::Error},
    {Code::InsigniaDetailLevel, "insignia-detail-level", Severity::Error},
    {Code::CountNegative, "count-negative", Severity::Warning},
    {Code::TextureUnused, "texture-unused", Severity::Note},
    {Code::GlowParent, "glow-parent", Severity::Error},
    {Code::GlowLod, "glow-lod", Severity::Warning},
    {Code::GlowRadius, "glow-radius", Severity::Warning},
    {Code::TextureMissing, "texture-missing", Severity::Note},
    {Code::TextureUnreadable, "texture-unreadable", Severity::Warning},
    {Code::Archive, "archive", Severity::Error},
}};

constexpr bool in_code_order(const std::array<CodeInfo, kCodeCount>& table) {
    for (int i = 0; i < kCodeCount; ++i) {
        if (static_cast<int>(table[i].code) != i || table[i].name.empty()) return false;
    }
    return true;
}
static_assert(in_code_order(kCodes), "a code without its row, or out of order");

}  // namespace

std::string_view code_name(Code code) {
    return kCodes[static_cast<int>(code)].name;
}

Severity severity_of(Code code) {
    return kCodes[static_cast<int>(code)].severity;
}

std::string_view severity_name(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "error";
}

std::string shown_place(const Finding& f) {
    if (f.chunk.empty()) return f.place.empty() ? "file" : f.place;
    std::string out = pof::text8(f.chunk.substr(0, f.chunk.find_last_not_of(' ') + 1));
    if (!f.place.empty()) out += std::string(kPlaceStep) + f.place;
    return out;
}

}  // namespace check
