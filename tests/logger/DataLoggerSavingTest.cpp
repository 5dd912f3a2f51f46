#include "LogFileTestSupport.h"
#include "LoggerFormRig.h"
#include "defs/LiveValueCatalogue.h"
#include "logfile/RecordingFile.h"
#include "logger/LoggerMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class DataLoggerSavingTest : public ::testing::Test {
protected:
    DataLoggerSavingTest() { rig.ecu = IdleEngine(); }

    void Run(int ticks)
    {
        rig.PressStart();
        rig.Ticks(ticks);
        rig.PressStop();
    }

    bool SelectionEnabled() const
    {
        return rig.Combo("Ch1_Sel_Combo").isEnabled() && rig.Combo("Ch4_Sel_Combo").isEnabled()
            && rig.Combo("GrT_Sel_T_Combo").isEnabled()
            && rig.form->findChild<QCheckBox*>("SaveDataCB")->isEnabled();
    }

    QString LogFileText() const { return QString::fromStdString(rig.LogFile().string()); }

    LoggerFormRig rig;
};

TEST_F(DataLoggerSavingTest, StopWritesHeaderAndRowsAndSaysWhere)
{
    rig.PressStart();
    rig.Ticks(1);
    const QString firstTick = rig.form->PanelText(2);
    rig.Ticks(2);
    rig.PressStop();

    const std::string file = ReadFileBytes(rig.LogFile());
    const QRegularExpression layout(QStringLiteral("\\AKodraPower log file\r\n"
                                                   "Time,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,"
                                                   "Temperature,C,Speed,MPH\r\n"
                                                   "Elapsed Time \\(ms\\),RPM,MAP,CTS,IAT\r\n"
                                                   "400,850,1013,86,24\r\n"
                                                   "800,850,1013,86,24\r\n"
                                                   "1200,850,1013,86,24\r\n\\z"));
    EXPECT_TRUE(layout.match(QString::fromStdString(file)).hasMatch()) << file;
    EXPECT_TRUE(HasOnlyCrlfLineEnds(file));
    // The header and the first row.
    EXPECT_EQ(firstTick, QStringLiteral("File size %1 bytes").arg(file.size() - 20 - 21));
    EXPECT_EQ(rig.form->PanelText(1), "Output file:    " + LogFileText());
    EXPECT_EQ(rig.form->PanelText(2), "Done: " + LogFileText());
    EXPECT_TRUE(rig.form->messages.isEmpty());
}

// "Record all values", ticked by a click, adds every other value after the four and is kept for
// the next start of the window; the file is otherwise as without it.
TEST_F(DataLoggerSavingTest, RecordAllValuesAddsEveryValueAfterTheFourAndIsKept)
{
    ClickButton(*rig.form, QStringLiteral("AllValuesCB"));
    rig.PressStart();
    EXPECT_FALSE(rig.form->findChild<QCheckBox*>("AllValuesCB")->isEnabled());
    rig.Ticks(1);
    rig.PressStop();
    const QStringList lines
        = QString::fromStdString(ReadFileBytes(rig.LogFile())).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    const QStringList headings = lines[2].split(QLatin1Char(','));
    EXPECT_EQ(
        headings.mid(0, 6), QStringList({ "Elapsed Time (ms)", "RPM", "MAP", "CTS", "IAT", "Target Idle" }));
    // Each value once: the four are not repeated among the others.
    EXPECT_EQ(QSet<QString>(headings.begin(), headings.end()).size(), headings.size());
    EXPECT_EQ(headings.size(), 1 + static_cast<qsizetype>(LiveValueCatalogue().size()));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("400,850,1013,86,24,")));
    EXPECT_EQ(lines[3].split(QLatin1Char(',')).size(), headings.size());

    rig.form->close();
    rig.Recreate();
    EXPECT_TRUE(rig.form->findChild<QCheckBox*>("AllValuesCB")->isChecked());
}

TEST_F(DataLoggerSavingTest, StartTwiceIsOneRunAndStopTwiceSavesOnce)
{
    rig.PressStart();
    EXPECT_FALSE(SelectionEnabled());
    rig.Ticks(2);
    rig.PressStart();
    EXPECT_EQ(rig.form->SampleCount(), 2U);
    EXPECT_EQ(rig.form->Log().RowCount(), 2U);
    rig.PressStop();
    EXPECT_FALSE(rig.form->IsLogging());
    EXPECT_TRUE(SelectionEnabled());

    WriteFileBytes(rig.LogFile(), "changed since");
    rig.PressStop();
    EXPECT_EQ(ReadFileBytes(rig.LogFile()), "changed since");
}

TEST_F(DataLoggerSavingTest, HeaderOnlyWhenStoppedBeforeTheFirstTickAndShorterRunsReplaceLongerOnes)
{
    Run(5);
    Run(0);
    const std::string file = ReadFileBytes(rig.LogFile());
    EXPECT_TRUE(file.ends_with("Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n")) << file;
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 3);
}

TEST_F(DataLoggerSavingTest, WithoutSaveToFileNothingIsRecordedNorWritten)
{
    rig.form->findChild<QCheckBox*>("SaveDataCB")->setChecked(false);
    Run(3);
    EXPECT_EQ(rig.form->PanelText(2), "File size 0 bytes");
    EXPECT_EQ(rig.form->Log().RowCount(), 0U);
    EXPECT_TRUE(rig.form->Log().RecordingPath().empty());
    EXPECT_FALSE(std::filesystem::exists(rig.LogFile()));
}

// A save that fails says so, keeps the rows and the controls usable, and a later Stop saves
// them: after the folder is mended, or into a newly chosen one.
TEST_F(DataLoggerSavingTest, AFailedSaveIsReportedKeptAndSavedByTheNextStop)
{
    // A folder where the log file goes: the rows are written, but cannot take its name.
    const std::filesystem::path blocker = rig.LogFile() / "inside";
    std::filesystem::create_directories(blocker);
    Run(2);
    EXPECT_TRUE(rig.form->PanelText(2).startsWith("Save failed: ")) << rig.form->PanelText(2).toStdString();
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages.front().contains(LogFileText()));
    EXPECT_TRUE(rig.form->Log().HasUnsavedLog());
    EXPECT_TRUE(SelectionEnabled());
    EXPECT_FALSE(std::filesystem::is_regular_file(rig.LogFile()));

    rig.PressStop(); // still blocked
    EXPECT_EQ(rig.form->messages.size(), 2);

    std::filesystem::remove_all(rig.LogFile());
    rig.PressStop();
    EXPECT_EQ(rig.form->PanelText(2), "Done: " + LogFileText());
    EXPECT_TRUE(ReadFileBytes(rig.LogFile()).ends_with("\r\n400,850,1013,86,24\r\n800,850,1013,86,24\r\n"));
    EXPECT_FALSE(rig.form->Log().HasUnsavedLog());

    std::filesystem::remove(rig.LogFile());
    std::filesystem::create_directories(blocker);
    Run(1);
    QTemporaryDir elsewhere;
    rig.form->SetLogPath(elsewhere.path());
    rig.PressStop();
    const std::filesystem::path moved
        = std::filesystem::path(elsewhere.path().toStdString()) / "kodralog.csv";
    EXPECT_TRUE(ReadFileBytes(moved).ends_with("\r\n400,850,1013,86,24\r\n"));
    EXPECT_EQ(rig.form->PanelText(1), "Output file:    " + QString::fromStdString(moved.string()));
    // The recording moved with it: nothing is left behind in the first folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.LogFile().parent_path()),
                  std::filesystem::directory_iterator()),
        1);
}

TEST_F(DataLoggerSavingTest, StartingOverAnUnsavedLogAsksFirst)
{
    std::filesystem::create_directories(rig.LogFile() / "inside");
    Run(3);
    rig.form->confirmAnswer = false;
    rig.PressStart();
    ASSERT_EQ(rig.form->questions.size(), 1);
    EXPECT_TRUE(rig.form->questions.front().contains("3 rows"));
    EXPECT_FALSE(rig.form->IsLogging());
    EXPECT_EQ(rig.form->Log().RowCount(), 3U);

    rig.form->confirmAnswer = true;
    rig.PressStart();
    EXPECT_TRUE(rig.form->IsLogging());
    EXPECT_EQ(rig.form->Log().RowCount(), 0U);
}

TEST_F(DataLoggerSavingTest, ALogStillRunningWhenTheProgramEndsIsSaved)
{
    rig.PressStart();
    rig.Ticks(2);
    rig.form.reset();
    EXPECT_TRUE(ReadFileBytes(rig.LogFile()).ends_with("\r\n800,850,1013,86,24\r\n"));
}

// A log kept from a failed save survives a later run without "Save To File" and the end of the
// program; the earlier log in its place is kept under its own start time.
TEST_F(DataLoggerSavingTest, ALogKeptFromAFailedSaveIsSavedAtTheEndAfterARunWithoutSaving)
{
    Run(1);
    const std::string firstLog = ReadFileBytes(rig.LogFile());
    std::filesystem::rename(rig.LogFile(), rig.LogFile().parent_path() / "first");
    std::filesystem::create_directories(rig.LogFile() / "inside");
    Run(2);
    ASSERT_TRUE(rig.form->Log().HasUnsavedLog());
    rig.form->findChild<QCheckBox*>("SaveDataCB")->setChecked(false);
    rig.PressStart();
    rig.Ticks(1);
    EXPECT_TRUE(rig.form->questions.isEmpty());
    std::filesystem::remove_all(rig.LogFile());
    std::filesystem::rename(rig.LogFile().parent_path() / "first", rig.LogFile());
    rig.form.reset();
    EXPECT_TRUE(ReadFileBytes(rig.LogFile()).ends_with("\r\n400,850,1013,86,24\r\n800,850,1013,86,24\r\n"));
    const std::optional<RecordingFile::StartStamp> stamp = StartStampOfLog(firstLog);
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(ReadFileBytes(rig.LogFile().parent_path() / ("kodralog-" + *stamp + ".csv")), firstLog);
}

// "C://" names no folder here: the file goes to the working directory, which stays as it was.
TEST_F(DataLoggerSavingTest, WithNoUsableFolderTheFileLandsInTheWorkingDirectory)
{
    const std::filesystem::path here = std::filesystem::current_path();
    const std::filesystem::path expected = here / "kodralog.csv";
    ASSERT_FALSE(std::filesystem::exists(expected)) << "left over from an earlier run";
    rig.form->SetLogPath("C://");
    Run(1);
    const bool written = std::filesystem::exists(expected);
    std::filesystem::remove(expected);
    EXPECT_TRUE(written);
    EXPECT_EQ(std::filesystem::current_path(), here);
    EXPECT_EQ(rig.form->PanelText(2), "Done: " + QString::fromStdString(expected.string()));
}

} // namespace

namespace {

// Thousands of recordings finished at one start: the message gives their count, folder, first and
// last, and the first few problems, in a box that fits the screen.
TEST(RecoveredMessage, ManyLogsAndProblemsAreSummedUpInAFewLines)
{
    Recovery recovery;
    for (int i = 0; i < 3000; ++i)
        recovery.logs.push_back({ "/logs/kodralog-20260712-104956-" + std::to_string(i) + ".csv", 1 });
    for (int i = 0; i < 40; ++i)
        recovery.problems.push_back("cannot open /logs/.kodralog-recording-" + std::to_string(i));
    const QString text = LoggerMessages::Recovered(recovery);
    EXPECT_LE(text.count(QLatin1Char('\n')), 16) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("3000 logs in /logs, from kodralog-20260712-104956-0.csv to "
                                             "kodralog-20260712-104956-2999.csv")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("and 35 more"))) << text.toStdString();
}

} // namespace
