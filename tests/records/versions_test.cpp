// The version table: how the game treats each version, the rules a version is read by, and
// the fields those rules give, over every boundary of the table.

#include <gtest/gtest.h>

#include "records/versions.h"

namespace {

using records::VersionSupport;

struct VersionRow {
    std::int32_t version;
    VersionSupport support;
    std::int32_t rules;
    bool angle_offsets, translation;
};

TEST(Versions, EachBoundaryMapsToTheRulesTheGameReadsItBy) {
    constexpr auto Read = VersionSupport::Read;
    constexpr auto Older = VersionSupport::ReadByOlderRules;
    constexpr auto Refused = VersionSupport::Refused;
    const VersionRow rows[] = {
        {-1, Refused, -1, false, false},
        {1899, Refused, 1899, false, false},
        {1900, Read, 1900, false, false},
        {2117, Read, 2117, false, false},
        {2118, Read, 2118, true, false},
        {2119, Older, 2118, true, false},
        {2199, Older, 2118, true, false},
        {2200, Read, 2200, false, false},
        {2201, Read, 2201, true, false},
        {2202, Older, 2201, true, false},
        {2299, Older, 2201, true, false},
        {2300, Read, 2300, true, false},
        {2301, Read, 2301, true, true},
        {2302, Older, 2301, true, true},
        {3099, Older, 2301, true, true},
        // Refused and newer than every known version: read as before the new versions.
        {3100, Refused, 2117, false, false},
        {2147483647, Refused, 2117, false, false},
    };
    for (const VersionRow& row : rows) {
        SCOPED_TRACE(row.version);
        EXPECT_EQ(records::version_support(row.version), row.support);
        EXPECT_EQ(records::rules_version(row.version), row.rules);
        EXPECT_EQ(records::has_angle_offsets(row.version), row.angle_offsets);
        EXPECT_EQ(records::has_translation(row.version), row.translation);
    }
}

// Every gate older than the new versions answers for a mapped version as for the version
// itself, so files the game knew before read as they did.
TEST(Versions, TheOlderGatesHoldForEveryVersionReadByNewerRules) {
    for (const std::int32_t gate :
         {records::kMassProperties, records::kLights, records::kCrossSections,
          records::kHeaderNewOrder, records::kSubobjectNewOrder, records::kThrusterProperties}) {
        for (std::int32_t v = 1800; v <= 3200; ++v) {
            ASSERT_EQ(records::rules_version(v) >= gate, v >= gate) << v << " at " << gate;
        }
    }
}

}  // namespace
