#include "sim/PseudoTerminal.h"
#include "sim/EcuSimulator.h"

#include "ChildProcess.h"
#include "PtyClient.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> Identify { 0x10, 0x03, 0xED };
const std::vector<std::uint8_t> IdentifyReply1103 { 0x10, 0x05, 0x11, 0x03, 0xD7 };

std::vector<std::uint8_t> WaitAndRead(PseudoTerminal& pty)
{
    pollfd ready { pty.MasterFd(), POLLIN, 0 };
    poll(&ready, 1, static_cast<int>(ChildProcess::Patience.count()));
    return pty.ReadAvailable();
}

TEST(PseudoTerminal, CarriesBytesBothWaysWithoutEchoOfItsOwn)
{
    std::string error;
    const auto pty = PseudoTerminal::Open(error);
    ASSERT_TRUE(pty) << error;
    EXPECT_TRUE(pty->SlavePath().starts_with("/dev/pts/"));
    PtyClient client(pty->SlavePath());
    ASSERT_TRUE(client.IsOpen());

    ASSERT_TRUE(client.Send(Identify));
    EXPECT_EQ(WaitAndRead(*pty), Identify);
    // Had the tty layer echoed the request, it would reach the client ahead of this byte.
    const std::vector<std::uint8_t> marker { 0x5A };
    pty->Write(marker);
    EXPECT_EQ(client.Receive(1), marker);

    ManualClock clock;
    EcuSimulator sim("1103", {}, clock.Clock());
    ASSERT_TRUE(client.Send(Identify));
    pty->Write(sim.Transfer(WaitAndRead(*pty)));
    EXPECT_EQ(client.Receive(8), Concat(Identify, IdentifyReply1103));
}

TEST(PseudoTerminal, KeepsWorkingWhenTheClientGoesAndComes)
{
    std::string error;
    const auto pty = PseudoTerminal::Open(error);
    ASSERT_TRUE(pty) << error;
    {
        PtyClient first(pty->SlavePath());
        ASSERT_TRUE(first.Send(Identify));
        EXPECT_EQ(WaitAndRead(*pty), Identify);
    }
    // No client now: nothing to read and no error either.
    EXPECT_TRUE(pty->ReadAvailable().empty());
    PtyClient second(pty->SlavePath());
    ASSERT_TRUE(second.Send(Identify));
    EXPECT_EQ(WaitAndRead(*pty), Identify);
}

TEST(PseudoTerminal, ReportsTheSpeedTheClientSet)
{
    std::string error;
    const auto pty = PseudoTerminal::Open(error);
    ASSERT_TRUE(pty) << error;
    EXPECT_EQ(pty->ClientBaud(), PseudoTerminal::DefaultBaud);
    PtyClient client(pty->SlavePath());
    termios settings {};
    ASSERT_EQ(tcgetattr(client.Fd(), &settings), 0);
    cfsetspeed(&settings, B9600);
    ASSERT_EQ(tcsetattr(client.Fd(), TCSANOW, &settings), 0);
    EXPECT_EQ(pty->ClientBaud(), 9600);
    // The ECU speeds are outside the classic table.
    ASSERT_TRUE(SetTerminalBaud(client.Fd(), 7812));
    EXPECT_EQ(pty->ClientBaud(), 7812);
}

// The dazederir-ecusim program, as a client sees it.
class EcusimProgram : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("ecusim-test-" + std::to_string(getpid()));
        fs::create_directories(dir);
        link = dir / "ecu";
    }
    void TearDown() override { fs::remove_all(dir); }

    static void ExpectIdentifies(const std::string& path)
    {
        PtyClient client(path);
        ASSERT_TRUE(client.IsOpen()) << path;
        ASSERT_TRUE(client.Send(Identify));
        EXPECT_EQ(client.Receive(8), Concat(Identify, IdentifyReply1103)) << path;
    }

    fs::path dir;
    fs::path link;
};

TEST_F(EcusimProgram, ServesOnThePrintedPathAndEndsCleanlyOnTerm)
{
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--link", link.string() });
    ASSERT_TRUE(ecusim.Started());
    const auto path = ecusim.ReadLine();
    ASSERT_TRUE(path.has_value());
    EXPECT_TRUE(path->starts_with("/dev/pts/")) << *path;
    EXPECT_EQ(fs::read_symlink(link), *path);
    ExpectIdentifies(*path);
    // A data read answers too, with eight bytes.
    PtyClient client(*path);
    const EcuFrame request = ReadDataRequest({ 0, 1, 2, 3, 4, 5, 6, 7 });
    const std::vector<std::uint8_t> read(request.Bytes().begin(), request.Bytes().end());
    ASSERT_TRUE(client.Send(read));
    const auto line = client.Receive(read.size() + 11);
    ASSERT_EQ(line.size(), read.size() + 11);
    EXPECT_EQ(line[read.size()], 0x13);

    ecusim.Signal(SIGTERM);
    EXPECT_EQ(ecusim.Wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(EcusimProgram, PacedRepliesAreTheSameBytes)
{
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--sim-pace", "--ecu", "1103" });
    const auto path = ecusim.ReadLine();
    ASSERT_TRUE(path.has_value());
    ExpectIdentifies(*path);
    ecusim.Signal(SIGINT);
    EXPECT_EQ(ecusim.Wait(), 0);
}

TEST_F(EcusimProgram, PulledCableTakesTheLinkAwayAndReplugGivesANewPty)
{
    // Out from 1.5 s to 1.8 s: long enough in to talk before and after.
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--link", link.string(), "--sim-unplug", "1.5:0.3" });
    const auto first = ecusim.ReadLine();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(fs::read_symlink(link), *first);
    PtyClient client(*first);
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.Send(Identify));
    EXPECT_EQ(client.Receive(8), Concat(Identify, IdentifyReply1103));

    // The link is removed before the line hangs up, so it is gone when the client notices.
    ASSERT_TRUE(client.WaitForHangUp());
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));

    const auto second = ecusim.ReadLine();
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(second->starts_with("/dev/pts/")) << *second;
    EXPECT_EQ(fs::read_symlink(link), *second);
    ExpectIdentifies(link.string());

    ecusim.Signal(SIGTERM);
    EXPECT_EQ(ecusim.Wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

// A file or a symbolic link it did not make is someone's: never replaced, nor removed at the end.
TEST_F(EcusimProgram, NeverReplacesAFileOrALinkAtTheLinkPath)
{
    {
        std::ofstream(link) << "precious";
    }
    const fs::path theirs = dir / "theirs";
    fs::create_symlink("/dev/ttyUSB7", theirs);
    for (const fs::path& path : { link, theirs }) {
        ChildProcess ecusim(ECUSIM_PROGRAM, { "--link", path.string() });
        EXPECT_EQ(ecusim.Wait(), 2);
        EXPECT_NE(ecusim.ErrorOutput().find(path.string()), std::string::npos);
    }
    std::string content;
    std::ifstream(link) >> content;
    EXPECT_EQ(content, "precious");
    EXPECT_EQ(fs::read_symlink(theirs), "/dev/ttyUSB7");
}

struct BadUsage {
    std::vector<std::string> args;
    std::string named; // what the error line must mention
};

void PrintTo(const BadUsage& c, std::ostream* os)
{
    for (const auto& arg : c.args)
        *os << arg << " ";
}

class EcusimBadUsage : public testing::TestWithParam<BadUsage> { };

TEST_P(EcusimBadUsage, ExitsWithStatusTwoAndOneLineNamingTheInput)
{
    ChildProcess ecusim(ECUSIM_PROGRAM, GetParam().args);
    EXPECT_EQ(ecusim.Wait(), 2);
    EXPECT_FALSE(ecusim.ReadLine().has_value()) << "no pty for bad usage";
    const std::string error = ecusim.ErrorOutput();
    EXPECT_NE(error.find(GetParam().named), std::string::npos) << error;
    ASSERT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), error.size() - 1) << error;
}

INSTANTIATE_TEST_SUITE_P(Options, EcusimBadUsage,
    testing::Values(BadUsage { { "--sim-bytes", "300=1" }, "address 300 is out of range 0..255" },
        BadUsage { { "--ecu", "11033" }, "11033" }, BadUsage { { "--ecu" }, "--ecu: missing value" },
        BadUsage { { "--sim-unplug", "1:2" }, "FOR 2" }, BadUsage { { "--sim-drop", "1.5" }, "1.5" },
        BadUsage { { "--sim-unplug", "1e19:1" }, "EVERY 1e19" }, BadUsage { { "--link=" }, "--link" },
        BadUsage { { "--frobnicate" }, "--frobnicate" }, BadUsage { { "stray" }, "stray" }));

} // namespace
