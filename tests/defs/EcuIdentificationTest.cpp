#include "defs/EcuIdentification.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KnownEcu {
    const char* id;
    int row;
    int featureFlags;
};

// Rows and feature flags as the identification table prints them (not read from the constants).
constexpr KnownEcu KnownEcus[] = {
    { "1103", 1, 15 },
    { "1112", 2, 15 },
    { "1202", 3, 15 },
    { "1253", 4, 15 },
    { "1453", 5, 15 },
    { "1601", 6, 23 },
    { "1701", 7, 23 },
    { "1702", 8, 23 },
    { "17E2", 9, 15 },
    { "1843", 10, 19 },
    { "1881", 11, 11 },
    { "1901", 12, 19 },
    { "1902", 13, 23 },
    { "1903", 14, 19 },
    { "1943", 15, 19 },
    { "F602", 16, 15 },
    { "F802", 17, 15 },
};

class KnownEcuTest : public testing::TestWithParam<KnownEcu> { };

void PrintTo(const KnownEcu& ecu, std::ostream* out)
{
    *out << ecu.id;
}

TEST_P(KnownEcuTest, IsFullySupportedWithItsRowAndFeatureFlags)
{
    const KnownEcu& ecu = GetParam();
    EXPECT_EQ(ClassifyEcuId(ecu.id), SupportFull);
    EXPECT_EQ(EcuRowOf(ecu.id), ecu.row);
    EXPECT_EQ(FeatureFlagsOf(ecu.id), ecu.featureFlags);
}

INSTANTIATE_TEST_SUITE_P(EveryKnownId, KnownEcuTest, testing::ValuesIn(KnownEcus),
    [](const testing::TestParamInfo<KnownEcu>& param) { return std::string("Ecu") + param.param.id; });

struct OtherId {
    const char* id;
    EcuSupport support;
};

constexpr int DefaultFeatureFlags = 15;

// IDs without a row of their own: all use the default row and its feature flags.
constexpr OtherId OtherIds[] = {
    { "1B34", SupportObd2 },
    { "1B41", SupportObd2 },
    { "1B84", SupportObd2 },
    { "17e2", SupportNone }, // letter case counts
    { "1b41", SupportNone },
    { "", SupportNone },
    { "1103 ", SupportNone },
    { "110", SupportNone },
    { "11033", SupportNone },
    { "0000", SupportNone },
};

class OtherIdTest : public testing::TestWithParam<OtherId> { };

void PrintTo(const OtherId& other, std::ostream* out)
{
    *out << '"' << other.id << '"';
}

TEST_P(OtherIdTest, UsesTheDefaultRow)
{
    const OtherId& other = GetParam();
    EXPECT_EQ(ClassifyEcuId(other.id), other.support);
    EXPECT_EQ(EcuRowOf(other.id), DefaultEcuRow);
    EXPECT_EQ(FeatureFlagsOf(other.id), DefaultFeatureFlags);
}

INSTANTIATE_TEST_SUITE_P(UnknownAndObd2Ids, OtherIdTest, testing::ValuesIn(OtherIds));

} // namespace
