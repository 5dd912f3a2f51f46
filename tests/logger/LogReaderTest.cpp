#include "logger/LogReader.h"
#include "LogFileTestSupport.h"
#include "defs/LiveValueCatalogue.h"
#include "logger/DataLog.h"
#include "logger/LogStatistics.h"

#include <QTemporaryDir>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> Headings(const LogContents& log)
{
    std::vector<std::string> names;
    for (const LogColumn& column : log.columns)
        names.push_back(column.name);
    return names;
}

std::vector<std::string> ProblemTexts(const LogContents& log)
{
    std::vector<std::string> texts;
    for (const LogProblem& problem : log.problems)
        texts.push_back(ProblemText(problem));
    return texts;
}

// A log written by the logger with "Record all values", one row of it taken with the link lost,
// reads back row for row: every catalogue value a column after the four, the lost row all gaps.
TEST(LogReading, OurLogWithEveryValueAndAGapReadsBackAsWritten)
{
    QTemporaryDir dir;
    const std::filesystem::path target = std::filesystem::path(dir.path().toStdString()) / "kodralog.csv";
    DataLog log;
    ASSERT_EQ(log.AppendHeader(QDateTime(QDate(2026, 7, 12), QTime(10, 49, 56)),
                  { "RPM", "MAP", "CTS", "IAT" }, 400, target, true),
        std::nullopt);
    FakeEcuQueries ecu = IdleEngine();
    ecu.batteryVolts = 13.8F;
    ecu.faultBytes[2] = 17;
    log.AppendRow(ecu);
    ecu.liveValues = false;
    log.AppendRow(ecu);
    ecu.liveValues = true;
    ecu.rpm = 3000;
    log.AppendRow(ecu);
    ASSERT_EQ(log.SaveLog(target), std::nullopt);

    const LogFile file = ReadLogFile(target);
    ASSERT_EQ(file.error, std::nullopt);
    const LogContents& read = file.contents;
    EXPECT_TRUE(read.ownLog);
    EXPECT_TRUE(read.problems.empty()) << ::testing::PrintToString(ProblemTexts(read));
    EXPECT_EQ(read.timeHeading, "Elapsed Time (ms)");
    EXPECT_THAT(read.timesMs, ElementsAre(400, 800, 1200));
    ASSERT_EQ(read.columns.size(), 4 + LiveValueCatalogue().size());
    const std::vector<std::string> names = Headings(read);
    EXPECT_THAT(std::vector<std::string>(names.begin(), names.begin() + 6),
        ElementsAre("RPM", "MAP", "CTS", "IAT", "RPM", "Target Idle"));
    EXPECT_EQ(names.back(), "Status Flags 4");
    EXPECT_THAT(read.columns[0].values[0], 850.0F);
    EXPECT_TRUE(std::isnan(read.columns[0].values[1]));
    EXPECT_EQ(read.columns[0].values[2], 3000.0F);
    // Values without a channel name of their own are headed by their identifier.
    EXPECT_NE(read.Column("Baro"), nullptr);
    ASSERT_NE(read.Column("Batt Volts*10"), nullptr);
    EXPECT_EQ(read.Column("Batt Volts*10")->values[0], 138.0F);
    ASSERT_NE(read.Column("Fault Flags 2"), nullptr);
    EXPECT_EQ(read.Column("Fault Flags 2")->values[2], 17.0F);
    for (const LogColumn& column : read.columns)
        EXPECT_TRUE(std::isnan(column.values[1])) << column.name;
}

// Other tools: a header row, a time column in seconds or milliseconds, any of three separators.
TEST(LogReading, OtherToolsCsvShapes)
{
    const LogContents semicolons = ReadLogText("Time (s);RPM;Boost\n0.5;850;0.1\n1.0;900;\n");
    EXPECT_TRUE(semicolons.problems.empty()) << ::testing::PrintToString(ProblemTexts(semicolons));
    EXPECT_THAT(semicolons.timesMs, ElementsAre(500, 1000));
    EXPECT_THAT(Headings(semicolons), ElementsAre("RPM", "Boost"));
    EXPECT_TRUE(std::isnan(semicolons.columns[1].values[1]));

    // The time need not come first; tabs, quoted headings, a last line without its end.
    const LogContents tabs = ReadLogText("\"rpm\"\t\"time_ms\"\t\"lambda\"\r\n800\t0\t0.98\r\n810\t20\t1.02");
    EXPECT_TRUE(tabs.problems.empty()) << ::testing::PrintToString(ProblemTexts(tabs));
    EXPECT_EQ(tabs.timeHeading, "time_ms");
    EXPECT_THAT(tabs.timesMs, ElementsAre(0, 20));
    EXPECT_THAT(Headings(tabs), ElementsAre("rpm", "lambda"));
    EXPECT_EQ(tabs.columns[1].values[1], 1.02F);

    const LogContents commas = ReadLogText("Timestamp [s],Speed\n1.25,30\n2.5,31\n");
    EXPECT_THAT(commas.timesMs, ElementsAre(1250, 2500));
}

// Broken files: each fault said with its line and column, the rest of the file read.
TEST(LogReading, BrokenFilesSayWhereAndReadTheRest)
{
    const LogContents bad = ReadLogText("KodraPower log file\r\n"
                                        "Time,2026-07-12 10:49:56\r\n"
                                        "Elapsed Time (ms),RPM,MAP\r\n"
                                        "400,850,1013\r\n"
                                        "800,85O,1013\r\n"
                                        "1200,860\r\n"
                                        "x,870,1000\r\n"
                                        "1600,880,1010\r\n"
                                        "2000,89");
    EXPECT_THAT(ProblemTexts(bad),
        ElementsAre("line 5, column 2: RPM: \"85O\" is not a number; read as a gap",
            "line 6: 2 fields where the header has 3; the missing ones are gaps",
            "line 7, column 1: Elapsed Time (ms): \"x\" is not a time; the row is not read",
            "line 9: the last line is cut short and is not read"));
    EXPECT_THAT(bad.timesMs, ElementsAre(400, 800, 1200, 1600));
    EXPECT_EQ(bad.columns[0].values[3], 880.0F);
    EXPECT_TRUE(std::isnan(bad.columns[0].values[1]));
    EXPECT_TRUE(std::isnan(bad.columns[1].values[2]));

    const LogContents noTime = ReadLogText("RPM,MAP\n850,1013\n860,1014\n");
    ASSERT_EQ(noTime.problems.size(), 1U);
    EXPECT_THAT(ProblemText(noTime.problems[0]), HasSubstr("line 1: no time column"));
    EXPECT_THAT(noTime.timesMs, ElementsAre(0, 1000));
    EXPECT_EQ(noTime.columns[1].values[1], 1014.0F);
}

TEST(LogStatisticsTest, SpansCursorsAndFiguresCountGapsApart)
{
    const LogContents log = ReadLogText("Time (ms),RPM\n0,800\n100,\n200,1000\n300,600\n");
    const std::vector<float>& rpm = log.columns[0].values;
    const ChannelStatistics all = StatisticsOf(rpm);
    EXPECT_EQ(all.count, 3U);
    EXPECT_EQ(all.gaps, 1U);
    EXPECT_EQ(all.min, 600.0);
    EXPECT_EQ(all.max, 1000.0);
    EXPECT_EQ(all.mean, 800.0);
    const RowSpan middle = RowsWithin(log.timesMs, 50, 200);
    EXPECT_EQ(middle.first, 1U);
    EXPECT_EQ(middle.end, 3U);
    EXPECT_EQ(StatisticsOf(rpm, middle).mean, 1000.0);
    EXPECT_EQ(StatisticsOf(rpm, RowsWithin(log.timesMs, 101, 199)).count, 0U);
    EXPECT_EQ(StatisticsOf(rpm, RowsWithin(log.timesMs, 101, 199)).mean, std::nullopt);
    EXPECT_EQ(RowAt(log.timesMs, -1), std::nullopt);
    EXPECT_EQ(RowAt(log.timesMs, 199.9), 1U);
    EXPECT_EQ(RowAt(log.timesMs, 200), 2U);
    EXPECT_EQ(RowAt(log.timesMs, 5000), 3U);
}

} // namespace
