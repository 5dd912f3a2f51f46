// A log folder that is full: the logger says so, the earlier file stays, no row is lost, and a
// save after room has been made writes every row.
#include "FullFolder.h"
#include "LogFileTestSupport.h"
#include "LoggerFormRig.h"

#include "logfile/DataLog.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* DiskFull = "No space left on device";
constexpr int RowsBeyond64KiB = 3000;

class FullLogFolder : public testing::Test {
protected:
    void SetUp() override
    {
        if (!full.Problem().empty())
            GTEST_SKIP() << full.Problem();
    }

    FullFolder full;
};

TEST_F(FullLogFolder, ASaveSaysSoKeepsTheEarlierFileAndLosesNoRow)
{
    FakeEcuQueries ecu;
    ecu.rpm = 850;
    DataLog log;
    const std::optional<std::string> refused
        = log.AppendHeader(QDateTime::currentDateTime(), { "RPM", "MAP", "CTS", "IAT" }, 40, full.LogFile());
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find(DiskFull), std::string::npos) << *refused;
    for (int row = 0; row < RowsBeyond64KiB; ++row)
        log.AppendRow(ecu);

    const std::optional<std::string> error = log.SaveLog(full.LogFile());
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(DiskFull), std::string::npos) << *error;
    EXPECT_EQ(ReadFileBytes(full.LogFile()), FullFolder::EarlierLog);
    EXPECT_TRUE(log.HasUnsavedLog());
    EXPECT_EQ(log.RowCount(), static_cast<std::size_t>(RowsBeyond64KiB));

    full.MakeRoom();
    ASSERT_EQ(log.SaveLog(full.LogFile()), std::nullopt);
    const std::string file = ReadFileBytes(full.LogFile());
    EXPECT_EQ(static_cast<std::int64_t>(file.size()), log.FileBytes());
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), RowsBeyond64KiB + 3);
    EXPECT_TRUE(file.ends_with("\r\n120000,850,0,0,0\r\n")) << file.substr(file.size() - 40);
    // Not a log of this program: replaced, as before.
    EXPECT_EQ(std::distance(
                  std::filesystem::directory_iterator(full.Path()), std::filesystem::directory_iterator()),
        1);
}

TEST_F(FullLogFolder, TheLoggerWindowSaysSoAndItsNextStopSavesEveryRow)
{
    LoggerFormRig rig;
    rig.form->SetLogPath(QString::fromStdString(full.Path().string()));
    rig.PressStart();
    rig.Ticks(5);
    // Said once at Start, not at every tick.
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages.front().contains(QLatin1String(DiskFull)))
        << rig.form->messages.front().toStdString();
    rig.PressStop();
    ASSERT_EQ(rig.form->messages.size(), 2);
    EXPECT_TRUE(rig.form->messages.back().contains(QLatin1String(DiskFull)));
    EXPECT_TRUE(rig.form->Log().HasUnsavedLog());

    full.MakeRoom();
    rig.PressStop();
    EXPECT_FALSE(rig.form->Log().HasUnsavedLog());
    const std::string file = ReadFileBytes(full.LogFile());
    EXPECT_TRUE(file.ends_with("\r\n2000,0,0,0,0\r\n")) << file; // the fifth row at 400 ms
}

} // namespace
