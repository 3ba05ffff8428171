#pragma once
// The file versions from which a chunk layout or a window changes. Every test is on the signed
// version read after the magic.

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

}  // namespace records
