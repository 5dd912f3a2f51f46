#include "defs/FaultCodes.h"
#include "defs/EcuIdentification.h"
#include "tests/defs/TextChecksum.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FaultTexts, AllFiftySixTextsHaveThePrintedLength)
{
    std::size_t total = 0;
    for (int index = 0; index < FaultTextCount; ++index)
        total += FaultTextByIndex(index).size();
    EXPECT_EQ(total, 3429u); // texts 0..48 as printed plus 9 + 16 + 4 x 6 + 28 for 49..55
    EXPECT_EQ(TextChecksum(FaultTextByIndex, FaultTextCount), 266267322); // worked out from the printed texts
    EXPECT_EQ(FaultTextByIndex(-1), "");
    EXPECT_EQ(FaultTextByIndex(FaultTextCount), "");
}

TEST(FaultTexts, CodedTextsSeparateCodeAndDescriptionByTabAndTwoSpaces)
{
    for (int index = 0; index <= 48; ++index) {
        const std::string_view text = FaultTextByIndex(index);
        ASSERT_GE(text.size(), 6u) << index;
        EXPECT_EQ(text.substr(2, 3), "\t  ") << index;
        EXPECT_NE(text[5], ' ') << index;
    }
}

TEST(FaultTexts, SpotChecks)
{
    EXPECT_EQ(FaultTextByIndex(0),
        "13\t  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading "
        "doesn't change or is slow to change a fault is flagged");
    EXPECT_EQ(FaultTextByIndex(12), "31\t  Boost Sensor Signal Low (Turbo)");
    EXPECT_EQ(FaultTextByIndex(21),
        "42\t  Crank Angle Sensor - CAS signal not present during cranking. Possibly "
        "faulty CAS or bad connection");
    EXPECT_EQ(FaultTextByIndex(34), "62\t  Shift Solenoid Valve A (#1)");
    EXPECT_EQ(FaultTextByIndex(48), "84\t  No Immobiliser codes registered in ECU");
    EXPECT_EQ(FaultTextByIndex(49), "46    ISC");
    EXPECT_EQ(FaultTextByIndex(50), "76\tAuto?????????");
    for (int index = 51; index <= 54; ++index)
        EXPECT_EQ(FaultTextByIndex(index), "\tSpare");
    EXPECT_EQ(FaultTextByIndex(UnallocatedFaultText), "      Unallocated fault flag");
}

TEST(FaultTexts, CodeAndDescriptionSplitAfterTwoAndThreeCharacters)
{
    EXPECT_EQ(FaultCodeOf(FaultTextByIndex(0)), "13");
    EXPECT_EQ(FaultDescriptionOf(FaultTextByIndex(0)).substr(0, 10), "  Lambda S");
    EXPECT_EQ(FaultCodeOf("46    ISC"), "46");
    EXPECT_EQ(FaultDescriptionOf("46    ISC"), "   ISC");
    EXPECT_EQ(FaultCodeOf(FaultTextByIndex(UnallocatedFaultText)), "  ");
    EXPECT_EQ(FaultDescriptionOf(FaultTextByIndex(UnallocatedFaultText)), "   Unallocated fault flag");
    EXPECT_EQ(FaultCodeOf("7"), "7");
    EXPECT_EQ(FaultDescriptionOf("76"), "");
    EXPECT_EQ(FaultDescriptionOf("76\t"), "");
    EXPECT_EQ(FaultCodeOf(""), "");
}

struct FaultMapChecksum {
    const char* id; // "" selects the default row
    int sum; // of the 40 text indexes
    int weightedSum; // of (position + 1) x index
};

void PrintTo(const FaultMapChecksum& checksum, std::ostream* out)
{
    *out << '"' << checksum.id << '"';
}

// Worked out from the printed fault map.
constexpr FaultMapChecksum FaultMapChecksums[] = {
    { "", 1010, 28917 },
    { "1103", 1010, 28917 },
    { "1112", 759, 21382 },
    { "1202", 854, 24378 },
    { "1253", 1008, 27972 },
    { "1453", 946, 26514 },
    { "1601", 878, 25056 },
    { "1701", 878, 25056 },
    { "1702", 767, 20520 },
    { "17E2", 944, 26396 },
    { "1843", 888, 25122 },
    { "1881", 1004, 27678 },
    { "1901", 785, 20854 },
    { "1902", 941, 24070 },
    { "1903", 982, 27260 },
    { "1943", 888, 25122 },
    { "F602", 2200, 45100 },
    { "F802", 2200, 45100 },
};
static_assert(std::size(FaultMapChecksums) == EcuRowCount);

class FaultMapTest : public testing::TestWithParam<FaultMapChecksum> { };

TEST_P(FaultMapTest, MatchesThePrintedRow)
{
    const FaultMapChecksum& expected = GetParam();
    int sum = 0;
    int weightedSum = 0;
    for (int position = 0; position < FaultPositionCount; ++position) {
        const int index = FaultTextIndexAt(expected.id, position);
        sum += index;
        weightedSum += (position + 1) * index;
        EXPECT_EQ(FaultTextAt(expected.id, position), FaultTextByIndex(index));
    }
    EXPECT_EQ(sum, expected.sum);
    EXPECT_EQ(weightedSum, expected.weightedSum);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, FaultMapTest, testing::ValuesIn(FaultMapChecksums));

struct ExpectedFault {
    std::string code;
    std::string description;

    bool operator==(const ExpectedFault&) const = default;
};

void PrintTo(const ExpectedFault& fault, std::ostream* out)
{
    *out << '"' << fault.code << "\" \"" << fault.description << '"';
}

std::vector<ExpectedFault> CodesAndDescriptions(const std::vector<DecodedFault>& faults)
{
    std::vector<ExpectedFault> result;
    for (const DecodedFault& fault : faults)
        result.push_back({ std::string(fault.code), std::string(fault.description) });
    return result;
}

struct DecodeCase {
    const char* name;
    const char* id;
    FaultBytes bytes;
    std::vector<ExpectedFault> current;
    std::vector<ExpectedFault> stored;
};

void PrintTo(const DecodeCase& decodeCase, std::ostream* out)
{
    *out << decodeCase.name;
}

const ExpectedFault Unallocated { "  ", "   Unallocated fault flag" };
const ExpectedFault Lambda1 { "13",
    "  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn't change or is slow "
    "to "
    "change a fault is flagged" };
const ExpectedFault CrankAngle { "42",
    "  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or bad connection" };

const DecodeCase DecodeCases[] = {
    { "NoBitsNoFaults", "1103", { 0, 0, 0, 0, 0 }, {}, {} },
    { "Lambda1", "1103", { 0x01, 0, 0, 0, 0 }, { Lambda1 }, {} },
    { "Position11", "1103", { 0, 0x08, 0, 0, 0 }, { CrankAngle }, {} },
    { "Position10SameText", "1103", { 0, 0x04, 0, 0, 0 }, { CrankAngle }, {} },
    { "StoredUnallocated", "1103", { 0, 0, 0, 0x08, 0 }, {}, { Unallocated } },
    { "Lambda2On1601", "1601", { 0x02, 0, 0, 0, 0 },
        { { "26",
            "  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn't change or "
            "is "
            "slow to change a fault is flagged" } },
        {} },
    { "Byte4On1702", "1702", { 0, 0, 0, 0, 0x80 }, { { "75", "  Output Speed sensor Circuit Malfunction" } },
        {} },
    { "EveryBitOnF802", "F802", { 0x10, 0, 0x01, 0x80, 0x02 }, { Unallocated, Unallocated },
        { Unallocated, Unallocated } },
    { "InPositionOrder", "1103", { 0x80, 0x01, 0x01, 0x80, 0x01 },
        { { "25",
              "  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal wire short circuit "
              "or "
              "open circuit power connection" },
            { "33", "  Mass Airflow Sensor High" }, Unallocated },
        { Lambda1, Unallocated } },
};

class FaultDecodeTest : public testing::TestWithParam<DecodeCase> { };

TEST_P(FaultDecodeTest, ListsCurrentAndStoredFaults)
{
    const DecodeCase& decodeCase = GetParam();
    const DecodedFaults faults = DecodeFaults(FaultListOf(decodeCase.id), decodeCase.bytes);
    EXPECT_EQ(CodesAndDescriptions(faults.current), decodeCase.current);
    EXPECT_EQ(CodesAndDescriptions(faults.stored), decodeCase.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultDecodeTest, testing::ValuesIn(DecodeCases),
    [](const testing::TestParamInfo<DecodeCase>& param) { return std::string(param.param.name); });

TEST(FaultDecode, ReportsTheBitPositionOfEachFault)
{
    const DecodedFaults faults = DecodeFaults(FaultListOf("1702"), { 0x01, 0x80, 0x40, 0, 0x01 });
    ASSERT_EQ(faults.current.size(), 3u);
    EXPECT_EQ(faults.current[0].position, 0);
    EXPECT_EQ(faults.current[1].position, 15);
    EXPECT_EQ(faults.current[2].position, 32);
    ASSERT_EQ(faults.stored.size(), 1u);
    EXPECT_EQ(faults.stored[0].position, 22);
}

TEST(FaultLamp, RedForCurrentYellowForStoredBlackForNone)
{
    EXPECT_EQ(MilColourOf({ 0, 0, 0, 0, 0 }), MilColour::Black);
    EXPECT_EQ(MilColourOf({ 1, 0, 0, 0, 0 }), MilColour::Red);
    EXPECT_EQ(MilColourOf({ 0, 0x80, 0, 0, 0 }), MilColour::Red);
    EXPECT_EQ(MilColourOf({ 0, 0, 0, 0, 0x10 }), MilColour::Red);
    EXPECT_EQ(MilColourOf({ 0, 0, 4, 0, 0 }), MilColour::Yellow);
    EXPECT_EQ(MilColourOf({ 0, 0, 0, 0x40, 0 }), MilColour::Yellow);
    EXPECT_EQ(MilColourOf({ 0, 0, 0xFF, 0xFF, 1 }), MilColour::Red);
}

} // namespace
