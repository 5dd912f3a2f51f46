// A log folder that is full: the save says so, the earlier file stays, no row is lost, and a save
// after room has been made writes every row.
#include "FullFolder.h"
#include "LogFileTestSupport.h"
#include "LoggerFormRig.h"

#include "logger/DataLog.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

constexpr const char* DiskFull = "No space left on device";
constexpr int RowsBeyond64KiB = 3000;

class FullLogFolder : public testing::TestWithParam<FullFolder::Kind> {
protected:
    void SetUp() override
    {
        if (!full.Problem().empty())
            GTEST_SKIP() << full.Problem();
    }

    FullFolder full { GetParam() };
};

TEST_P(FullLogFolder, ASaveSaysSoKeepsTheEarlierFileAndLosesNoRow)
{
    FakeEcuQueries ecu;
    ecu.rpm = 850;
    DataLog log;
    log.AppendHeader(QDateTime::currentDateTime(), { "RPM", "MAP", "CTS", "IAT" }, 40);
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
    const auto& lines = log.LogLines();
    EXPECT_EQ(ReadFileBytes(full.LogFile()), std::accumulate(lines.begin(), lines.end(), std::string()));
    EXPECT_FALSE(std::filesystem::exists(FileHandler::TemporaryPathFor(full.LogFile())));
}

TEST_P(FullLogFolder, TheLoggerWindowSaysSoAndItsNextStopSavesEveryRow)
{
    LoggerFormRig rig;
    rig.form->SetLogPath(QString::fromStdString(full.Path().string()));
    rig.form->DL_Start_ButtonClick();
    rig.Ticks(5);
    rig.form->DL_Stop_ButtonClick();
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages.front().contains(QLatin1String(DiskFull)))
        << rig.form->messages.front().toStdString();
    EXPECT_TRUE(rig.form->Log().HasUnsavedLog());

    full.MakeRoom();
    rig.form->DL_Stop_ButtonClick();
    EXPECT_FALSE(rig.form->Log().HasUnsavedLog());
    const std::string file = ReadFileBytes(full.LogFile());
    EXPECT_TRUE(file.ends_with("\r\n2000,0,0,0,0\r\n")) << file; // the fifth row at 400 ms
}

INSTANTIATE_TEST_SUITE_P(Kinds, FullLogFolder,
    testing::Values(FullFolder::Kind::Tmpfs, FullFolder::Kind::DevFull),
    [](const auto& param) { return param.param == FullFolder::Kind::Tmpfs ? "Tmpfs64KiB" : "DevFull"; });

} // namespace
