#include "logfile/LogReader.h"
#include "LogFileTestSupport.h"
#include "defs/LiveValueCatalogue.h"
#include "logfile/DataLog.h"
#include "logfile/FieldNumber.h"
#include "logfile/LogStatistics.h"

#include <QTemporaryDir>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/stat.h>

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

std::vector<std::string> Units(const LogContents& log)
{
    std::vector<std::string> units;
    for (const LogColumn& column : log.columns)
        units.push_back(column.unit);
    return units;
}

std::vector<std::string> ProblemTexts(const LogContents& log)
{
    std::vector<std::string> texts;
    for (const LogProblem& problem : log.problems)
        texts.push_back(ProblemText(problem));
    return texts;
}

// A log written by the logger with "Record all values" after a switch to Fahrenheit, one row of it
// taken with the link lost, reads back row for row: every other catalogue value a column after the
// four, each once, with the digits the windows show and the units it was taken in; the lost row
// all gaps.
TEST(LogReading, OurLogWithEveryValueAndAGapReadsBackAsWritten)
{
    QTemporaryDir dir;
    const std::filesystem::path target = std::filesystem::path(dir.path().toStdString()) / "kodralog.csv";
    FakeEcuQueries ecu = IdleEngine();
    ecu.settings.temperatureUnit = "F";
    ecu.coolantTemp = 194.0F;
    ecu.batteryVolts = 13.8F;
    ecu.injectorPw = { 6.19745F, 2.5F };
    ecu.faultBytes[2] = 17;
    DataLog log;
    ASSERT_EQ(log.AppendHeader(QDateTime(QDate(2026, 7, 12), QTime(10, 49, 56)),
                  { "RPM", "MAP", "CTS", "IAT" }, 400, target, { .allValues = true, .units = ecu.settings }),
        std::nullopt);
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
    EXPECT_EQ(read.startText, "2026-07-12 10:49:56");
    EXPECT_TRUE(read.problems.empty()) << ::testing::PrintToString(ProblemTexts(read));
    EXPECT_EQ(read.timeHeading, "Elapsed Time (ms)");
    EXPECT_THAT(read.timesMs, ElementsAre(400, 800, 1200));
    ASSERT_EQ(read.columns.size(), LiveValueCatalogue().size());
    const std::vector<std::string> names = Headings(read);
    EXPECT_THAT(std::vector<std::string>(names.begin(), names.begin() + 5),
        ElementsAre("RPM", "MAP", "CTS", "IAT", "Target Idle"));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names.back(), "Status Flags 4");
    EXPECT_THAT(read.columns[0].values[0], 850.0F);
    EXPECT_TRUE(std::isnan(read.columns[0].values[1]));
    EXPECT_EQ(read.columns[0].values[2], 3000.0F);
    // Values without a channel name of their own are headed by their identifier.
    EXPECT_NE(read.Column("Baro"), nullptr);
    ASSERT_NE(read.Column("Batt Volts*10"), nullptr);
    EXPECT_EQ(read.Column("Batt Volts*10")->values[0], 138.0F);
    EXPECT_EQ(read.Column("Batt Volts*10")->unit, "0.1 V");
    ASSERT_NE(read.Column("INJ PW B1"), nullptr);
    EXPECT_EQ(read.Column("INJ PW B1")->values[0], 6.197F); // as the data viewer shows it
    EXPECT_EQ(read.Column("INJ PW B1")->unit, "ms");
    EXPECT_EQ(read.Column("CTS")->values[0], 194.0F);
    EXPECT_EQ(read.Column("CTS")->unit, "°F");
    EXPECT_EQ(read.Column("VSS")->unit, "MPH");
    EXPECT_EQ(read.Column("RPM")->unit, "rpm");
    ASSERT_NE(read.Column("Fault Flags 2"), nullptr);
    EXPECT_EQ(read.Column("Fault Flags 2")->values[2], 17.0F);
    for (const LogColumn& column : read.columns)
        EXPECT_TRUE(std::isnan(column.values[1])) << column.name;
}

// A log written before the header held the unit choice: the units that do not depend on it still.
TEST(LogReading, AnOlderLogWithoutTheUnitChoiceGivesTheUnitsItCan)
{
    const LogContents log = ReadLogText("KodraPower log file\r\n"
                                        "Time,2026-07-12 10:49:56\r\n"
                                        "Elapsed Time (ms),RPM,CTS,Address7\r\n"
                                        "400,850,86,12\r\n");
    EXPECT_TRUE(log.problems.empty()) << ::testing::PrintToString(ProblemTexts(log));
    EXPECT_THAT(Units(log), ElementsAre("rpm", "", ""));
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

// Writes `text` to a file and reads it as the log viewer and logstat do.
LogFile ReadAsFile(const std::string& text)
{
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "other.csv";
    WriteFileBytes(path, text);
    return ReadLogFile(path);
}

// Other tools' files: a spreadsheet's ";" with decimal commas, units in the headings or in a row of
// their own under quoted title lines, and times in seconds read to the exact millisecond.
TEST(LogReading, OtherToolsDecimalCommasAndUnitsAreReadAsWritten)
{
    const LogFile commas
        = ReadAsFile("Time (s);RPM (rpm);Lambda;Coolant [°C]\r\n0,5;850;0,98;13,9\r\n4,35;900;1,02;14\r\n");
    ASSERT_EQ(commas.error, std::nullopt);
    const LogContents& spreadsheet = commas.contents;
    EXPECT_TRUE(spreadsheet.problems.empty()) << ::testing::PrintToString(ProblemTexts(spreadsheet));
    EXPECT_THAT(spreadsheet.timesMs, ElementsAre(500.0, 4350.0));
    EXPECT_THAT(Headings(spreadsheet), ElementsAre("RPM", "Lambda", "Coolant"));
    EXPECT_THAT(Units(spreadsheet), ElementsAre("rpm", "", "°C"));
    EXPECT_THAT(spreadsheet.columns[1].values, ElementsAre(0.98F, 1.02F));
    EXPECT_THAT(spreadsheet.columns[2].values, ElementsAre(13.9F, 14.0F));

    const LogFile unitsRow = ReadAsFile("\"Some ECU v1.2\"\n\"Capture Date: Sun Jul 12 10:49:56 2026\"\n"
                                        "Time\tRPM\tAFR\tMAP\ns\trpm\tAFR\tkPa\n"
                                        "0.000\t850\t14.7\t101.3\n0.050\t860\t\t99\n");
    ASSERT_EQ(unitsRow.error, std::nullopt);
    const LogContents& tuning = unitsRow.contents;
    EXPECT_TRUE(tuning.problems.empty()) << ::testing::PrintToString(ProblemTexts(tuning));
    EXPECT_THAT(tuning.timesMs, ElementsAre(0.0, 50.0));
    EXPECT_THAT(Headings(tuning), ElementsAre("RPM", "AFR", "MAP"));
    EXPECT_THAT(Units(tuning), ElementsAre("rpm", "AFR", "kPa"));
    EXPECT_EQ(tuning.columns[2].values[0], 101.3F);
    EXPECT_TRUE(std::isnan(tuning.columns[1].values[1]));
}

// A file of which not one value could be read is no log, whatever its header promises.
TEST(LogReading, AFileOfWhichNothingCouldBeReadIsAnErrorSayingWhy)
{
    const LogFile commas = ReadAsFile("Time (s),CTS\n0.5,x\n1.0,y\n");
    ASSERT_TRUE(commas.error.has_value());
    EXPECT_THAT(*commas.error,
        HasSubstr("other.csv: no value could be read (line 2, column 2: CTS: \"x\" is not a number; read as "
                  "a gap)"));
    const LogFile headerOnly
        = ReadAsFile("KodraPower log file\r\nTime,2026-07-12 10:49:56\r\nElapsed Time (ms),RPM\r\n");
    ASSERT_TRUE(headerOnly.error.has_value());
    EXPECT_THAT(*headerOnly.error, HasSubstr("no row could be read (it has none)"));
}

// What is not a regular file is refused at once: a FIFO would keep the reader waiting for a
// writer for ever. A huge heading or field full of escapes is told as a short escaped excerpt.
TEST(LogReading, AFifoIsRefusedAtOnceAndAHostileFieldIsToldAsAnExcerpt)
{
    QTemporaryDir dir;
    const std::filesystem::path fifo = std::filesystem::path(dir.path().toStdString()) / "drive.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const LogFile refused = ReadLogFile(fifo);
    ASSERT_TRUE(refused.error.has_value());
    EXPECT_EQ(*refused.error, fifo.string() + " is a FIFO, not a log file");

    const std::string escapes = "\x1b]0;owned\x07";
    const LogContents log = ReadLogText("Time (ms),\x1b[2J" + std::string(100000, 'R') + "\n0,800\n40,"
        + escapes + std::string(100000, 'A') + "\n");
    ASSERT_EQ(log.problems.size(), 1U);
    const std::string told = ProblemText(log.problems[0]);
    EXPECT_LT(told.size(), 200U) << told;
    EXPECT_EQ(told.find('\x1b'), std::string::npos) << told;
    EXPECT_THAT(told, HasSubstr("\\x1B]0;owned\\x07"));
}

// A file from disk whose time goes back keeps the earlier rows and leaves out each one that goes
// back, naming its line; a time equal to the latest is no step back. Of a file that is wrong on
// every line, the first hundred problems are listed and the rest only counted.
TEST(LogReading, RowsWhoseTimeGoesBackAreLeftOutAndAHundredProblemsAreListedAtMost)
{
    const LogFile back = ReadAsFile("Time (ms),RPM\n0,800\n100,810\n 50 ,820\n99,825\n100,830\n200,840\n");
    ASSERT_EQ(back.error, std::nullopt);
    EXPECT_THAT(back.contents.timesMs, ElementsAre(0, 100, 100, 200));
    EXPECT_THAT(back.contents.columns[0].values, ElementsAre(800, 810, 830, 840));
    EXPECT_THAT(ProblemTexts(back.contents),
        ElementsAre("line 4, column 1: Time (ms): the time goes back to 50; the row is not read",
            "line 5, column 1: Time (ms): the time goes back to 99; the row is not read"));

    constexpr int kBadRows = 250;
    std::string text = "Time (ms),RPM\n";
    for (int row = 0; row < kBadRows; ++row)
        text += std::to_string(row * 10) + ",x\n";
    const LogFile bad = ReadAsFile(text);
    ASSERT_TRUE(bad.error.has_value()); // no value in any row
    ASSERT_EQ(bad.contents.problems.size(), 100U);
    EXPECT_EQ(bad.contents.unlistedProblems, static_cast<std::size_t>(kBadRows) - 100U);
    EXPECT_EQ(ProblemText(bad.contents.problems.back()),
        "line 101, column 2: RPM: \"x\" is not a number; read as a gap");
    EXPECT_EQ(bad.contents.Rows(), static_cast<std::size_t>(kBadRows));
}

// A long log is read in stretches by several threads; a stretch of rows whose time goes back
// across the place where one stretch ends and the next begins is left out as in one go.
TEST(LogReading, ReadingInStretchesGivesWhatReadingInOneGoGives)
{
    constexpr int kRows = 150000;
    std::string text = "Time (ms),RPM,Lambda\n";
    for (int row = 0; row < kRows; ++row) {
        const bool back = row > kRows * 45 / 100 && row < kRows * 75 / 100;
        text += std::to_string(back ? 7 : row * 10) + "," + std::to_string(800 + row % 3000) + ","
            + (row % 777 == 0 ? "bad" : "0." + std::to_string(row % 1000)) + "\n";
    }
    const LogContents once = ReadLogText(text, nullptr, 1);
    const LogContents stretches = ReadLogText(text, nullptr, 3);
    EXPECT_EQ(once.Rows(), static_cast<std::size_t>(kRows - (kRows * 30 / 100 - 1)));
    EXPECT_EQ(stretches.timesMs, once.timesMs);
    ASSERT_EQ(stretches.columns.size(), 2U);
    for (std::size_t column = 0; column < 2; ++column) {
        const std::vector<float>& a = once.columns[column].values;
        const std::vector<float>& b = stretches.columns[column].values;
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(0, std::memcmp(a.data(), b.data(), a.size() * sizeof(float))) << column;
    }
    EXPECT_EQ(ProblemTexts(stretches), ProblemTexts(once));
    EXPECT_EQ(stretches.unlistedProblems, once.unlistedProblems);
    EXPECT_THAT(ProblemTexts(once)[0], HasSubstr("line 2, column 3: Lambda: \"bad\""));
}

// Markers stand among the rows of our logs; read in stretches they come back in order, each with its
// latest note (commas and all), and the rows are as if there were none. A marker line that cannot
// be read is said, and another tool's file has no markers: its '#' lines are rows it cannot read.
TEST(LogReading, MarkersAmongTheRowsComeBackInOrderWithTheirLatestNotes)
{
    constexpr int kRows = 150000;
    std::string text = "KodraPower log file\r\nTime,2026-07-12 10:49:56\r\nElapsed Time (ms),RPM\r\n";
    std::string plain = text;
    for (int row = 1; row <= kRows; ++row) {
        const std::string line = std::to_string(row * 40) + "," + std::to_string(800 + row % 3000) + "\r\n";
        text += line;
        plain += line;
        if (row % 50000 == 1)
            text += LogMarkerLine::Text(row / 50000 + 1, row * 40, "");
        if (row == 120000)
            text += LogMarkerLine::Text(1, 40, "stumble, then\r\nstall") + "#marker,x,1,\r\n";
    }
    const LogContents marked = ReadLogText(text, nullptr, 3);
    const LogContents unmarked = ReadLogText(plain, nullptr, 1);
    EXPECT_EQ(marked.timesMs, unmarked.timesMs);
    EXPECT_EQ(marked.columns[0].values, unmarked.columns[0].values);
    EXPECT_EQ(marked.markers,
        (std::vector<LogMarker> {
            { 1, 40, "stumble, then  stall" }, { 2, 2000040, "" }, { 3, 4000040, "" } }));
    EXPECT_THAT(ProblemTexts(marked), ElementsAre(HasSubstr("\"#marker,x,1,\" is not a marker")));

    const LogContents other = ReadLogText("Time (ms),RPM\n40,800\n#marker,1,40,\n80,810\n");
    EXPECT_EQ(other.Rows(), 2U);
    EXPECT_TRUE(other.markers.empty());
    EXPECT_EQ(other.problems.size(), 1U);
}

// Logs are read without the general number parser where a field is a plain decimal: the values
// must be the general parser's to the bit, in every case it takes, and a decimal comma where the
// file allows one. Times in seconds become exact milliseconds.
TEST(LogReading, PlainDecimalsAreReadToTheBitAsTheGeneralParserReadsThem)
{
    const FieldNumbers points;
    const FieldNumbers commas(true);
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::string text = (random() % 4 == 0 ? "-" : "") + std::to_string(random() % 100000000);
        const std::size_t point = random() % (text.size() + 1);
        if (point < text.size() && text[point] != '-')
            text.insert(point, ".");
        float general = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), general);
        ASSERT_EQ(ec, std::errc()) << text;
        float fast = -1;
        bool read = false;
        EXPECT_EQ(points.Scan(text.data(), text.data() + text.size(), fast, read), text.data() + text.size());
        if (read) {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(general)) << text;
        }
        float whole = -1;
        ASSERT_TRUE(points.Read(text, whole)) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(whole), std::bit_cast<std::uint32_t>(general)) << text;
        std::string comma = text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        ASSERT_TRUE(commas.Read(comma, whole)) << comma;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(whole), std::bit_cast<std::uint32_t>(general)) << comma;
    }
    float value = 0;
    EXPECT_FALSE(points.Read("13,9", value));
    EXPECT_FALSE(commas.Read("1,234.5", value));
    EXPECT_FALSE(points.Read("nan", value));
    EXPECT_TRUE(points.Read("+1.5e2", value));
    EXPECT_EQ(value, 150.0F);
    double ms = 0;
    ASSERT_TRUE(points.Read("4.35", ms, 3));
    EXPECT_EQ(ms, 4350.0);
    ASSERT_TRUE(commas.Read("0,0125", ms, 3));
    EXPECT_EQ(ms, 12.5);
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
