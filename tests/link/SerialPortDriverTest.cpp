#include "link/SerialPortDriver.h"
#include "link/D2xxThread.h"

#include "PtyOutputSpeed.h"
#include "tests/support/NobodyUser.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
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

    static FtHandle OpenFirst(SerialPortDriver& driver, std::uint32_t baudRate)
    {
        std::uint32_t count = 0;
        EXPECT_EQ(driver.CreateDeviceInfoList(count), FtStatus::FT_OK);
        FtHandle handle = 0;
        EXPECT_EQ(driver.Open(0, handle), FtStatus::FT_OK);
        EXPECT_EQ(driver.SetBaudRate(handle, baudRate), FtStatus::FT_OK);
        EXPECT_EQ(driver.SetDataCharacteristics(handle, FtBits8, FtStopBits1, FtParityNone), FtStatus::FT_OK);
        EXPECT_EQ(driver.SetTimeouts(handle, 300, 300), FtStatus::FT_OK);
        return handle;
    }

    static std::uint32_t ListCount(SerialPortDriver& driver)
    {
        std::uint32_t count = 0;
        EXPECT_EQ(driver.CreateDeviceInfoList(count), FtStatus::FT_OK);
        return count;
    }

    int master = -1;
    QString path;
};

class PtyAtLineSpeed : public Pty, public testing::WithParamInterface<std::uint32_t> { };

TEST_P(PtyAtLineSpeed, ExplicitPortIsTheCableAndCarriesBytesBothWays)
{
    SerialPortDriver driver(path);
    ASSERT_EQ(ListCount(driver), 1u);
    FtDeviceInfo info;
    ASSERT_EQ(driver.GetDeviceInfoDetail(0, info), FtStatus::FT_OK);
    EXPECT_EQ(info.description, "VAD Interface");
    EXPECT_EQ(info.serialNumber.substr(0, 2), "R1");
    EXPECT_EQ(info.handle, 0u);

    const FtHandle handle = OpenFirst(driver, GetParam());
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(PtyOutputSpeed(master), static_cast<int>(GetParam())) << "the custom rate took effect";
    ASSERT_EQ(driver.GetDeviceInfoDetail(0, info), FtStatus::FT_OK);
    EXPECT_EQ(info.handle, handle);

    const Bytes request { 0x10, 0x03, 0xED };
    std::uint32_t written = 0;
    ASSERT_EQ(driver.Write(handle, request, written), FtStatus::FT_OK);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(MasterRead(3), request);

    const Bytes reply { 0x10, 0x05, 0x11, 0x03, 0xD7 };
    MasterWrite(reply);
    std::array<std::uint8_t, 16> buffer {};
    std::uint32_t got = 0;
    ASSERT_EQ(driver.WaitForData(handle, 5000ms), FtStatus::FT_OK);
    ASSERT_EQ(driver.Read(handle, std::span(buffer).first(reply.size()), got), FtStatus::FT_OK);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + got), reply);

    EXPECT_EQ(driver.Close(handle), FtStatus::FT_OK);
    ASSERT_EQ(driver.GetDeviceInfoDetail(0, info), FtStatus::FT_OK);
    EXPECT_EQ(info.handle, 0u);
    EXPECT_NE(driver.Write(handle, request, written), FtStatus::FT_OK);
}

INSTANTIATE_TEST_SUITE_P(EcuLineSpeeds, PtyAtLineSpeed, testing::Values(7812u, 15625u));

TEST_F(Pty, EndedTerminalFailsCleanlyAndLeavesTheList)
{
    SerialPortDriver driver(path);
    const FtHandle handle = OpenFirst(driver, 7812);
    CloseMaster();

    EXPECT_NE(driver.WaitForData(handle, 1000ms), FtStatus::FT_OK);
    std::uint32_t rx = 0, tx = 0, events = 0;
    EXPECT_NE(driver.GetStatus(handle, rx, tx, events), FtStatus::FT_OK);
    std::array<std::uint8_t, 4> buffer {};
    std::uint32_t count = 0;
    EXPECT_NE(driver.Read(handle, buffer, count), FtStatus::FT_OK);
    EXPECT_NE(driver.Write(handle, buffer, count), FtStatus::FT_OK);
    EXPECT_EQ(ListCount(driver), 0u);
    EXPECT_EQ(driver.Close(handle), FtStatus::FT_OK);
}

TEST_F(Pty, UnlinkedSymbolicLinkLeavesTheList)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("cable");
    ASSERT_TRUE(QFile::link(path, link));
    SerialPortDriver driver(link);
    const FtHandle handle = OpenFirst(driver, 15625);
    EXPECT_NE(handle, 0u);
    ASSERT_TRUE(QFile::remove(link));
    EXPECT_EQ(ListCount(driver), 0u);
    FtDeviceInfo info;
    EXPECT_NE(driver.GetDeviceInfoDetail(0, info), FtStatus::FT_OK);
}

TEST_F(Pty, MissingPathIsNotListedAndCannotBeOpened)
{
    SerialPortDriver driver("/dev/no-such-cable");
    EXPECT_EQ(ListCount(driver), 0u);
    FtHandle handle = 0;
    EXPECT_NE(driver.Open(0, handle), FtStatus::FT_OK);
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
            std::uint32_t count = 0;
            driver.CreateDeviceInfoList(count);
            FtHandle handle = 0;
            const bool refused = driver.Open(0, handle) == FtStatus::FT_DEVICE_NOT_OPENED;
            const FtOpenError error = driver.LastOpenError();
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
    const FtHandle handle = OpenFirst(driver, 15625);

    auto interrupted = std::async(std::launch::async, [&] { return driver.WaitForData(handle, LongWait); });
    driver.Interrupt();
    ASSERT_EQ(interrupted.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(interrupted.get(), FtStatus::FT_OK);

    auto receiving = std::async(std::launch::async, [&] { return driver.WaitForData(handle, LongWait); });
    MasterWrite({ 0x10, 0x03, 0xED });
    ASSERT_EQ(receiving.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(receiving.get(), FtStatus::FT_OK);
    std::uint32_t rx = 0, tx = 0, events = 0;
    EXPECT_EQ(driver.GetStatus(handle, rx, tx, events), FtStatus::FT_OK);
    EXPECT_GT(rx, 0u);
}

} // namespace
