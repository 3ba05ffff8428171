#pragma once
// The file versions from which a chunk layout or a window changes, and the rules the game reads
// each version by. Every test is on the signed version read after the magic, mapped first to the
// version whose rules apply to it (rules_version).

#include <cstdint>

namespace records {

inline constexpr std::int32_t kMassProperties = 1903;  // header: mass, centre of mass, inertia
inline constexpr std::int32_t kLights = 2007;          // header: lights
inline constexpr std::int32_t kCrossSections = 2014;   // header: cross sections
// Header fields radius, flags, count; the header and subobject windows titled HDR2 and OBJ2.
inline constexpr std::int32_t kHeaderNewOrder = 2016;
// Subobject fields radius, parent, offset; before it parent, offset, radius.
inline constexpr std::int32_t kSubobjectNewOrder = 2116;
inline constexpr std::int32_t kThrusterProperties = 2117;  // a property text per thruster
// GPNT and MPNT: an angle offset after each point's normal, from 2118 to 2199 and again from
// 2201 on. Version 2200 has none.
inline constexpr std::int32_t kAngleOffset = 2118;
inline constexpr std::int32_t kAlignedBsp = 2200;  // DEFPOINTS vertex data may start padded
inline constexpr std::int32_t kAngleOffsetAgain = 2201;
// SOBJ/OBJ2: translation type and axis after the movement axis.
inline constexpr std::int32_t kTranslation = 2301;

// The versions the game knows. It reads each range [first, last] silently; a version after one
// of them and before the next known range by the rules of that range's last version, warning
// that the file is newer than it knows; outside [kOldestRead, kNewestRead] it refuses the file.
struct KnownVersions {
    std::int32_t first, last;
};
inline constexpr KnownVersions kKnownVersions[] = {{1900, 2118}, {2200, 2201}, {2300, 2301}};
inline constexpr std::int32_t kOldestRead = 1900;
inline constexpr std::int32_t kNewestRead = 3099;
// The last version the model description fixes: a refused version newer than every known one
// is read by its rules, as it was before the game's later versions were known.
inline constexpr std::int32_t kDescribedVersion = 2117;

enum class VersionSupport { Read, ReadByOlderRules, Refused };

constexpr VersionSupport version_support(std::int32_t version) {
    if (version < kOldestRead || version > kNewestRead) return VersionSupport::Refused;
    for (const auto& known : kKnownVersions) {
        if (version >= known.first && version <= known.last) return VersionSupport::Read;
    }
    return VersionSupport::ReadByOlderRules;
}

// The version whose rules the parsers and windows apply to a file of this version: itself for
// a version the game knows, the last known one below it for one it reads by older rules. A
// refused version keeps the rules it had before the newer versions were known: an old one its
// own, a new one those of the described version.
constexpr std::int32_t rules_version(std::int32_t version) {
    if (version < kOldestRead) return version;
    if (version > kNewestRead) return kDescribedVersion;
    std::int32_t rules = version;
    for (const auto& known : kKnownVersions) {
        if (version >= known.first) rules = version <= known.last ? version : known.last;
    }
    return rules;
}

constexpr bool has_angle_offsets(std::int32_t version) {
    const std::int32_t rules = rules_version(version);
    return rules >= kAngleOffsetAgain || (rules >= kAngleOffset && rules < kAlignedBsp);
}

constexpr bool has_translation(std::int32_t version) {
    return rules_version(version) >= kTranslation;
}

}  // namespace records
