#include "port/SerialPortDriver.h"
#include "port/D2xxThread.h"
#include "port/InterfaceCable.h"
#include "port/ReceiveLatency.h"

#include "PtyOutputSpeed.h"
#include "tests/support/NobodyUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// A pseudo-terminal pair; the test holds the master side, the driver opens the slave by path.
class Pty : public testing::Test {
protected:
    void SetUp() override
    {
        int slave = -1;
        std::array<char, 128> name {};
        ASSERT_EQ(::openpty(&master, &slave, name.data(), nullptr, nullptr), 0);
        ::close(slave);
        path = QString::fromLatin1(name.data());
    }
    void TearDown() override { CloseMaster(); }

    void CloseMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    // What the driver wrote, as the far end sees it.
    Bytes MasterRead(std::size_t count)
    {
        Bytes got;
        const auto giveUp = std::chrono::steady_clock::now() + 5s;
        while (got.size() < count && std::chrono::steady_clock::now() < giveUp) {
            pollfd ready { master, POLLIN, 0 };
            if (::poll(&ready, 1, 100) <= 0)
                continue;
            std::array<std::uint8_t, 64> buffer {};
            const ssize_t n = ::read(master, buffer.data(), buffer.size());
            if (n > 0)
                got.insert(got.end(), buffer.begin(), buffer.begin() + n);
        }
        return got;
    }

    void MasterWrite(const Bytes& bytes)
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Lists the driver's ports and opens the first one at `baudRate`.
    static void OpenFirst(SerialPortDriver& driver, int baudRate)
    {
        const std::optional<std::vector<PortListing>> ports = driver.ListPorts();
        ASSERT_TRUE(ports.has_value());
        ASSERT_FALSE(ports->empty());
        ASSERT_TRUE(driver.Open(ports->front().location));
        EXPECT_TRUE(driver.SetBaudRate(baudRate));
    }

    static std::size_t ListCount(SerialPortDriver& driver)
    {
        const std::optional<std::vector<PortListing>> ports = driver.ListPorts();
        EXPECT_TRUE(ports.has_value());
        return ports ? ports->size() : 0;
    }

    // Everything the driver has received within `bound`, up to `count` bytes.
    static Bytes DriverRead(SerialPortDriver& driver, std::size_t count, std::chrono::milliseconds bound)
    {
        Bytes got;
        const auto giveUp = std::chrono::steady_clock::now() + bound;
        while (got.size() < count && std::chrono::steady_clock::now() < giveUp) {
            if (!driver.WaitForData(100ms))
                break;
            std::array<std::uint8_t, 16> buffer {};
            const std::optional<std::size_t> n = driver.Read(std::span(buffer).first(count - got.size()));
            if (!n)
                break;
            got.insert(got.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*n));
        }
        return got;
    }

    int master = -1;
    QString path;
};

class PtyAtLineSpeed : public Pty, public testing::WithParamInterface<int> { };

TEST_P(PtyAtLineSpeed, ExplicitPortIsTheCableAndCarriesBytesBothWays)
{
    SerialPortDriver driver(path);
    const std::optional<std::vector<PortListing>> ports = driver.ListPorts();
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 1u);
    EXPECT_EQ(ports->front().location, path.toStdString());
    EXPECT_TRUE(IsInterfaceCable(ports->front())) << "the port the user named is the cable";

    OpenFirst(driver, GetParam());
    EXPECT_EQ(PtyOutputSpeed(master), static_cast<int>(GetParam())) << "the custom rate took effect";
    termios line {};
    ASSERT_EQ(::tcgetattr(master, &line), 0);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u) << "no parity, one stop bit, no flow control";

    const Bytes request { 0x10, 0x03, 0xED };
    ASSERT_TRUE(driver.Write(request));
    EXPECT_EQ(MasterRead(3), request);

    const Bytes reply { 0x10, 0x05, 0x11, 0x03, 0xD7 };
    MasterWrite(reply);
    EXPECT_EQ(DriverRead(driver, reply.size(), 5000ms), reply);

    EXPECT_TRUE(driver.Close());
    EXPECT_FALSE(driver.Write(request)) << "a closed port takes nothing";
    EXPECT_FALSE(driver.Close());
}

INSTANTIATE_TEST_SUITE_P(EcuLineSpeeds, PtyAtLineSpeed, testing::Values(7812, 15625));

TEST_F(Pty, TheInterfacesLatencyTimerIsLoweredAtOpenAndReadBack)
{
    // A made-up sysfs in which this pseudo-terminal is an FTDI port at the kernel's default 16 ms.
    QTemporaryDir sysfs;
    ASSERT_TRUE(sysfs.isValid());
    const QString device = sysfs.filePath("class/tty/" + SysfsTtyName(path) + "/device");
    ASSERT_TRUE(QDir().mkpath(device));
    QFile timer(device + "/latency_timer");
    ASSERT_TRUE(timer.open(QIODevice::WriteOnly));
    timer.write("16\n");
    timer.close();

    SerialPortDriver driver(path, sysfs.path());
    ASSERT_TRUE(driver.Open(path.toStdString()));
    EXPECT_EQ(driver.ReceiveLatencyMs(), 1);
    ASSERT_TRUE(timer.open(QIODevice::ReadOnly));
    EXPECT_EQ(timer.readAll().trimmed(), "1");
    timer.close();
    EXPECT_TRUE(driver.Close());
    EXPECT_EQ(driver.ReceiveLatencyMs(), std::nullopt);

    // A timer file that says nothing readable, and a port without one, open all the same.
    ASSERT_TRUE(timer.open(QIODevice::WriteOnly));
    timer.write("fast\n");
    timer.close();
    ASSERT_TRUE(driver.Open(path.toStdString()));
    EXPECT_EQ(driver.ReceiveLatencyMs(), std::nullopt);
    EXPECT_TRUE(driver.Close());
    SerialPortDriver plain(path, sysfs.filePath("nothing-here"));
    ASSERT_TRUE(plain.Open(path.toStdString()));
    EXPECT_EQ(plain.ReceiveLatencyMs(), std::nullopt);
}

TEST_F(Pty, EndedTerminalFailsCleanlyAndLeavesTheList)
{
    SerialPortDriver driver(path);
    OpenFirst(driver, 7812);
    CloseMaster();

    EXPECT_FALSE(driver.WaitForData(1000ms));
    std::array<std::uint8_t, 4> buffer {};
    EXPECT_FALSE(driver.Read(buffer).has_value());
    EXPECT_FALSE(driver.Write(buffer));
    EXPECT_FALSE(driver.SetBaudRate(15625));
    EXPECT_EQ(ListCount(driver), 0u);
    EXPECT_TRUE(driver.Close());
}

TEST_F(Pty, UnlinkedSymbolicLinkLeavesTheList)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("cable");
    ASSERT_TRUE(QFile::link(path, link));
    SerialPortDriver driver(link);
    OpenFirst(driver, 15625);
    ASSERT_TRUE(QFile::remove(link));
    EXPECT_EQ(ListCount(driver), 0u);
}

TEST_F(Pty, MissingPathIsNotListedAndCannotBeOpened)
{
    SerialPortDriver driver("/dev/no-such-cable");
    EXPECT_EQ(ListCount(driver), 0u);
    EXPECT_FALSE(driver.Open("/dev/no-such-cable"));
    EXPECT_FALSE(driver.LastOpenError().text.empty());
}

TEST_F(Pty, PermissionDeniedIsToldApart)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // In a child, as a user who may not use the terminal (root may use any, so drop it).
    EXPECT_EXIT(
        {
            ::chmod(path.toLocal8Bit().constData(), 0);
            if (::geteuid() == 0 && ::setuid(NobodyId) != 0)
                ::_exit(2);
            SerialPortDriver driver(path);
            const std::optional<std::vector<PortListing>> ports = driver.ListPorts();
            const bool refused = ports && ports->size() == 1 && !driver.Open(ports->front().location);
            const PortOpenError error = driver.LastOpenError();
            ::_exit(
                refused && error.permissionDenied && error.text.find("PermissionError") != std::string::npos
                    ? 0
                    : 1);
        },
        testing::ExitedWithCode(0), "");
}

// The whole link over a real terminal: open at the ECU's speed, bytes both ways, and the
// terminal ending while open shows as a pulled cable.
TEST_F(Pty, LinkThreadOverTheSerialDriver)
{
    TD2xxThread link([path = path] { return std::make_shared<SerialPortDriver>(path); });
    ASSERT_EQ(link.OpenPort("7812"), 0);
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!link.IsPortOpen() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(link.IsPortOpen());
    EXPECT_EQ(PtyOutputSpeed(master), 7812);

    const Bytes request { 0x14, 0x03, 0xE9 };
    link.SendBytes(request);
    EXPECT_EQ(MasterRead(3), request);

    const Bytes reply { 0x14, 0x04, 0x00, 0xE8 };
    MasterWrite(reply);
    Bytes received;
    while (received.size() < reply.size() && std::chrono::steady_clock::now() < giveUp) {
        InterfaceLink::ReceiveBuffer buffer {};
        std::uint8_t got = 0;
        link.ReceiveBytes(buffer, got);
        received.insert(received.end(), buffer.begin(), buffer.begin() + got);
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(received, reply);

    CloseMaster();
    while (link.IsPortOpen() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_EQ(link.GetStatusText(), "No Interface");
}

} // namespace

namespace {

// A wait far longer than the bound, so only the interrupt can end it in time.
constexpr auto LongWait = std::chrono::milliseconds(30000);
constexpr auto Bound = std::chrono::seconds(10);

TEST_F(Pty, InterruptFromAnotherThreadEndsAWaitAndReceivedBytesEndItToo)
{
    SerialPortDriver driver(path);
    OpenFirst(driver, 15625);

    auto interrupted = std::async(std::launch::async, [&] { return driver.WaitForData(LongWait); });
    driver.Interrupt();
    ASSERT_EQ(interrupted.wait_for(Bound), std::future_status::ready);
    EXPECT_TRUE(interrupted.get());

    auto receiving = std::async(std::launch::async, [&] { return driver.WaitForData(LongWait); });
    MasterWrite({ 0x10, 0x03, 0xED });
    ASSERT_EQ(receiving.wait_for(Bound), std::future_status::ready);
    EXPECT_TRUE(receiving.get());
    std::array<std::uint8_t, 4> buffer {};
    EXPECT_GT(driver.Read(buffer).value_or(0), 0u);
}

} // namespace
