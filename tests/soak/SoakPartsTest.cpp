// What the soak run holds the program against: the values the fixed bytes give, and its own
// reading of every saved log file.
#include "FakeEcuQueries.h"
#include "LogFileTestSupport.h"

#include "sim/IdealLine.h"
#include "soak/ExpectedEcu.h"
#include "soak/SoakLogger.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const LogChannelNames Channels = { "RPM", "MAP", "CTS", "IAT" };
constexpr std::uint32_t Seed = 7;

// A connection over a perfect line to the simulator holding the given bytes.
struct IdealConnection {
    IdealConnection(const std::string& ecuId, const SimulatorSettings& settings)
        : ecu(ecuId, settings, [] { return 0.0; })
        , line(ecu)
        , connection(line, unheard)
    {
        connection.SetSampleRate(EcuConnection::MinSampleRate);
        connection.Connect();
    }

    EcuSimulator ecu;
    IdealLine line;
    ConnectionEvents unheard;
    EcuConnection connection;
};

class ExpectedEcuOf : public testing::TestWithParam<const char*> { };

// Full rows, a row with a value fed by two offsets (1901), a base address above 0 (F802), an
// OBD2 ECU and an unknown one.
TEST_P(ExpectedEcuOf, AcceptsEveryTickOfAConnectionPollingTheSameBytes)
{
    const ExpectedEcu expected(GetParam(), Seed, QStringLiteral("15625"), Channels);
    ASSERT_EQ(expected.SelfCheckProblem(), std::nullopt);
    IdealConnection ideal(GetParam(), expected.FixedInto({}));
    int settledTicks = 0;
    for (int tick = 0; tick < 200 && ideal.connection.CompletedSweeps() < 4; ++tick) {
        ideal.connection.Tick();
        if (ideal.connection.CompletedSweeps() >= 2) {
            ++settledTicks;
            ASSERT_EQ(expected.QueryMismatch(ideal.connection), std::nullopt) << "tick " << tick;
        } else {
            ASSERT_EQ(expected.PartialRawMismatch(ideal.connection), std::nullopt) << "tick " << tick;
        }
    }
    EXPECT_GT(settledTicks, 0);
}

INSTANTIATE_TEST_SUITE_P(Ecus, ExpectedEcuOf, testing::Values("1103", "1901", "F802", "1B34", "ABCD"));

TEST(ExpectedEcu, OneByteThatDiffersIsFoundAndNamed)
{
    const ExpectedEcu expected("1103", Seed, QStringLiteral("15625"), Channels);
    SimulatorSettings settings = expected.FixedInto({});
    const std::uint8_t address = expected.PolledAddresses().at(3);
    settings.fixedBytes[address] = static_cast<std::uint8_t>(*settings.fixedBytes[address] + 1);
    IdealConnection ideal("1103", settings);
    for (int tick = 0; tick < 200 && ideal.connection.CompletedSweeps() < 2; ++tick)
        ideal.connection.Tick();

    const auto partial = expected.PartialRawMismatch(ideal.connection);
    ASSERT_TRUE(partial.has_value());
    EXPECT_TRUE(partial->starts_with("GetRawValue(3) is ")) << *partial;
    EXPECT_TRUE(expected.QueryMismatch(ideal.connection).has_value());
}

TEST(ExpectedEcu, OnlyAValueFedByTwoOffsetsHasTwoChoices)
{
    const ExpectedEcu ecu1901("1901", Seed, QStringLiteral("15625"), Channels);
    EXPECT_EQ(ecu1901.LogFieldChoices()[0].size(), 2U); // RPM from offsets 7 and 35
    EXPECT_EQ(ecu1901.LogFieldChoices()[2].size(), 1U);
    const ExpectedEcu ecu1103("1103", Seed, QStringLiteral("15625"), Channels);
    for (const auto& choices : ecu1103.LogFieldChoices())
        EXPECT_EQ(choices.size(), 1U);
}

class SoakLoggerTest : public testing::Test {
protected:
    SoakLoggerTest()
    {
        ecu.rpm = 850;
        ecu.load8 = 30;
        ecu.coolantTemp = 86;
        ecu.airTemp = 24;
    }

    SoakLogger MakeLogger(const std::filesystem::path& logFolder)
    {
        return SoakLogger(ecu, Channels, Interval, logFolder / DataLog::kLogFileName,
            { { { "850" }, { "30" }, { "86" }, { "24" } } });
    }

    static constexpr int Interval = 40;
    QTemporaryDir dir;
    std::filesystem::path folder { dir.path().toStdString() };
    FakeEcuQueries ecu;
};

TEST_F(SoakLoggerTest, EverySaveIsReadBackAndEveryRowCounted)
{
    SoakLogger logger = MakeLogger(folder);
    logger.Start();
    for (int i = 0; i < 5; ++i)
        logger.Sample(true);
    logger.SaveAndStartAgain(false);
    for (int i = 0; i < 3; ++i)
        logger.Sample(true);
    logger.Finish(true);

    EXPECT_EQ(logger.Samples(), 8);
    EXPECT_EQ(logger.RowsSaved(), 8);
    EXPECT_EQ(logger.RowsLost(), 0);
    EXPECT_EQ(logger.Saves(), 2);
    EXPECT_EQ(logger.SavesWithCableOut(), 1);
    EXPECT_EQ(logger.ProblemCount(), 0) << testing::PrintToString(logger.Problems());
    const std::string file = ReadFileBytes(folder / DataLog::kLogFileName);
    EXPECT_TRUE(file.ends_with("\r\n40,850,30,86,24\r\n80,850,30,86,24\r\n120,850,30,86,24\r\n")) << file;
}

TEST_F(SoakLoggerTest, ARowOutsideTheChoicesIsWrongOnlyWhenTheValuesWereSettled)
{
    SoakLogger logger = MakeLogger(folder);
    logger.Start();
    ecu.rpm = 0;
    logger.Sample(false); // before the first sweeps: anything goes
    logger.Sample(true);
    ecu.rpm = 850;
    logger.Sample(true);
    logger.Finish(false);

    EXPECT_EQ(logger.WrongRows(), 1);
    ASSERT_EQ(logger.Problems().size(), 1U);
    EXPECT_NE(logger.Problems()[0].find("row 2 reads \"80,0,30,86,24\""), std::string::npos)
        << logger.Problems()[0];
    EXPECT_EQ(logger.RowsLost(), 0);
}

TEST_F(SoakLoggerTest, AFailedSaveKeepsItsRowsForTheNextSave)
{
    const std::filesystem::path later = folder / "later";
    SoakLogger logger = MakeLogger(later);
    logger.Start();
    logger.Sample(true);
    logger.Sample(true);
    logger.SaveAndStartAgain(false); // the folder is not there yet
    EXPECT_EQ(logger.FailedSaves(), 1);
    std::filesystem::create_directory(later);
    logger.Sample(true);
    logger.Finish(false);

    EXPECT_EQ(logger.Samples(), 3);
    EXPECT_EQ(logger.RowsSaved(), 3);
    EXPECT_EQ(logger.ProblemCount(), 1); // the failed save, reported
    EXPECT_TRUE(ReadFileBytes(later / DataLog::kLogFileName).ends_with("\r\n120,850,30,86,24\r\n"));
}

} // namespace
