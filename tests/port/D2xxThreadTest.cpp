#include "port/D2xxThread.h"
#include "sim/SimulatedCable.h"

#include "MiniEcuResponder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Polls until the condition holds; the bound is only there so a fault fails instead of hanging.
bool WaitUntil(const std::function<bool()>& condition)
{
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class LinkOverSimulatedCable : public testing::Test {
protected:
    LinkOverSimulatedCable() { cable->SetResponder(responder); }

    void StartLink()
    {
        link = std::make_unique<TD2xxThread>([cable = cable] { return cable; });
    }

    // Waits until the thread has listed the ports `scans` more times, so that whatever it
    // would do with what it found has been done.
    void LetItScan(int scans = 3)
    {
        const int target = cable->GetRecord().listCount + scans;
        ASSERT_TRUE(WaitUntil([&] { return cable->GetRecord().listCount >= target; }));
    }

    void OpenAndWait()
    {
        ASSERT_EQ(link->OpenPort("15625"), 0);
        ASSERT_TRUE(WaitUntil([&] { return link->IsPortOpen(); }));
    }

    std::vector<std::uint8_t> ReceiveAtLeast(std::size_t count)
    {
        std::vector<std::uint8_t> received;
        WaitUntil([&] {
            InterfaceLink::ReceiveBuffer buffer {};
            std::uint8_t got = 0;
            link->ReceiveBytes(buffer, got);
            received.insert(received.end(), buffer.begin(), buffer.begin() + got);
            return received.size() >= count;
        });
        return received;
    }

    std::shared_ptr<MiniEcuResponder> responder = std::make_shared<MiniEcuResponder>();
    std::shared_ptr<SimulatedCable> cable = std::make_shared<SimulatedCable>();
    std::unique_ptr<TD2xxThread> link;
};

TEST_F(LinkOverSimulatedCable, NoDeviceMeansNoInterfaceAndTheRequestWaits)
{
    cable->PullOut();
    StartLink();
    EXPECT_EQ(link->OpenPort("15625"), 0);
    LetItScan();
    EXPECT_EQ(link->GetStatusText(), "No Interface");
    EXPECT_FALSE(link->IsPortOpen());

    cable->PlugIn();
    ASSERT_TRUE(WaitUntil([&] { return link->IsPortOpen(); })) << "opens on the first scan that finds it";
    EXPECT_EQ(link->GetStatusText(), "VAD Interface");
    const SimulatedCable::Record record = cable->GetRecord();
    EXPECT_TRUE(record.open);
    EXPECT_EQ(record.baudRate, 15625u);
}

TEST_F(LinkOverSimulatedCable, LookAlikesAreNeverOpened)
{
    const std::vector<SimulatedCable::Device> lookAlikes {
        { "R1234567", "VAD Interface " }, // right serial, wrong description
        { "R1234567", "vad interface" },
        { "R2345678", "VAD Interface" }, // right description, wrong serial
        { "r1234567", "VAD Interface" },
        { "R", "VAD Interface" }, // one character never matches "R1"
        { "", "VAD Interface" },
    };
    cable->SetIdentity(lookAlikes.back());
    cable->SetOtherDevices({ lookAlikes.begin(), lookAlikes.end() - 1 });
    StartLink();
    EXPECT_EQ(link->OpenPort("7812"), 0);
    LetItScan();
    EXPECT_EQ(link->GetStatusText(), "No Interface");
    EXPECT_FALSE(link->IsPortOpen());
    EXPECT_EQ(cable->GetRecord().openCount, 0);

    cable->SetIdentity(SimulatedCable::MatchingCable());
    ASSERT_TRUE(WaitUntil([&] { return link->IsPortOpen(); })) << "the real cable among them is found";
    EXPECT_EQ(cable->GetRecord().openCount, 1);
}

TEST_F(LinkOverSimulatedCable, SecondMatchingDeviceDoesNotTakeOverTheOpenPort)
{
    const SimulatedCable::Device second { "R1999999", "VAD Interface" };
    StartLink();
    OpenAndWait();
    cable->SetOtherDevices({}, { second }); // listed after the open cable, not open itself
    LetItScan();
    EXPECT_TRUE(link->IsPortOpen());
    link->SendBytes(IdentifyRequest().Bytes());
    EXPECT_EQ(ReceiveAtLeast(8).size(), 8u) << "bytes still flow on the open cable";
    EXPECT_EQ(cable->GetRecord().openCount, 1);
}

TEST_F(LinkOverSimulatedCable, PulledCableClosesThePortAndStaysClosedWhenPluggedBack)
{
    StartLink();
    OpenAndWait();
    cable->PullOut();
    ASSERT_TRUE(WaitUntil([&] { return !link->IsPortOpen(); }));
    EXPECT_EQ(link->GetStatusText(), "No Interface");

    cable->PlugIn();
    ASSERT_TRUE(WaitUntil([&] { return link->GetStatusText() == "VAD Interface"; }));
    LetItScan();
    EXPECT_FALSE(link->IsPortOpen()) << "no reopen without OpenPort";
    EXPECT_EQ(cable->GetRecord().openCount, 1);

    OpenAndWait();
    EXPECT_EQ(cable->GetRecord().openCount, 2);
}

TEST_F(LinkOverSimulatedCable, CloseWhileClosedWaitsForTheNextOpen)
{
    StartLink();
    EXPECT_EQ(link->ClosePort(), 0);
    LetItScan();
    EXPECT_FALSE(link->IsPortOpen());
    EXPECT_EQ(cable->GetRecord().openCount, 0);

    EXPECT_EQ(link->OpenPort("15625"), 0);
    ASSERT_TRUE(WaitUntil([&] { return cable->GetRecord().closeCount == 1; }));
    EXPECT_EQ(cable->GetRecord().openCount, 1);
    EXPECT_FALSE(link->IsPortOpen());
    LetItScan();
    EXPECT_EQ(cable->GetRecord().openCount, 1) << "the close request was used up";
}

TEST_F(LinkOverSimulatedCable, BytesRoundTripThroughEchoAndReply)
{
    responder->memory[0x20] = 0xAB;
    StartLink();
    OpenAndWait();

    const EcuFrame identify = IdentifyRequest();
    EXPECT_EQ(link->SendBytes(identify.Bytes()), 0);
    const std::vector<std::uint8_t> idLine { 0x10, 0x03, 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7 };
    EXPECT_EQ(ReceiveAtLeast(idLine.size()), idLine);

    const EcuFrame read = ReadDataRequest({ 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27 });
    link->SendBytes(read.Bytes());
    const std::vector<std::uint8_t> line = ReceiveAtLeast(2 * read.Bytes().size());
    ASSERT_EQ(line.size(), 22u);
    EXPECT_TRUE(std::equal(read.Bytes().begin(), read.Bytes().end(), line.begin())) << "echo first";
    EXPECT_EQ(line[13], 0xAB);
    EXPECT_EQ(line[14], 0x21);
}

TEST_F(LinkOverSimulatedCable, SetBaudRateNeedsAnOpenPortAndAWholeNumber)
{
    StartLink();
    EXPECT_EQ(link->SetBaudRate("7812"), 1) << "no port open";
    EXPECT_EQ(link->OpenPort("fast"), 1);
    EXPECT_EQ(link->OpenPort("-15625"), 1);
    LetItScan();
    EXPECT_EQ(cable->GetRecord().openCount, 0) << "a bad text makes no request";

    OpenAndWait();
    for (const char* bad : { "", "0", "78x2", "-7812", "99999999999", "7812.5" })
        EXPECT_EQ(link->SetBaudRate(bad), 1) << bad;
    EXPECT_EQ(cable->GetRecord().baudRate, 15625u);
    EXPECT_EQ(link->SetBaudRate(" 7812 "), 0);
    ASSERT_TRUE(WaitUntil([&] { return cable->GetRecord().baudRate == 7812u; }));
}

TEST_F(LinkOverSimulatedCable, BrokenDriverShowsBadDriver)
{
    cable->SetListFails(true);
    StartLink();
    link->OpenPort("15625");
    ASSERT_TRUE(WaitUntil([&] { return link->GetStatusText() == "Bad Driver"; }));
    EXPECT_FALSE(link->IsPortOpen());

    cable->SetListFails(false);
    ASSERT_TRUE(WaitUntil([&] { return link->IsPortOpen(); }));

    TD2xxThread noDriver([] { return PortDriverPtr(); });
    ASSERT_TRUE(WaitUntil([&] { return noDriver.GetStatusText() == "Bad Driver"; }));
}

TEST_F(LinkOverSimulatedCable, FailedOpenIsRetriedAndItsReasonKept)
{
    cable->SetOpenFails(true);
    StartLink();
    link->OpenPort("15625");
    ASSERT_TRUE(WaitUntil([&] { return cable->GetRecord().openCount >= 3; }));
    EXPECT_FALSE(link->IsPortOpen());
    EXPECT_EQ(link->GetOpenError().text, "The simulated device is busy");
    cable->SetOpenFails(false);
    ASSERT_TRUE(WaitUntil([&] { return link->IsPortOpen(); }));
    EXPECT_TRUE(link->GetOpenError().text.empty());
}

TEST_F(LinkOverSimulatedCable, DestroyingTheLinkClosesAnOpenPort)
{
    StartLink();
    OpenAndWait();
    link.reset();
    EXPECT_FALSE(cable->GetRecord().open);
    EXPECT_EQ(cable->GetRecord().closeCount, 1);
}

TEST_F(LinkOverSimulatedCable, ThreadIsNamedForDebuggers)
{
    StartLink();
    LetItScan(1);
    bool found = false;
    for (const QString& task : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm("/proc/self/task/" + task + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "D2xxPort")
            found = true;
    }
    EXPECT_TRUE(found);
}

// A line that never falls quiet, as a flooding ECU on a pseudo-terminal is: every read finds the
// buffer's worth waiting.
class FloodingLine final : public PortDriver {
public:
    static constexpr std::uint8_t FloodByte = 0x55;

    std::optional<std::vector<PortListing>> ListPorts() override
    {
        PortListing flood;
        flood.location = "flood";
        flood.namedByUser = true;
        return std::vector { flood };
    }
    bool Open(const std::string& /*location*/) override { return true; }
    bool Close() override { return true; }
    bool SetBaudRate(int /*baudRate*/) override { return true; }
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override
    {
        std::fill(buffer.begin(), buffer.end(), FloodByte);
        delivered += buffer.size();
        return buffer.size();
    }
    bool Write(std::span<const std::uint8_t> /*bytes*/) override
    {
        ++writes;
        return true;
    }
    bool WaitForData(std::chrono::milliseconds /*timeout*/) override { return true; }
    void Interrupt() override { }
    PortOpenError LastOpenError() const override { return {}; }

    std::atomic<std::size_t> delivered { 0 };
    std::atomic<int> writes { 0 };
};

TEST(LinkOverAFloodingLine, ReadsNoFasterThanTheBytesAreTakenAndStillSends)
{
    constexpr std::size_t Ring = InterfaceLink::RingCapacity;
    const auto line = std::make_shared<FloodingLine>();
    TD2xxThread link([line] { return line; });
    ASSERT_EQ(link.OpenPort("15625"), 0);
    ASSERT_TRUE(WaitUntil([&] { return line->delivered >= Ring; }));

    // Requests go out while the ring stays full; every pass they take would read on were the
    // thread not waiting for room.
    const EcuFrame identify = IdentifyRequest();
    for (int sent = 1; sent <= 20; ++sent) {
        link.SendBytes(identify.Bytes());
        ASSERT_TRUE(WaitUntil([&] { return line->writes >= sent; }));
    }
    EXPECT_EQ(line->delivered, Ring);

    // Taking the bytes makes room, and the thread fills it again, and no more.
    InterfaceLink::ReceiveBuffer buffer {};
    std::uint8_t count = 0;
    link.ReceiveBytes(buffer, count);
    EXPECT_EQ(count, Ring);
    EXPECT_EQ(buffer[0], FloodingLine::FloodByte);
    ASSERT_TRUE(WaitUntil([&] { return line->delivered >= 2 * Ring; }));
    link.SendBytes(identify.Bytes());
    ASSERT_TRUE(WaitUntil([&] { return line->writes >= 21; }));
    EXPECT_EQ(line->delivered, 2 * Ring);
}

} // namespace
