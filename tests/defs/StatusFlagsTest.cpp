#include "defs/StatusFlags.h"
#include "defs/EcuIdentification.h"
#include "tests/defs/TextChecksum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(StatusTexts, AllFiftySixTextsHaveThePrintedLength)
{
    std::size_t total = 0;
    for (int index = 0; index < StatusTextCount; ++index) {
        const std::string_view text = StatusTextByIndex(index);
        total += text.size();
        EXPECT_EQ(std::ranges::count(text, ','), 2) << index;
    }
    EXPECT_EQ(total, 1208u);
    EXPECT_EQ(
        TextChecksum(StatusTextByIndex, StatusTextCount), 34489759); // worked out from the printed texts
    EXPECT_EQ(StatusTextByIndex(StatusTextCount), "");
}

TEST(StatusTexts, SpotChecks)
{
    EXPECT_EQ(StatusTextByIndex(UnusedStatusText), "Unimplemented,ON,OFF");
    EXPECT_EQ(StatusTextByIndex(7), "Rich/Lean Monitor,LEAN,RICH");
    EXPECT_EQ(StatusTextByIndex(9), "Idle Position,OPEN,IDLE");
    EXPECT_EQ(StatusTextByIndex(34), "Shift Solenoid /#1,OFF,ON");
    EXPECT_EQ(StatusTextByIndex(40), "D Range Shift Switch,PN,D");
    EXPECT_EQ(StatusTextByIndex(46), "Rich/lean Monitor B2,LEAN,RICH");
    for (const int index : { 14, 16, 27, 41, 49, 50, 51, 52, 53, 54, 55 })
        EXPECT_EQ(StatusTextByIndex(index), "Unimplemented,OFF,ON") << index;
}

struct StatusRow {
    const char* id; // "" selects the default row
    int sum; // of the 40 text indexes
    int weightedSum; // of (position + 1) x index
    std::size_t lines; // printed line count of the row
};

void PrintTo(const StatusRow& row, std::ostream* out)
{
    *out << '"' << row.id << '"';
}

// Sums worked out from the printed status map; line counts as printed.
constexpr StatusRow StatusRows[] = {
    { "", 110, 1294, 7 },
    { "1103", 110, 1294, 7 },
    { "1112", 118, 2732, 8 },
    { "1202", 109, 1318, 8 },
    { "1253", 119, 1222, 9 },
    { "1453", 101, 1197, 8 },
    { "1601", 188, 1869, 9 },
    { "1701", 188, 1869, 9 },
    { "1702", 377, 11062, 14 },
    { "17E2", 112, 872, 10 },
    { "1843", 96, 1234, 7 },
    { "1881", 112, 872, 10 },
    { "1901", 243, 2346, 10 },
    { "1902", 114, 2038, 10 },
    { "1903", 80, 834, 7 },
    { "1943", 118, 733, 7 },
    { "F602", 807, 16328, 17 },
    { "F802", 835, 17336, 18 },
};
static_assert(std::size(StatusRows) == EcuRowCount);

class StatusRowTest : public testing::TestWithParam<StatusRow> { };

TEST_P(StatusRowTest, MatchesThePrintedRow)
{
    const StatusRow& expected = GetParam();
    int sum = 0;
    int weightedSum = 0;
    for (int position = 0; position < StatusPositionCount; ++position) {
        const int index = StatusTextIndexAt(expected.id, position);
        sum += index;
        weightedSum += (position + 1) * index;
        EXPECT_EQ(StatusTextAt(expected.id, position), StatusTextByIndex(index));
    }
    EXPECT_EQ(sum, expected.sum);
    EXPECT_EQ(weightedSum, expected.weightedSum);
}

TEST_P(StatusRowTest, LineCountIsTheSameForAnyBytes)
{
    const StatusRow& expected = GetParam();
    const StatusList list = StatusListOf(expected.id);
    for (const StatusBytes& bytes : { StatusBytes {}, StatusBytes { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF } })
        EXPECT_EQ(DecodeStatus(list, bytes).size(), expected.lines);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, StatusRowTest, testing::ValuesIn(StatusRows));

using Lines = std::vector<std::pair<std::string, std::string>>;

Lines Decode(const char* id, const StatusBytes& bytes)
{
    Lines lines;
    for (const StatusLine& line : DecodeStatus(StatusListOf(id), bytes))
        lines.emplace_back(line.name, line.state);
    return lines;
}

TEST(StatusDecode, ReadsBitsMostSignificantFirst)
{
    const Lines expected {
        { "Evap. Can. Purge", "ON" }, // position 5, byte 0 mask 4
        { "EGR Valve", "OFF" }, { "Rich/Lean Monitor", "RICH" }, // position 7, byte 0 mask 1
        { "Idle Position", "OPEN" }, { "D Range Shift Switch", "PN" }, { "AC Pressure Switch", "OFF" },
        { "PS Switch", "ON" }, // position 14, byte 1 mask 2
    };
    EXPECT_EQ(Decode("1103", { 0x05, 0x02, 0, 0, 0 }), expected);
}

TEST(StatusDecode, PrintedEdgeCases)
{
    EXPECT_EQ(Decode("1103", { 0x04, 0, 0, 0, 0 }).at(0), Lines::value_type("Evap. Can. Purge", "ON"));
    EXPECT_EQ(Decode("1103", { 0x00, 0, 0, 0, 0 }).at(0), Lines::value_type("Evap. Can. Purge", "OFF"));
    EXPECT_EQ(Decode("1103", { 0, 0x10, 0, 0, 0 }).at(3), Lines::value_type("Idle Position", "IDLE"));
    EXPECT_EQ(Decode("1103", { 0, 0x00, 0, 0, 0 }).at(3), Lines::value_type("Idle Position", "OPEN"));
    EXPECT_EQ(Decode("1253", { 0, 0x80, 0, 0, 0 }).at(3), Lines::value_type("D Range Shift Switch", "D"));
    EXPECT_EQ(Decode("1253", { 0, 0x00, 0, 0, 0 }).at(3), Lines::value_type("D Range Shift Switch", "PN"));
}

TEST(StatusDecode, TransmissionFlagsOfByteFourShowOffWhileItStaysZero)
{
    const Lines lines = Decode("1702", { 0xFF, 0xFF, 0xFF, 0xFF, 0 });
    const Lines lastSix(lines.end() - 6, lines.end());
    const Lines expected {
        { "TCC Solenoid Mon.", "OFF" },
        { "Shift Solenoid /#2 Mon.", "OFF" },
        { "Shift Solenoid /#1 Mon.", "OFF" },
        { "TCC Solenoid", "OFF" },
        { "Shift Solenoid /#2", "OFF" },
        { "Shift Solenoid /#1", "OFF" },
    };
    EXPECT_EQ(lastSix, expected);
}

TEST(StatusDecode, UnimplementedPositionsGiveNoLine)
{
    EXPECT_EQ(StatusTextAt("F602", 4), "Unimplemented,OFF,ON");
    const Lines lines = Decode("F602", { 0x08, 0, 0, 0, 0 }); // position 4 set
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], Lines::value_type("Fuel Cut", "OFF"));
    EXPECT_EQ(lines[1], Lines::value_type("Evap. Can. Purge", "OFF"));
    EXPECT_EQ(lines[2], Lines::value_type("EGR Valve", "OFF"));
}

TEST(StatusDecode, EmptyTextsGiveEmptyLines)
{
    const std::vector<StatusLine> lines = DecodeStatus(StatusList {}, StatusBytes { 0xFF, 0, 0, 0, 0 });
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(StatusPositionCount));
    EXPECT_EQ(lines[0].name, "");
    EXPECT_EQ(lines[0].state, "");
}

} // namespace
