#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"

#include <gtest/gtest.h>

namespace {

struct ColumnChecksum {
    EcuConstant column;
    double sum; // of the 18 rows
    double weightedSum; // of (row + 1) x value
};

// Worked out from the printed table, column by column: each cell taken as a single-precision
// value and added in double precision, which is exact for these magnitudes. Any single wrong
// cell changes the sum; a value moved to another row changes the weighted sum.
constexpr ColumnChecksum ColumnChecksums[] = {
    { EcuConstant::BaseAddress, 40.0, 700.0 },
    { EcuConstant::EndAddress, 636.0, 6641.0 },
    { EcuConstant::LoadSensorKind, 17.0, 182.0 },
    { EcuConstant::RpmFactor, 17.27610009908676, 128.85650026798248 },
    { EcuConstant::RpmOffset, -400.0, -2000.0 },
    { EcuConstant::TpsFactor, 9.482000172138214, 86.03000178933144 },
    { EcuConstant::TpsVoltFactor, 18.07200014591217, 171.60000121593475 },
    { EcuConstant::SpeedFactor, 23.793999910354614, 218.63099992275238 },
    { EcuConstant::SpeedOffset, -0.10000000149011612, -0.9000000134110451 },
    { EcuConstant::InjectorFactor, 52.35249996185303, 492.84999990463257 },
    { EcuConstant::UnusedColumn10, 0.0, 0.0 },
    { EcuConstant::CoolantFactor, 15.234499990940094, 147.49499994516373 },
    { EcuConstant::CoolantOffset, 960.6600036621094, 8642.66000366211 },
    { EcuConstant::AirTempFactor, 15.101999998092651, 146.42499995231628 },
    { EcuConstant::AirTempOffset, 954.0, 8531.0 },
    { EcuConstant::MpgAverageCount, 72.0, 684.0 },
    { EcuConstant::AdvanceFactor, 5.6579999923706055, 53.37699994444847 },
    { EcuConstant::AdvanceOffset, 118.60000133514404, -6.299994468688965 },
    { EcuConstant::O2Divisor, 2438.0, 23462.5 },
    { EcuConstant::LoadFactor, 52.56519871158525, 465.14698759652674 },
    { EcuConstant::LoadOffset, -193.3300018310547, -1159.9800109863281 },
    { EcuConstant::TargetIdleFactor, 134.23949909210205, 1332.9374918937683 },
    { EcuConstant::TargetIdleOffset, 500.0, 5000.0 },
    { EcuConstant::EgtFactor, 17.899999976158142, 170.6499999165535 },
    { EcuConstant::TrimFactor, 7.077219999395311, 65.59519999101758 },
    { EcuConstant::IacKind, 15.0, 153.0 },
    { EcuConstant::IacFactor, 268.01840004324913, 3689.5705005824566 },
    { EcuConstant::IacOffset, 0.0, 0.0 },
    { EcuConstant::IacAdjFactor, 23.200000166893005, 205.2000012397766 },
    { EcuConstant::IacAdjOffset, 5.820000112056732, 40.36000084877014 },
    { EcuConstant::VeFactor, 12.924999803304672, 115.80799892544746 },
    { EcuConstant::VeOffset, 4.850000083446503, 27.000000476837158 },
    { EcuConstant::BatteryDivisor, 233.0400037765503, 2211.060034751892 },
    { EcuConstant::PurgeFactor, 16.467000037431717, 131.54800060391426 },
    { EcuConstant::EgrKind, 16.0, 226.0 },
    { EcuConstant::EgrFactor, 14.346000015735626, 123.49800020456314 },
    { EcuConstant::EcuFeatureFlags, 314.0, 3041.0 },
};
static_assert(std::size(ColumnChecksums) == EcuConstantCount);

class ConstantsColumnTest : public testing::TestWithParam<ColumnChecksum> { };

void PrintTo(const ColumnChecksum& checksum, std::ostream* out)
{
    *out << "column " << static_cast<int>(checksum.column);
}

TEST_P(ConstantsColumnTest, MatchesThePrintedColumn)
{
    const ColumnChecksum& expected = GetParam();
    double sum = 0;
    double weightedSum = 0;
    for (int row = 0; row < EcuRowCount; ++row) {
        const double value = ConstantsRowAt(row)[expected.column];
        sum += value;
        weightedSum += (row + 1) * value;
    }
    EXPECT_DOUBLE_EQ(sum, expected.sum);
    EXPECT_DOUBLE_EQ(weightedSum, expected.weightedSum);
}

INSTANTIATE_TEST_SUITE_P(EveryColumn, ConstantsColumnTest, testing::ValuesIn(ColumnChecksums),
    [](const testing::TestParamInfo<ColumnChecksum>& param) {
        return "Column" + std::to_string(param.index);
    });

TEST(EcuConstants, LookupByIdUsesTheRowOfTheId)
{
    EXPECT_EQ(ConstantOf("1253", EcuConstant::RpmOffset), -400.0f);
    EXPECT_EQ(ConstantOf("F802", EcuConstant::BaseAddress), 20.0f);
    EXPECT_EQ(ConstantOf("1453", EcuConstant::LoadOffset), -193.33f);
    EXPECT_EQ(ConstantOf("1B41", EcuConstant::CoolantOffset), 68.66f); // OBD2: the default row
    EXPECT_EQ(ConstantOf("", EcuConstant::AirTempOffset), 97.0f);
}

TEST(EcuConstants, RowNumbersOutsideTheTableGiveTheDefaultRow)
{
    EXPECT_EQ(&ConstantsRowAt(-1), &ConstantsRowAt(DefaultEcuRow));
    EXPECT_EQ(&ConstantsRowAt(EcuRowCount), &ConstantsRowAt(DefaultEcuRow));
}

struct KindNames {
    const char* id;
    const char* load;
    const char* iac;
    const char* egr;
};

// One ID for each kind value: 0, 1 and 2 of the load sensor and the idle-air kind, 0 and 2 of EGR.
constexpr KindNames KindNameCases[] = {
    { "1112", "MAP", "FLOW", "FLOW" },
    { "1103", "VAF", "DC", "FLOW" },
    { "1202", "MAF", "FLOW", "FLOW" },
    { "1881", "MAP", "POS", "FLOW" },
    { "1702", "MAF", "FLOW", "POS" },
    { "F602", "MAF", "DC", "POS" },
    { "", "MAP", "DC", "FLOW" },
};

class KindNameTest : public testing::TestWithParam<KindNames> { };

void PrintTo(const KindNames& names, std::ostream* out)
{
    *out << '"' << names.id << '"';
}

TEST_P(KindNameTest, NamesFollowTheKindColumns)
{
    const KindNames& expected = GetParam();
    EXPECT_EQ(LoadSensorName(expected.id), expected.load);
    EXPECT_EQ(IacKindName(expected.id), expected.iac);
    EXPECT_EQ(EgrKindName(expected.id), expected.egr);
}

INSTANTIATE_TEST_SUITE_P(OneIdPerKind, KindNameTest, testing::ValuesIn(KindNameCases));

} // namespace
