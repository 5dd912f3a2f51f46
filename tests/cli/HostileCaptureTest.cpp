// Capture files that are not what they seem, given to every program that reads or writes one: a
// FIFO, a device, a folder or a symbolic link in place of the file, an earlier capture at the
// target, a huge line holding escape sequences, and a reply recorded as coming hours late.
#include "CliRun.h"

#include "ChildProcess.h"

#include "capture/CaptureReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Args = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

constexpr int ExitUsage = 2;
constexpr int ExitCannotWrite = 4;
constexpr char Escape = '\x1b';

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

// Every program that reads a capture, reading `path`.
std::vector<std::pair<std::string, Args>> CaptureReaders(const std::string& path)
{
    return { { CLI_PROGRAM, { "capinfo", path } }, { CLI_PROGRAM, { "--replay", path, "identify" } },
        { ECUSIM_PROGRAM, { "--replay", path } }, { DAZEDERIR_PROGRAM, { "--replay", path } } };
}

class HostileCapture : public testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
};

// Nothing that is not a regular file is read: a FIFO would hold every program up for ever, and
// /dev/zero would fill the memory.
TEST_F(HostileCapture, AFifoADeviceOrAFolderIsRefusedAtOnceByEveryReader)
{
    const std::string fifo = Path("fifo.capture");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = { { fifo, "is a FIFO" },
        { "/dev/zero", "is a device" }, { dir.path().toStdString(), "is a folder" } };
    for (const auto& [path, says] : cases) {
        for (const auto& [program, args] : CaptureReaders(path)) {
            const CliRun run = RunProgram(program, args);
            EXPECT_EQ(run.status, ExitUsage) << program << " " << path;
            EXPECT_NE(run.err.find(path + " " + says), std::string::npos) << run.err;
        }
    }
}

// A bad line of a megabyte that holds escape sequences (a window title, a clear screen): the
// message quotes a short excerpt with the escapes written out, never the line.
TEST_F(HostileCapture, AHugeBadLineIsQuotedAsAShortEscapedExcerpt)
{
    const std::string escapes = "\x1b]0;owned\x07\x1b[2J";
    const std::string capture = Path("bad.capture");
    // Within the bound on a capture line (see the next test for a longer one).
    const std::size_t captureFill = CaptureReadLimits::DefaultMaxLineBytes - 1000;
    std::ofstream(capture) << "# dazederir capture 1\n0.000 > 10 03 ED\n0.500 < " << escapes
                           << std::string(captureFill, 'A') << "\n";
    const std::string log = Path("bad.csv");
    std::ofstream(log) << "Time (ms),RPM\r\n0,800\r\n40," << escapes << std::string(1 << 20, 'A') << "\r\n";

    std::vector<std::pair<std::string, Args>> readers = CaptureReaders(capture);
    readers.push_back({ CLI_PROGRAM, { "logstat", log } });
    constexpr std::size_t ShortMessage = 1000;
    for (const auto& [program, args] : readers) {
        const CliRun run = RunProgram(program, args);
        EXPECT_NE(run.status, -1) << program << " " << args[0];
        EXPECT_LT(run.err.size(), ShortMessage) << program << " " << args[0];
        EXPECT_EQ(run.err.find(Escape), std::string::npos) << program << " " << args[0];
        EXPECT_NE(run.err.find("\\x1B]0;owned\\x07"), std::string::npos) << run.err;
    }
}

// A line longer than any interface reads at once is refused by its number, before it is held.
TEST_F(HostileCapture, ALineBeyondTheBoundIsRefusedNamingIt)
{
    const std::string capture = Path("long.capture");
    std::string bytes;
    for (std::size_t i = 0; i * 3 <= CaptureReadLimits::DefaultMaxLineBytes; ++i)
        bytes += " 10";
    std::ofstream(capture) << "# dazederir capture 1\n0.000 > 10 03 ED\n0.500 <" << bytes << "\n";
    const CliRun run = RunCli({ "capinfo", capture });
    EXPECT_EQ(run.status, ExitUsage);
    EXPECT_NE(run.err.find(capture + " line 3 is longer than"), std::string::npos) << run.err;
}

// --record writes as logs are written: an earlier capture is kept under its time, a link is not
// followed and a FIFO is refused at once, by the tool and by the program.
TEST_F(HostileCapture, RecordingKeepsAnEarlierCaptureAndRefusesALinkOrAFifo)
{
    const std::string capture = Path("session.capture");
    ASSERT_EQ(RunCli({ "--simulate", "--record", capture, "identify" }).status, 0);
    const std::string earlier = FileText(capture);
    ASSERT_EQ(RunCli({ "--simulate", "--record", capture, "identify" }).status, 0);
    const QStringList kept = QDir(dir.path()).entryList({ QStringLiteral("session-*.capture") });
    ASSERT_EQ(kept.size(), 1) << kept.join(' ').toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^session-\\d{8}-\\d{6}\\.capture$")).match(kept[0]).hasMatch());
    EXPECT_EQ(FileText(dir.filePath(kept[0]).toStdString()), earlier);
    EXPECT_TRUE(ReadCaptureFile(capture).Ok());

    const std::string text = Path("notes.txt");
    std::ofstream(text) << "not a capture\n";
    const std::string link = Path("link.capture");
    ASSERT_EQ(::symlink(text.c_str(), link.c_str()), 0);
    const std::string fifo = Path("fifo.capture");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [target, says] :
        { std::pair { link, "a symbolic link" }, std::pair { fifo, "a FIFO" } }) {
        for (const std::string& program : { std::string(CLI_PROGRAM), std::string(DAZEDERIR_PROGRAM) }) {
            const Args args = program == CLI_PROGRAM ? Args { "--simulate", "--record", target, "identify" }
                                                     : Args { "--simulate", "--record", target };
            const CliRun run = RunProgram(program, args);
            EXPECT_EQ(run.status, ExitCannotWrite) << program << " " << target;
            EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        }
    }
    EXPECT_EQ(FileText(text), "not a capture\n");
    struct stat info { };
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A reply recorded as coming a hundred million seconds after its request does not hold the
// simulator's end back: SIGTERM ends it at once.
TEST_F(HostileCapture, TheSimulatorEndsAtOnceWhileAReplayedReplyIsDue)
{
    const std::string capture = Path("late.capture");
    std::ofstream(capture)
        << "# dazederir capture 1\n0.000 > 10 03 ED\n0.500 < 10 03 ED\n100000000000.000 < 10 05 11 03 D7\n";
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--replay", capture, "--replay-timing" });
    const std::string pty = ecusim.ReadLine().value_or("");
    ASSERT_FALSE(pty.empty()) << ecusim.ErrorOutput();
    const int line = ::open(pty.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(line, 0);
    termios raw {};
    ::tcgetattr(line, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(line, TCSANOW, &raw);
    const unsigned char identify[] = { 0x10, 0x03, 0xED };
    ASSERT_EQ(::write(line, identify, sizeof identify), static_cast<ssize_t>(sizeof identify));
    // The echo came back: the request was taken, and its reply is due in a hundred million seconds.
    std::string echo;
    pollfd ready { line, POLLIN, 0 };
    constexpr int PatienceMs = 10000;
    while (echo.size() < sizeof identify && ::poll(&ready, 1, PatienceMs) > 0) {
        char byte = 0;
        if (::read(line, &byte, 1) == 1)
            echo += byte;
    }
    ASSERT_EQ(echo, std::string(reinterpret_cast<const char*>(identify), sizeof identify));

    const auto signalled = Clock::now();
    ecusim.Signal(SIGTERM);
    EXPECT_EQ(ecusim.Wait(), 0);
    EXPECT_LT(Clock::now() - signalled, std::chrono::seconds(2));
    ::close(line);
}

} // namespace
