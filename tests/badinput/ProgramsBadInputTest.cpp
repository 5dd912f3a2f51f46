// Bad input reaching the link and the command-line tool: a port that is not the cable, a log
// folder the user may not write or that is full, and numbers out of range on the command line.
#include "CliRun.h"
#include "FullFolder.h"

#include "link/EcuConnection.h"
#include "logfile/DataLog.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "tests/support/FakeEcuQueries.h"
#include "tests/support/FileBytes.h"
#include "tests/support/NobodyUser.h"
#include "tests/support/SilentTerminal.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds TickInterval { EcuConnection::TickMs };
const std::vector<std::string> LogCommand
    = { "--simulate", "log", "--channels", "RPM,MAP,CTS,IAT", "--samples", "2", "--time-base", "1", "--out" };

// ---- a port that is not the cable ----

// Every request goes unanswered: each period counts one failed exchange, the connection keeps
// trying, and every tick returns.
TEST(SilentPort, RxErrorsClimbWhileTheConnectionKeepsTrying)
{
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    TD2xxThread link(
        [path = QString::fromStdString(port.Path())] { return std::make_shared<SerialPortDriver>(path); });
    ConnectionEvents unheard;
    EcuConnection connection(link, unheard);
    connection.Connect();
    constexpr int WantedErrors = 5;
    for (int tick = 0; tick < 2000 && connection.RxErrorCount() < WantedErrors; ++tick) {
        std::this_thread::sleep_for(TickInterval);
        connection.Tick();
    }
    EXPECT_GE(connection.RxErrorCount(), WantedErrors);
    EXPECT_EQ(connection.State(), EcuConnection::LineState::TryingToConnect);
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(link.GetStatusText(), QLatin1String(InterfaceLink::VadInterface));
}

TEST(SilentPort, TheToolGivesUpAfterItsTimeoutWithStatus3)
{
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    const CliRun run = RunCli({ "--port", port.Path(), "--timeout", "1", "identify" });
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no identification from the ECU within 1 s"), std::string::npos) << run.err;
}

// ---- a log folder the user may not write ----

class UnwritableLogFolder : public testing::Test {
protected:
    void SetUp() override
    {
        // Nobody must reach the folder, but not write in it.
        ::chmod(m_dir.path().toLocal8Bit().constData(), 0755);
        std::filesystem::create_directory(folder);
        WriteFileBytes(target, "earlier good log\r\n");
        ::chmod(folder.c_str(), 0555);
    }

    QTemporaryDir m_dir;
    std::filesystem::path folder { std::filesystem::path(m_dir.path().toStdString()) / "locked" };
    std::filesystem::path target { folder / DataLog::kLogFileName };
};

TEST_F(UnwritableLogFolder, ASaveSaysPermissionDeniedAndKeepsTheLogAndTheEarlierFile)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // In a child, as a user who may not write there (root may write anywhere, so drop it).
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(NobodyId) != 0)
                ::_exit(2);
            FakeEcuQueries ecu;
            DataLog log;
            const std::optional<std::string> refused
                = log.AppendHeader(QDateTime::currentDateTime(), { "RPM", "MAP", "CTS", "IAT" }, 40, target);
            log.AppendRow(ecu);
            const std::optional<std::string> error = log.SaveLog(target);
            const bool told = refused && error && error->find("Permission denied") != std::string::npos
                && error->find(folder.string()) != std::string::npos;
            const bool kept = log.HasUnsavedLog() && log.RowCount() == 1
                && ReadFileBytes(target) == "earlier good log\r\n";
            ::_exit(told && kept ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(UnwritableLogFolder, TheToolExitsWith4NamingThePathAndWhy)
{
    std::vector<std::string> args = LogCommand;
    args.push_back(target.string());
    const CliRun run = RunCliAsNobody(args);
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_NE(run.err.find(target.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(target), "earlier good log\r\n");
}

// ---- a full log folder ----

// Found before the first sample is taken.
TEST(FullLogFolderTool, ExitsWith4SayingTheDiskIsFullAndLeavesTheEarlierFile)
{
    FullFolder full;
    if (!full.Problem().empty())
        GTEST_SKIP() << full.Problem();
    std::vector<std::string> args = LogCommand;
    args.push_back(full.LogFile().string());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(full.LogFile()), FullFolder::EarlierLog);
}

// ---- numbers out of range on the command line ----

// A path that cannot be a serial port is named as such at once, not blamed on a silent ECU.
TEST(ToolPort, APathThatIsNotASerialPortIsRefusedWith2)
{
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const std::string& path :
        { std::string("/etc/passwd"), folder.path().toStdString(), std::string("/dev/null") }) {
        const CliRun run = RunCli({ "--port", path, "--timeout", "30", "identify" });
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_NE(run.err.find(path + " is not a serial port"), std::string::npos) << run.err;
    }
}

struct BadNumber {
    const char* name;
    std::vector<std::string> args;
    const char* named; // the bad input, as the message must quote it
};

void PrintTo(const BadNumber& bad, std::ostream* out)
{
    *out << bad.name;
}

class ToolNumberOutOfRange : public testing::TestWithParam<BadNumber> { };

// Numbers beyond an int must not wrap around into a value that would be taken.
TEST_P(ToolNumberOutOfRange, ExitsWith2NamingItAndDoesNothing)
{
    std::vector<std::string> args = { "--simulate" };
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().named), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Options, ToolNumberOutOfRange,
    testing::Values(BadNumber { "SampleRateAbove500", { "--sample-rate", "501", "identify" }, "\"501\"" },
        BadNumber { "SampleRateWrapping", { "--sample-rate", "4294967346", "identify" }, "\"4294967346\"" },
        BadNumber { "BaudZero", { "--baud", "0", "identify" }, "\"0\"" },
        BadNumber { "BaudWrapping", { "--baud", "4294982921", "identify" }, "\"4294982921\"" },
        BadNumber { "BaudFraction", { "--baud", "15625.5", "identify" }, "\"15625.5\"" },
        BadNumber { "InjectorFlowHuge", { "--inj-flow", "99999999999", "identify" }, "\"99999999999\"" },
        BadNumber { "TimeoutInfinite", { "--timeout", "1e999", "identify" }, "\"1e999\"" },
        BadNumber { "SamplesHuge", { "log", "--channels", "RPM,MAP,CTS,IAT", "--samples", "99999999999" },
            "\"99999999999\"" },
        BadNumber { "TimeBaseWrapping",
            { "log", "--channels", "RPM,MAP,CTS,IAT", "--time-base", "4294967297" }, "\"4294967297\"" },
        BadNumber { "ChannelAddress64", { "log", "--channels", "RPM,MAP,CTS,Address64" }, "\"Address64\"" },
        BadNumber { "StartWhenWithoutComparison",
            { "log", "--channels", "RPM,MAP,CTS,IAT", "--start-when", "RPM=3000" },
            "--start-when: \"RPM=3000\"" },
        BadNumber { "StopWhenChannelNotLogged",
            { "log", "--channels", "RPM,MAP,CTS,IAT", "--stop-when", "TPS>50" }, "--stop-when: \"TPS\"" },
        BadNumber { "PreTriggerNegative", { "log", "--channels", "RPM,MAP,CTS,IAT", "--pre-trigger", "-1" },
            "--pre-trigger: \"-1\"" }),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
