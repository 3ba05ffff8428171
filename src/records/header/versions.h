#pragma once
// File versions from which the header layout changes (tests are on the signed version).

#include <cstdint>

namespace records {

inline constexpr std::int32_t kMassProperties = 1903;  // mass, centre of mass, inertia
inline constexpr std::int32_t kLights = 2007;
inline constexpr std::int32_t kCrossSections = 2014;
inline constexpr std::int32_t kHeaderNewOrder = 2016;  // radius, flags, count; HDR2/OBJ2 titles

}  // namespace records
