// The dazederir program recording with its data logger, ended as programs end in a car: by a
// signal, or killed outright. The rows on the disk are checked against what was recorded.
#include "tests/support/FileBytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <thread>

namespace {

constexpr int kRowsBeforeTheSignal = 10;
constexpr int kGenerousMs = 60000; // a bound against a hang, not a speed test
constexpr const char* kRecordingPrefix = ".kodralog-recording-";

std::optional<std::filesystem::path> FileStartingWith(
    const std::filesystem::path& folder, const std::string& prefix)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(prefix))
            return entry.path();
    }
    return std::nullopt;
}

// Complete lines only: a row being written as it is read is not yet a row.
std::string CompleteLines(const std::string& text)
{
    const std::size_t end = text.rfind("\r\n");
    return end == std::string::npos ? std::string() : text.substr(0, end + 2);
}

long Lines(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

class ProgramRecording : public testing::TestWithParam<int> {
protected:
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }

    // The program on the simulated ECU, logging every 40 ms into its working directory.
    void Start(QProcess& process, const QStringList& extra) const
    {
        std::filesystem::create_directories(Folder() / "bin");
        WriteFileBytes(Folder() / "bin" / "kodralog.ini", "[Log]\r\nTimeBase=1\r\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(DAZEDERIR_PATH),
            QStringList { "--simulate", "--settings-dir", m_dir.path() } + extra);
    }

    // What the recording holds once it has `rows` rows.
    std::string WaitForRows(int rows) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
        std::string text;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const auto recording = FileStartingWith(Folder(), kRecordingPrefix)) {
                text = CompleteLines(ReadFileBytes(*recording));
                if (Lines(text) >= rows + 3)
                    return text;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return text;
    }

    QTemporaryDir m_dir;
};

// SIGTERM, SIGINT and SIGHUP end the program in order: the log is finished under its name, every
// row taken kept, and the settings saved. After SIGKILL the next start finishes the recording.
TEST_P(ProgramRecording, AnEndBySignalKeepsEveryRowTaken)
{
    QProcess program;
    Start(program, { "--start-logging" });
    ASSERT_TRUE(program.waitForStarted(kGenerousMs));
    const std::string before = WaitForRows(kRowsBeforeTheSignal);
    ASSERT_GE(Lines(before), kRowsBeforeTheSignal + 3) << program.readAllStandardError().toStdString();
    std::filesystem::remove(Folder() / "bin" / "kodradash.ini");
    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(kGenerousMs));

    std::filesystem::path log = Folder() / "kodralog.csv";
    if (GetParam() == SIGKILL) {
        EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
        EXPECT_FALSE(std::filesystem::exists(log));
        QProcess next;
        Start(next, { "--startup-time" });
        ASSERT_TRUE(next.waitForFinished(kGenerousMs));
        EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
        const auto recovered = FileStartingWith(Folder(), "kodralog-");
        ASSERT_TRUE(recovered.has_value());
        log = *recovered;
    } else {
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        EXPECT_TRUE(std::filesystem::exists(Folder() / "bin" / "kodradash.ini"));
    }
    const std::string file = ReadFileBytes(log);
    EXPECT_TRUE(file.starts_with(before)) << file.substr(0, before.size());
    EXPECT_EQ(CompleteLines(file), file);
    EXPECT_FALSE(FileStartingWith(Folder(), kRecordingPrefix).has_value());
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramRecording, testing::Values(SIGTERM, SIGINT, SIGHUP, SIGKILL),
    [](const auto& param) { return std::string(sigabbrev_np(param.param)); });

} // namespace
