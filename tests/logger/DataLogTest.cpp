#include "logfile/DataLog.h"
#include "LogFileTestSupport.h"
#include "tests/support/FakeEcuQueries.h"

#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace {

const QDateTime kStart(QDate(2026, 7, 12), QTime(10, 49, 56));
const LogChannelNames kDefaultChannels = { "RPM", "MAP", "CTS", "IAT" };
constexpr int kDefaultInterval = 400;

const std::string kDefaultHeader = "KodraPower log file\r\n"
                                   "Time,2026-07-12 10:49:56,Temperature,C,Speed,MPH\r\n"
                                   "Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n";

class DataLogTest : public ::testing::Test {
protected:
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }
    std::filesystem::path Target() const { return Folder() / "kodralog.csv"; }
    std::optional<std::string> Begin(const LogChannelNames& channels = kDefaultChannels)
    {
        return m_log.AppendHeader(kStart, channels, kDefaultInterval, Target());
    }
    std::size_t FilesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(
            std::filesystem::directory_iterator(Folder()), std::filesystem::directory_iterator()));
    }

    QTemporaryDir m_dir;
    DataLog m_log;
    FakeEcuQueries m_ecu = IdleEngine();
};

TEST_F(DataLogTest, StoppedBeforeTheFirstTickTheFileIsTheHeaderOnly)
{
    ASSERT_EQ(Begin(), std::nullopt);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()), kDefaultHeader);
    EXPECT_EQ(m_log.LoggedBytes(), 0);
    EXPECT_EQ(FilesInFolder(), 1U);
}

// Each row is in the recording file as soon as it is taken; Stop gives it the log's name.
TEST_F(DataLogTest, RowsAreOnTheDiskAsTakenWithNominalTimesEmptyGapsAndCrlfLineEnds)
{
    ASSERT_EQ(Begin(), std::nullopt);
    EXPECT_EQ(m_log.AppendRow(m_ecu), 20U); // "400,850,1013,86,24\r\n"
    EXPECT_EQ(m_log.LoggedBytes(), 20);
    // On the disk from the recording's writer, without a Stop.
    const std::string firstRow = kDefaultHeader + "400,850,1013,86,24\r\n";
    EXPECT_EQ(FileBytesOnceThey(m_log.RecordingPath(), firstRow), firstRow);
    EXPECT_EQ(m_log.RecordingPath().parent_path(), Folder());
    m_ecu.rpm = 852;
    m_log.AppendRow(m_ecu);
    // The connection lost: the time goes on, the values are left out.
    m_ecu.liveValues = false;
    EXPECT_EQ(m_log.AppendRow(m_ecu), 10U); // "1200,,,,\r\n"
    m_ecu.liveValues = true;
    m_ecu.coolantTemp = -40.4F;
    m_log.AppendRow(m_ecu);
    EXPECT_EQ(m_log.ElapsedMs(), 1600);
    EXPECT_EQ(m_log.RowCount(), 4U);
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);

    const std::string file = ReadFileBytes(Target());
    EXPECT_EQ(file,
        kDefaultHeader
            + "400,850,1013,86,24\r\n"
              "800,852,1013,86,24\r\n"
              "1200,,,,\r\n"
              "1600,852,1013,-40,24\r\n");
    EXPECT_TRUE(HasOnlyCrlfLineEnds(file));
    EXPECT_EQ(m_log.LoggedBytes(), static_cast<std::int64_t>(file.size() - kDefaultHeader.size()));
    EXPECT_EQ(m_log.FileBytes(), static_cast<std::int64_t>(file.size()));
    EXPECT_FALSE(m_log.HasUnsavedLog());
    EXPECT_EQ(FilesInFolder(), 1U);
}

TEST_F(DataLogTest, HeaderNamesTheChannelsAndAnUnambiguousStartTime)
{
    m_log.AppendHeader(
        QDateTime(QDate(2026, 1, 2), QTime(0, 0, 0)), { "Address7", "Batt Volts*10", "x", "" }, 80, Target());
    m_ecu.raw[7] = 255;
    m_ecu.batteryVolts = 13.8F;
    m_log.AppendRow(m_ecu);
    const std::string expected = "KodraPower log file\r\n"
                                 "Time,2026-01-02 00:00:00,Temperature,C,Speed,MPH\r\n"
                                 "Elapsed Time (ms),Address7,Batt Volts*10,x,\r\n"
                                 "80,255,138.00,0,0\r\n";
    EXPECT_EQ(FileBytesOnceThey(m_log.RecordingPath(), expected), expected);
}

// A log an earlier run wrote is kept beside the new one under its own start time; a file that
// is no log is replaced as before.
TEST_F(DataLogTest, ANewRunKeepsTheEarlierLogUnderItsStartTime)
{
    for (int run = 0; run < 3; ++run) {
        ASSERT_EQ(Begin(), std::nullopt);
        for (int i = 0; i <= run; ++i)
            m_log.AppendRow(m_ecu);
        ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    }
    const std::string row = "400,850,1013,86,24\r\n";
    EXPECT_EQ(
        ReadFileBytes(Target()), kDefaultHeader + row + "800,850,1013,86,24\r\n" + "1200,850,1013,86,24\r\n");
    EXPECT_EQ(ReadFileBytes(Folder() / "kodralog-20260712-104956.csv"), kDefaultHeader + row);
    EXPECT_EQ(ReadFileBytes(Folder() / "kodralog-20260712-104956-2.csv"),
        kDefaultHeader + row + "800,850,1013,86,24\r\n");

    const std::filesystem::path other = Folder() / "run.csv";
    WriteFileBytes(other, "not a log\r\n");
    ASSERT_EQ(m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval, other), std::nullopt);
    ASSERT_EQ(m_log.SaveLog(other), std::nullopt);
    ASSERT_EQ(m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval, other), std::nullopt);
    ASSERT_EQ(m_log.SaveLog(other), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Folder() / "run-20260712-104956.csv"), kDefaultHeader);
    EXPECT_EQ(FilesInFolder(), 5U);
}

// A failed save is reported, keeps the rows and the recording, and does not spoil the next save.
TEST_F(DataLogTest, AFailedSaveKeepsTheLogAndCanBeRetried)
{
    std::filesystem::create_directories(Target() / "inside");
    ASSERT_EQ(Begin(), std::nullopt);
    m_log.AppendRow(m_ecu);

    const std::optional<std::string> error = m_log.SaveLog(Target());
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(Target().string()), std::string::npos) << *error;
    EXPECT_TRUE(m_log.HasUnsavedLog());
    EXPECT_EQ(m_log.RowCount(), 1U);

    std::filesystem::remove_all(Target());
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()), kDefaultHeader + "400,850,1013,86,24\r\n");
    EXPECT_FALSE(m_log.HasUnsavedLog());
    EXPECT_EQ(FilesInFolder(), 1U);
}

// A folder that cannot be written holds the rows in memory; a later save into a good folder
// writes every one of them.
TEST_F(DataLogTest, RowsRefusedAtTheStartAreSavedWhereTheDiskTakesThem)
{
    const std::filesystem::path notAFolder = Folder() / "plain-file";
    WriteFileBytes(notAFolder, "x");
    const std::optional<std::string> problem
        = m_log.AppendHeader(kStart, kDefaultChannels, kDefaultInterval, notAFolder / "kodralog.csv");
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("Not a directory"), std::string::npos) << *problem;
    m_log.AppendRow(m_ecu);
    EXPECT_TRUE(m_log.WriteProblem().has_value());
    ASSERT_TRUE(m_log.SaveLog(notAFolder / "kodralog.csv").has_value());
    ASSERT_EQ(m_log.SaveLog(Target()), std::nullopt);
    EXPECT_EQ(ReadFileBytes(Target()), kDefaultHeader + "400,850,1013,86,24\r\n");
}

// Bytes go out unchanged, never through a planted link, and a recording ended without Stop stays
// on the disk for recovery.
TEST(RecordingFileTest, WritesBytesUnchangedNeverThroughALinkAndKeepsAnUnfinishedRecording)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path target = folder / "out.csv";
    const std::filesystem::path victim = folder / "victim";
    WriteFileBytes(victim, "precious");
    // Where a fixed temporary name would have been.
    std::filesystem::create_symlink(victim, folder / "out.csv.tmp");
    std::filesystem::path abandoned;
    {
        RecordingFile recording;
        ASSERT_EQ(recording.Begin(target, "20260712-104956", "a\r\n"), std::nullopt);
        ASSERT_EQ(recording.Append(std::string("\0\n\r", 3)), std::nullopt);
        ASSERT_EQ(recording.Finish(target), std::nullopt);
        EXPECT_FALSE(recording.IsActive());
        ASSERT_EQ(recording.Begin(target, "20260712-104957", "half"), std::nullopt);
        abandoned = recording.Path();
    }
    EXPECT_EQ(ReadFileBytes(target), std::string("a\r\n\0\n\r", 6));
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    EXPECT_TRUE(abandoned.filename().string().starts_with(".kodralog-recording-20260712-104957-"));
    EXPECT_EQ(ReadFileBytes(abandoned), "half");
}

class RecoveryTest : public ::testing::Test {
protected:
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }
    // A recording as a killed program leaves it.
    std::filesystem::path Leftover(const QDateTime& start, const std::string& rows)
    {
        DataLog log;
        EXPECT_EQ(log.AppendHeader(start, kDefaultChannels, kDefaultInterval, Folder() / "kodralog.csv"),
            std::nullopt);
        const std::filesystem::path path = log.RecordingPath();
        std::ofstream(path, std::ios::binary | std::ios::app) << rows;
        return path;
    }

    QTemporaryDir m_dir;
};

// A torn last line is dropped, an empty recording becomes a header-only log, two leftovers
// become two logs, and each recording file goes only once its log is there.
TEST_F(RecoveryTest, FinishesEveryLeftoverKeepingEveryCompleteRow)
{
    Leftover(kStart, "400,850,1013,86,24\r\n800,851,10");
    const QDateTime later = kStart.addSecs(3600);
    Leftover(later, "");
    WriteFileBytes(Folder() / ".kodralog-recording-20260712-120000-abcdef", "KodraPower log file\r\nTi");

    const Recovery recovery = RecoverRecordings(Folder());
    EXPECT_TRUE(recovery.problems.empty());
    ASSERT_EQ(recovery.logs.size(), 2U);
    EXPECT_EQ(recovery.logs[0].path, Folder() / "kodralog-20260712-104956.csv");
    EXPECT_EQ(recovery.logs[0].rows, 1);
    EXPECT_EQ(ReadFileBytes(recovery.logs[0].path), kDefaultHeader + "400,850,1013,86,24\r\n");
    EXPECT_EQ(recovery.logs[1].path, Folder() / "kodralog-20260712-114956.csv");
    EXPECT_EQ(recovery.logs[1].rows, 0);
    EXPECT_TRUE(ReadFileBytes(recovery.logs[1].path).ends_with("Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n"));
    // The one with no whole header had nothing to finish; nothing else is left.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(Folder()), std::filesystem::directory_iterator()),
        2);
    EXPECT_TRUE(RecoverRecordings(Folder()).logs.empty());
}

// Recovery at scale: more leftovers of one second than there are numbered names each get a log of
// their own, and whatever only carries a recording's name (a link, a FIFO, a folder) is left
// alone and said.
TEST_F(RecoveryTest, FinishesThousandsOfOneSecondAndSaysWhatItLeftAlone)
{
    constexpr int Leftovers = 1100;
    for (int i = 0; i < Leftovers; ++i)
        Leftover(kStart, "400,850,1013,86,24\r\n");
    const std::filesystem::path named = Folder() / ".kodralog-recording-20260712-104956-";
    std::filesystem::create_symlink("/etc/passwd", named.string() + "link00");
    ASSERT_EQ(::mkfifo((named.string() + "fifo00").c_str(), 0600), 0);
    std::filesystem::create_directory(named.string() + "dir000");

    const Recovery recovery = RecoverRecordings(Folder());
    ASSERT_EQ(recovery.logs.size(), static_cast<std::size_t>(Leftovers));
    std::set<std::filesystem::path> paths;
    for (const RecoveredLog& log : recovery.logs) {
        paths.insert(log.path);
        ASSERT_EQ(log.rows, 1) << log.path;
    }
    EXPECT_EQ(paths.size(), recovery.logs.size());
    ASSERT_EQ(recovery.problems.size(), 3U);
    for (const char* kind : { "a symbolic link", "not a regular file", "a folder" }) {
        EXPECT_TRUE(std::any_of(recovery.problems.begin(), recovery.problems.end(),
            [kind](const std::string& problem) { return problem.find(kind) != std::string::npos; }))
            << kind;
    }
    EXPECT_EQ(std::filesystem::read_symlink(named.string() + "link00"), "/etc/passwd");
}

// Two programs on one folder: a recording still being taken is not the other's to finish.
TEST_F(RecoveryTest, LeavesARecordingThatIsStillBeingTakenAlone)
{
    DataLog running;
    ASSERT_EQ(running.AppendHeader(kStart, kDefaultChannels, kDefaultInterval, Folder() / "kodralog.csv"),
        std::nullopt);
    running.AppendRow(IdleEngine());
    EXPECT_TRUE(RecoverRecordings(Folder()).logs.empty());
    running.AppendRow(IdleEngine());
    ASSERT_EQ(running.SaveLog(Folder() / "kodralog.csv"), std::nullopt);
    EXPECT_TRUE(ReadFileBytes(Folder() / "kodralog.csv").ends_with("\r\n800,850,1013,86,24\r\n"));
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
