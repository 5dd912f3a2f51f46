#include "logger/DataLog.h"
#include "LogFileTestSupport.h"
#include "tests/support/FakeEcuQueries.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kStart(QDate(2026, 7, 12), QTime(10, 49, 56));
const LogChannelNames kDefaultChannels = { "RPM", "MAP", "CTS", "IAT" };
constexpr int kDefaultInterval = 400;

const std::string kDefaultHeader = "KodraPower log file\r\n"
                                   "Time,2026-07-12 10:49:56\r\n"
                                   "Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n";

class DataLogTest : public ::testing::Test {
protected:
    std::filesystem::path Target() const
    {
        return std::filesystem::path(m_dir.path().toStdString()) / "kodralog.csv";
    }

    QTemporaryDir m_dir;
    DataLog m_log;
    FakeEcuQueries m_ecu = IdleEngine();
};

TEST_F(DataLogTest, StoppedBeforeTheFirstTickTheFileIsTheHeaderOnly)
{
    m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()), kDefaultHeader);
    EXPECT_EQ(m_log.LoggedBytes(), 0);
}

TEST_F(DataLogTest, RowsCarryNominalTimeStampsAndEveryLineEndsInCrlf)
{
    m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval);
    EXPECT_EQ(m_log.AppendRow(m_ecu), 20U); // "400,850,1013,86,24\r\n"
    EXPECT_EQ(m_log.LoggedBytes(), 20);
    m_ecu.rpm = 852;
    m_log.AppendRow(m_ecu);
    m_ecu.coolantTemp = -40.4F;
    m_log.AppendRow(m_ecu);
    EXPECT_EQ(m_log.ElapsedMs(), 1200);
    EXPECT_EQ(m_log.RowCount(), 3U);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);

    const std::string file = ReadFileBytes(Target());
    EXPECT_EQ(file,
        kDefaultHeader
            + "400,850,1013,86,24\r\n"
              "800,852,1013,86,24\r\n"
              "1200,852,1013,-40,24\r\n");
    EXPECT_TRUE(HasOnlyCrlfLineEnds(file));
    EXPECT_EQ(m_log.LoggedBytes(), static_cast<std::int64_t>(file.size() - kDefaultHeader.size()));
    EXPECT_FALSE(m_log.HasUnsavedLog());
}

TEST_F(DataLogTest, HeaderNamesTheChannelsAndAnUnambiguousStartTime)
{
    m_log.AppendHeader(
        QDateTime(QDate(2026, 1, 2), QTime(0, 0, 0)), { "Address7", "Batt Volts*10", "x", "" }, 80);
    EXPECT_EQ(m_log.LogLines().front(),
        "KodraPower log file\r\n"
        "Time,2026-01-02 00:00:00\r\n"
        "Elapsed Time (ms),Address7,Batt Volts*10,x,\r\n");
    m_ecu.raw[7] = 255;
    m_ecu.batteryVolts = 13.8F;
    m_log.AppendRow(m_ecu);
    EXPECT_EQ(m_log.LogLines().back(), "80,255,138.00,0,0\r\n");
}

TEST_F(DataLogTest, AShorterSecondRunLeavesNothingOfTheFirst)
{
    m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval);
    for (int i = 0; i < 5; ++i)
        m_log.AppendRow(m_ecu);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);

    m_log.AppendHeader(kStart, { "VSS", "VSS", "VSS", "VSS" }, kDefaultInterval);
    EXPECT_EQ(m_log.RowCount(), 0U);
    EXPECT_EQ(m_log.LoggedBytes(), 0);
    EXPECT_TRUE(m_log.HasUnsavedLog());
    m_log.AppendRow(m_ecu);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()),
        "KodraPower log file\r\nTime,2026-07-12 10:49:56\r\nElapsed Time "
        "(ms),VSS,VSS,VSS,VSS\r\n400,0,0,0,0\r\n");
}

// A failed save is reported, keeps the rows and the earlier file, leaves no temporary file
// behind, and does not spoil the next save.
TEST_F(DataLogTest, AFailedSaveKeepsTheLogAndTheOldFileAndCanBeRetried)
{
    WriteFileBytes(Target(), "earlier good log\r\n");
    const std::filesystem::path temporary = FileHandler::TemporaryPathFor(Target());
    std::filesystem::create_directory(temporary);
    m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval);
    m_log.AppendRow(m_ecu);

    const std::optional<std::string> error = m_log.SaveLog(Target());
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(temporary.string()), std::string::npos) << *error;
    EXPECT_TRUE(m_log.HasUnsavedLog());
    EXPECT_EQ(m_log.RowCount(), 1U);
    EXPECT_EQ(ReadFileBytes(Target()), "earlier good log\r\n");

    std::filesystem::remove(temporary);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()), kDefaultHeader + "400,850,1013,86,24\r\n");
    EXPECT_FALSE(m_log.HasUnsavedLog());
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

TEST_F(DataLogTest, SavesIntoAFolderThatIsAFileOrOverADirectoryFail)
{
    m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval);
    const std::filesystem::path notAFolder = Target().parent_path() / "plain-file";
    WriteFileBytes(notAFolder, "x");
    const std::optional<std::string> intoFile = m_log.SaveLog(notAFolder / "kodralog.csv");
    ASSERT_TRUE(intoFile.has_value());
    EXPECT_NE(intoFile->find("Not a directory"), std::string::npos) << *intoFile;

    // The data can be written, but not renamed over a non-empty directory.
    std::filesystem::create_directories(Target() / "inside");
    const std::optional<std::string> overDirectory = m_log.SaveLog(Target());
    ASSERT_TRUE(overDirectory.has_value());
    EXPECT_NE(overDirectory->find(Target().string()), std::string::npos) << *overDirectory;
    EXPECT_FALSE(std::filesystem::exists(FileHandler::TemporaryPathFor(Target())));
    EXPECT_TRUE(m_log.HasUnsavedLog());
}

TEST(FileHandlerTest, WritesBytesUnchangedAndDiscardsAnUnfinishedFile)
{
    QTemporaryDir dir;
    const std::filesystem::path target = std::filesystem::path(dir.path().toStdString()) / "out.csv";
    {
        FileHandler handler;
        EXPECT_FALSE(handler.IsOpen());
        ASSERT_EQ(handler.Open(target), std::nullopt);
        EXPECT_TRUE(handler.IsOpen());
        handler.Write("a\r\n");
        handler.Write(std::string("\0\n\r", 3));
        ASSERT_EQ(handler.Close(), std::nullopt);
        EXPECT_FALSE(handler.IsOpen());
        EXPECT_EQ(handler.Close(), std::nullopt);
    }
    EXPECT_EQ(ReadFileBytes(target), std::string("a\r\n\0\n\r", 6));
    {
        FileHandler abandoned;
        ASSERT_EQ(abandoned.Open(target), std::nullopt);
        abandoned.Write("half");
    }
    EXPECT_EQ(ReadFileBytes(target), std::string("a\r\n\0\n\r", 6));
    EXPECT_FALSE(std::filesystem::exists(FileHandler::TemporaryPathFor(target)));
}

TEST(LogTargetPathTest, AnExistingDirectoryOrElseTheWorkingDirectory)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_EQ(LogTargetPath(folder), folder / "kodralog.csv");
    EXPECT_EQ(LogTargetPath(folder.string() + "/"), folder / "kodralog.csv");
    EXPECT_EQ(LogTargetPath("C://"), here / "kodralog.csv");
    EXPECT_EQ(LogTargetPath(""), here / "kodralog.csv");
    EXPECT_EQ(LogTargetPath(folder / "missing"), here / "kodralog.csv");
}

} // namespace
