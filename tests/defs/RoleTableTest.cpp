#include "defs/RoleTable.h"
#include "defs/EcuIdentification.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RoleRowChecksum {
    const char* id; // "" selects the default row
    int listed; // offsets printed for the row; every later one has no role
    int sum; // of the 50 codes, padding included
    int weightedSum; // of (offset + 1) x code
};

// Worked out from the printed role table, "-" and the padding counted as 55.
constexpr RoleRowChecksum RoleRowChecksums[] = {
    { "", 48, 1279, 42456 },
    { "1103", 25, 1832, 60238 },
    { "1112", 31, 1733, 56583 },
    { "1202", 30, 1716, 56574 },
    { "1253", 24, 1828, 60246 },
    { "1453", 25, 1812, 59783 },
    { "1601", 34, 1567, 52665 },
    { "1701", 42, 1455, 46682 },
    { "1702", 36, 1646, 53478 },
    { "17E2", 27, 1812, 59686 },
    { "1843", 27, 1771, 58692 },
    { "1881", 30, 1860, 59180 },
    { "1901", 41, 1488, 47730 },
    { "1902", 40, 1758, 55613 },
    { "1903", 27, 1783, 58992 },
    { "1943", 28, 1783, 58947 },
    { "F602", 45, 1879, 56662 },
    { "F802", 45, 1879, 56662 },
};
static_assert(std::size(RoleRowChecksums) == EcuRowCount);

class RoleRowTest : public testing::TestWithParam<RoleRowChecksum> { };

void PrintTo(const RoleRowChecksum& checksum, std::ostream* out)
{
    *out << '"' << checksum.id << '"';
}

TEST_P(RoleRowTest, MatchesThePrintedRow)
{
    const RoleRowChecksum& expected = GetParam();
    int sum = 0;
    int weightedSum = 0;
    int listed = 0;
    for (int offset = 0; offset < RoleOffsetCount; ++offset) {
        const int role = RoleAt(expected.id, offset);
        sum += role;
        weightedSum += (offset + 1) * role;
        if (role != RoleNone)
            listed = offset + 1; // every printed row ends with a real role
    }
    EXPECT_EQ(sum, expected.sum);
    EXPECT_EQ(weightedSum, expected.weightedSum);
    EXPECT_EQ(listed, expected.listed);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, RoleRowTest, testing::ValuesIn(RoleRowChecksums),
    [](const testing::TestParamInfo<RoleRowChecksum>& param) {
        return std::string(*param.param.id ? param.param.id : "Default");
    });

TEST(RoleTable, OffsetsOutsideTheRowHaveNoRole)
{
    for (const int offset : { -1, RoleOffsetCount, 63, 255 }) {
        EXPECT_EQ(RoleAt("", offset), RoleNone) << offset;
        EXPECT_EQ(RoleAt("1103", offset), RoleNone) << offset;
    }
}

TEST(RoleTable, TheEmptyRowHasNoRoleAnywhere)
{
    for (int offset = 0; offset < RoleOffsetCount; ++offset)
        EXPECT_EQ(RoleAt(EmptyRoleRow(), offset), RoleNone) << offset;
}

TEST(RoleTable, RowsFromTheTableMatchTheLookupById)
{
    EXPECT_EQ(RoleRowAt(EcuRowOf("F802"))[0], RoleNone); // base address 20: offset 0 is unused
    EXPECT_EQ(RoleRowAt(EcuRowOf("F802"))[1], RoleVe);
    EXPECT_EQ(RoleRowAt(EcuRowOf("1103"))[14], RoleInjectorHigh1);
    EXPECT_EQ(RoleRowAt(EcuRowOf("1103"))[17], RoleInjectorHigh1);
    EXPECT_EQ(&RoleRowAt(-1), &RoleRowAt(DefaultEcuRow));
    EXPECT_EQ(&RoleRowAt(EcuRowCount), &RoleRowAt(DefaultEcuRow));
}

} // namespace
