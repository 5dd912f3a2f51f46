// Sessions recorded by dazederir-cli from its simulated ECU and played back as the cable: by the
// tool itself, and by dazederir-ecusim on a pseudo-terminal.
#include "CliRun.h"

#include "ChildProcess.h"

#include "capture/CaptureFile.h"
#include "capture/CaptureSummary.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Args = std::vector<std::string>;

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Args Joined(Args first, const Args& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Replies dropped and fault and status bits set, so that counts, faults and status all have
// something to show. The period leaves a loaded machine time to answer, so that the only failed
// exchanges recorded are the dropped replies.
const Args Simulated { "--simulate=1103", "--sim-drop", "0.2", "--sim-seed", "7", "--sim-bytes",
    "0=1,1=0,2=0,3=1,23=1,24=0", "--sample-rate", "200" };

TEST(CliCapture, ReplayedItGivesTheSameValuesFaultsStatusAndErrorCounts)
{
    QTemporaryDir dir;
    for (const std::string command : { "values", "faults", "status" }) {
        SCOPED_TRACE(command);
        const std::string capture = dir.filePath(QString::fromStdString(command + ".capture")).toStdString();
        const CliRun recorded = RunCli(Joined(Simulated, { "--record", capture, "--json", command }));
        ASSERT_EQ(recorded.status, 0) << recorded.err;
        // A replay ends when an answer is asked for once more than it was recorded: a period long
        // enough for a loaded machine keeps the replay's own exchanges from timing out.
        const CliRun replayed = RunCli({ "--replay", capture, "--sample-rate", "200", "--json", command });
        EXPECT_EQ(replayed.status, 0) << replayed.err;
        EXPECT_EQ(replayed.out, recorded.out);
        if (command != "values")
            continue;

        // The drops were there to be replayed, and capinfo counts them as the program did.
        const QJsonObject values = QJsonDocument::fromJson(QByteArray::fromStdString(recorded.out)).object();
        const int rxErrors = values.value(QStringLiteral("rx_errors")).toInt();
        EXPECT_GT(rxErrors, 0);
        const CliRun info = RunCli({ "--json", "capinfo", capture });
        EXPECT_EQ(info.status, 0) << info.err;
        const QJsonObject summary = QJsonDocument::fromJson(QByteArray::fromStdString(info.out)).object();
        EXPECT_EQ(summary.value(QStringLiteral("ecu_id")).toString(), QStringLiteral("1103"));
        EXPECT_EQ(summary.value(QStringLiteral("baud")).toInt(), 15625);
        EXPECT_EQ(summary.value(QStringLiteral("failed")).toInt(), rxErrors);
        EXPECT_EQ(summary.value(QStringLiteral("requests")).toInt(),
            summary.value(QStringLiteral("replies")).toInt() + rxErrors);
        EXPECT_GT(summary.value(QStringLiteral("duration_ms")).toDouble(), 0.0);
    }
}

TEST(CliCapture, AReplayAskedForMoreThanItHoldsEndsWith3SayingAfterHowManySweeps)
{
    QTemporaryDir dir;
    const std::string capture = dir.filePath(QStringLiteral("short.capture")).toStdString();
    const CliRun recorded = RunCli(
        { "--simulate=1103", "--sample-rate", "200", "--record", capture, "values", "--sweeps", "2" });
    ASSERT_EQ(recorded.status, 0) << recorded.err;

    const CliRun replayed
        = RunCli({ "--replay", capture, "--sample-rate", "200", "values", "--sweeps", "5" });
    EXPECT_EQ(replayed.status, 3) << replayed.err;
    EXPECT_EQ(replayed.err, "dazederir-cli: the capture ended after 2 sweeps\n");
    EXPECT_TRUE(replayed.out.empty()) << replayed.out;

    // A log ends when the answers do, with the rows taken until then, not after a timeout's worth
    // of empty rows.
    const std::string logCapture = dir.filePath(QStringLiteral("log.capture")).toStdString();
    const CliRun recordedLog
        = RunCli({ "--simulate=1103", "--record", logCapture, "log", "--channels", "RPM,MAP,CTS,IAT",
            "--samples", "5", "--out", dir.filePath(QStringLiteral("live.csv")).toStdString() });
    ASSERT_EQ(recordedLog.status, 0) << recordedLog.err;
    const std::string log = dir.filePath(QStringLiteral("replayed.csv")).toStdString();
    const CliRun logged = RunCli({ "--replay", logCapture, "--timeout", "30", "log", "--channels",
        "RPM,MAP,CTS,IAT", "--samples", "100", "--out", log });
    EXPECT_EQ(logged.status, 3) << logged.err;
    EXPECT_TRUE(logged.err.starts_with("dazederir-cli: the capture ended after ")) << logged.err;
    EXPECT_TRUE(logged.err.ends_with("; the log holds the rows taken until then\n")) << logged.err;
    const std::string rows = FileText(log);
    EXPECT_NE(rows.find("\n400,"), std::string::npos) << rows;
    EXPECT_LT(std::count(rows.begin(), rows.end(), '\n'), 30) << rows;
}

TEST(CliCapture, EcusimServesTheReplayOnItsPseudoTerminal)
{
    QTemporaryDir dir;
    const std::string capture = dir.filePath(QStringLiteral("1843.capture")).toStdString();
    const CliRun recorded
        = RunCli({ "--simulate=1843", "--sample-rate", "200", "--record", capture, "--json", "values" });
    ASSERT_EQ(recorded.status, 0) << recorded.err;

    ChildProcess ecusim(ECUSIM_PROGRAM, { "--replay", capture, "--replay-timing" });
    const std::string pty = ecusim.ReadLine().value_or("");
    ASSERT_FALSE(pty.empty()) << ecusim.ErrorOutput();
    const CliRun replayed = RunCli({ "--port", pty, "--sample-rate", "200", "--json", "values" });
    EXPECT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(replayed.out, recorded.out);
}

TEST(CliCapture, RecordingGoesOnWhileTheCableIsPulledAndPutBack)
{
    QTemporaryDir dir;
    const std::string capture = dir.filePath(QStringLiteral("pulled.capture")).toStdString();
    // The log goes on through a lost connection, where a sweep count would start again.
    const CliRun run = RunCli({ "--simulate", "--sim-unplug", "1.0:0.3", "--sample-rate", "50", "--record",
        capture, "log", "--channels", "RPM,MAP,CTS,IAT", "--samples", "40", "--time-base", "1", "--out",
        dir.filePath(QStringLiteral("pulled.csv")).toStdString() });
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string text = FileText(capture);
    const std::size_t closed = text.find("# port closed");
    ASSERT_NE(closed, std::string::npos) << text;
    const std::size_t reopened = text.find("# port opened", closed);
    ASSERT_NE(reopened, std::string::npos);
    // After the cable came back: identified again and polled on, into the same file.
    const CaptureRead after = ParseCapture("# dazederir capture 1\n" + text.substr(reopened));
    ASSERT_TRUE(after.Ok()) << after.error;
    const CaptureSummary summary = SummarizeCapture(after.log);
    EXPECT_EQ(summary.ecuId, "1103");
    EXPECT_GT(summary.replies, 1);
    const CaptureRead whole = ParseCapture(text);
    EXPECT_TRUE(whole.Ok()) << whole.error;
    EXPECT_FALSE(whole.tornLastLine);
}

// Killed without warning, the tool leaves a capture that reads to its last flush: at most the
// last second is lost.
TEST(CliCapture, AKilledRecordingLosesAtMostTheLastSecond)
{
    using Clock = std::chrono::steady_clock;
    // Long enough on the disk for the recorder to have written out several times.
    constexpr double RecordedMs = 2000;
    constexpr double MostLostMs = 1000;
    constexpr auto LookEvery = std::chrono::milliseconds(10);
    // However busy the machine.
    constexpr auto Patience = std::chrono::seconds(60);
    QTemporaryDir dir;
    const std::string capture = dir.filePath(QStringLiteral("killed.capture")).toStdString();
    ChildProcess cli(CLI_PROGRAM,
        { "--simulate", "--sample-rate", "50", "--record", capture, "values", "--sweeps", "100000" });
    const auto deadline = Clock::now() + Patience;
    // The recording's clock starts after its file is made: the last look that found no file is a
    // moment before it, however slowly the tool started.
    Clock::time_point beforeRecording = Clock::now();
    for (Clock::time_point looked = beforeRecording; !std::filesystem::exists(capture);
         looked = Clock::now()) {
        beforeRecording = looked;
        ASSERT_LT(looked, deadline) << "no capture was made";
        std::this_thread::sleep_for(LookEvery);
    }
    const auto recordedMs = [&capture] {
        const CaptureRead read = ReadCaptureFile(capture);
        return read.log.chunks.empty() ? 0.0 : read.log.chunks.back().ms;
    };
    while (recordedMs() < RecordedMs) {
        ASSERT_LT(Clock::now(), deadline) << "the capture did not grow";
        std::this_thread::sleep_for(LookEvery);
    }
    cli.Signal(SIGKILL);
    const double mostRecordingMs
        = std::chrono::duration<double, std::milli>(Clock::now() - beforeRecording).count();
    cli.Wait();

    const CaptureRead read = ReadCaptureFile(capture);
    ASSERT_TRUE(read.Ok()) << read.error;
    ASSERT_FALSE(read.log.chunks.empty());
    EXPECT_GE(read.log.chunks.back().ms, mostRecordingMs - MostLostMs);
}

} // namespace

namespace {

// A bad byte on line 4 stops every program that reads the file before it does anything; a line
// torn off at the end is left out, with a word on standard error.
TEST(CliCapture, EveryProgramRefusesABrokenCaptureNamingTheLine)
{
    QTemporaryDir dir;
    const std::string broken = dir.filePath(QStringLiteral("broken.capture")).toStdString();
    std::ofstream(broken) << "# dazederir capture 1\n# baud 15625\n0.000 > 10 03 ED\n0.700 < 10 03 XD\n";
    for (const auto& [program, args] : std::vector<std::pair<std::string, Args>> {
             { CLI_PROGRAM, { "--replay", broken, "identify" } },
             { CLI_PROGRAM, { "capinfo", broken } },
             { ECUSIM_PROGRAM, { "--replay", broken } },
             { DAZEDERIR_PROGRAM, { "--replay", broken } },
         }) {
        const CliRun run = RunProgram(program, args);
        EXPECT_EQ(run.status, 2) << program;
        EXPECT_NE(run.err.find(broken + " line 4: \"XD\" is not a byte"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << program;
    }

    const std::string torn = dir.filePath(QStringLiteral("torn.capture")).toStdString();
    std::ofstream(torn)
        << "# dazederir capture 1\n0.000 > 10 03 ED\n0.700 < 10 03 ED 10 05 11 03 D7\n1.5 > 13 0";
    const CliRun info = RunCli({ "capinfo", torn });
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(
        info.out, "ECU ID: 1103\nBaud: 15625\nDuration: 0.700 ms\nRequests: 1\nReplies: 1\nFailed: 0\n");
    EXPECT_NE(info.err.find("was cut off"), std::string::npos) << info.err;

    const CliRun unwritable = RunCli({ "--simulate", "--record",
        dir.filePath(QStringLiteral("no/such/folder/x.capture")).toStdString(), "identify" });
    EXPECT_EQ(unwritable.status, 4);
    EXPECT_NE(unwritable.err.find("--record: cannot write"), std::string::npos) << unwritable.err;
}

} // namespace
