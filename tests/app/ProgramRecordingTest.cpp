// The dazederir program recording with its data logger, ended as programs end in a car: by a
// signal, killed outright, its display gone, its log folder full. The rows on the disk are
// checked against what was recorded.
#include "tests/badinput/FullFolder.h"
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

class RecordingProgram : public testing::Test {
protected:
    std::filesystem::path Folder() const { return m_dir.path().toStdString(); }

    // The program on the simulated ECU, logging every 40 ms into its working directory (or the
    // folder `logSettings` names), with no display unless `environment` gives one.
    void Start(QProcess& process, const QStringList& extra,
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
        const std::string& logSettings = {}) const
    {
        std::filesystem::create_directories(Folder() / "bin");
        WriteFileBytes(Folder() / "bin" / "kodralog.ini", "[Log]\r\nTimeBase=1\r\n" + logSettings);
        if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
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

class ProgramRecording : public RecordingProgram, public testing::WithParamInterface<int> { };

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

// The X server going away ends the toolkit with exit(): the recording is finished under its
// name and the settings are saved all the same.
TEST_F(RecordingProgram, ALostDisplayFinishesTheLogAndSavesTheSettings)
{
    QProcess display;
    display.setProgram(QStringLiteral("Xvfb"));
    // The server picks a free display number and writes it to the descriptor given (stdout).
    display.setArguments({ "-displayfd", "1", "-nolisten", "tcp" });
    display.start();
    if (!display.waitForStarted(kGenerousMs))
        GTEST_SKIP() << "Xvfb cannot be started: " << display.errorString().toStdString();
    std::string number;
    while (number.find('\n') == std::string::npos && display.waitForReadyRead(kGenerousMs))
        number += display.readAllStandardOutput().toStdString();
    ASSERT_FALSE(number.empty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(std::stoi(number)));
    QProcess program;
    Start(program, { "--start-logging" }, environment);
    ASSERT_TRUE(program.waitForStarted(kGenerousMs));
    const std::string before = WaitForRows(kRowsBeforeTheSignal);
    ASSERT_GE(Lines(before), kRowsBeforeTheSignal + 3) << program.readAllStandardError().toStdString();
    std::filesystem::remove(Folder() / "bin" / "kodradash.ini");
    display.kill();
    display.waitForFinished(kGenerousMs);
    ASSERT_TRUE(program.waitForFinished(kGenerousMs));

    const std::string file = ReadFileBytes(Folder() / "kodralog.csv");
    EXPECT_TRUE(file.starts_with(before)) << program.readAllStandardError().toStdString();
    EXPECT_EQ(CompleteLines(file), file);
    EXPECT_TRUE(std::filesystem::exists(Folder() / "bin" / "kodradash.ini"));
    EXPECT_FALSE(FileStartingWith(Folder(), kRecordingPrefix).has_value());
}

// A log folder with no room: ended by a signal, the program cannot wait for room to be made, so
// the log goes to the home folder under its start time, every row in it, and it says where.
TEST_F(RecordingProgram, AFullLogFolderAtTheEndSendsTheLogHome)
{
    FullFolder full;
    if (!full.Problem().empty())
        GTEST_SKIP() << full.Problem();
    const std::filesystem::path home = Folder() / "home";
    std::filesystem::create_directories(home);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(home.string()));
    QProcess program;
    Start(
        program, { "--start-logging" }, environment, "[File]\r\nFile Path=" + full.Path().string() + "\r\n");
    ASSERT_TRUE(program.waitForStarted(kGenerousMs));
    // The recording file is made (a name takes no block), then a second of rows the folder refuses.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
    while (!FileStartingWith(full.Path(), kRecordingPrefix) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(FileStartingWith(full.Path(), kRecordingPrefix).has_value())
        << program.readAllStandardError().toStdString();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(kGenerousMs));

    const std::string said = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitCode(), 1) << said;
    const auto saved = FileStartingWith(home, "kodralog-");
    ASSERT_TRUE(saved.has_value()) << said;
    EXPECT_NE(said.find(saved->string() + " instead"), std::string::npos) << said;
    const std::string file = ReadFileBytes(*saved);
    EXPECT_TRUE(file.starts_with("KodraPower log file\r\n")) << file.substr(0, 40);
    EXPECT_GE(Lines(file), 3 + kRowsBeforeTheSignal) << file;
    EXPECT_EQ(CompleteLines(file), file);
    EXPECT_EQ(ReadFileBytes(full.LogFile()), FullFolder::EarlierLog);
}

} // namespace
