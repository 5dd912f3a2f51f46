#include "sim/SimulatedCable.h"

#include "MiniEcuResponder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string CableLocation()
{
    return std::string(SimulatedCable::Location);
}

struct OpenCable {
    OpenCable()
    {
        cable.SetResponder(responder);
        EXPECT_TRUE(cable.ListPorts().has_value());
        EXPECT_TRUE(cable.Open(CableLocation()));
    }

    // Reads what is readable now; nothing when the cable refuses.
    std::optional<Bytes> ReadNow()
    {
        std::array<std::uint8_t, 32> buffer {};
        const std::optional<std::size_t> got = cable.Read(buffer);
        if (!got)
            return std::nullopt;
        return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(*got));
    }

    std::shared_ptr<MiniEcuResponder> responder = std::make_shared<MiniEcuResponder>();
    SimulatedCable cable;
};

TEST(SimulatedCable, ListsOtherDevicesThenTheCableWhichAloneOpensAndOnceAtATime)
{
    SimulatedCable cable;
    cable.SetOtherDevices({ { "A123", "USB Serial" }, { "R1XYZ", "VAD Interfac" } });
    const std::optional<std::vector<PortListing>> ports = cable.ListPorts();
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 3u);
    EXPECT_EQ((*ports)[2].product, "VAD Interface");
    EXPECT_EQ((*ports)[2].location, CableLocation());
    EXPECT_FALSE(IsInterfaceCable((*ports)[0]));
    EXPECT_FALSE(IsInterfaceCable((*ports)[1]));
    EXPECT_TRUE(IsInterfaceCable((*ports)[2]));

    EXPECT_FALSE(cable.Open((*ports)[0].location)) << "other devices are busy";
    EXPECT_EQ(cable.LastOpenError().text, "The simulated device is busy");
    EXPECT_FALSE(cable.Open("simulated-device-9")) << "nothing is listed there";
    ASSERT_TRUE(cable.Open((*ports)[2].location));
    EXPECT_TRUE(cable.LastOpenError().text.empty());
    EXPECT_TRUE(cable.GetRecord().open);
    EXPECT_FALSE(cable.Open((*ports)[2].location)) << "opens once at a time";
    EXPECT_TRUE(cable.Close());
    EXPECT_FALSE(cable.Close()) << "nothing left to close";
}

// Texts of any length are kept whole, and only the exact product string with the serial prefix
// makes the cable: a long look-alike is not taken for it.
TEST(SimulatedCable, LongTextsAreKeptWholeAndDoNotPassForTheCable)
{
    SimulatedCable cable;
    cable.SetIdentity(
        { "R1" + std::string(38, 'S'), std::string(InterfaceCable::Product) + std::string(87, 'D') });
    std::optional<std::vector<PortListing>> ports = cable.ListPorts();
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 1u);
    EXPECT_EQ(ports->front().serialNumber.size(), 40u);
    EXPECT_EQ(ports->front().product.size(), 100u);
    EXPECT_FALSE(IsInterfaceCable(ports->front()));

    cable.SetIdentity({ "R1" + std::string(38, 'S'), std::string(InterfaceCable::Product) });
    ports = cable.ListPorts();
    ASSERT_TRUE(ports.has_value());
    EXPECT_TRUE(IsInterfaceCable(ports->front())) << "a long serial number beginning R1 is the cable's";
}

TEST(SimulatedCable, WrittenBytesComeBackAsEchoThenReply)
{
    OpenCable open;
    const EcuFrame request = IdentifyRequest();
    ASSERT_TRUE(open.cable.Write(request.Bytes()));

    const Bytes expected { 0x10, 0x03, 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7 };
    EXPECT_EQ(open.ReadNow(), expected);
    EXPECT_EQ(open.cable.GetRecord().written, Bytes(request.Bytes().begin(), request.Bytes().end()));
}

TEST(SimulatedCable, PacedBytesArriveTenBitTimesApartOnTheGivenClock)
{
    OpenCable open;
    std::atomic<double> now { 100.0 };
    open.cable.SetPaced(true, [&now] { return now.load(); });
    ASSERT_TRUE(open.cable.SetBaudRate(10000)); // 1 ms per byte
    ASSERT_TRUE(open.cable.Write(IdentifyRequest().Bytes()));

    // Each read takes what has arrived so far; the count so far is what the clock allows.
    std::size_t taken = 0;
    const auto arrivedBy = [&](double seconds) {
        now = seconds;
        const std::optional<Bytes> got = open.ReadNow();
        taken += got ? got->size() : 0;
        return taken;
    };
    EXPECT_EQ(arrivedBy(100.0), 0u);
    EXPECT_EQ(arrivedBy(100.0015), 1u);
    EXPECT_EQ(arrivedBy(100.0075), 7u);
    EXPECT_EQ(arrivedBy(100.0085), 8u);
    EXPECT_TRUE(open.cable.WaitForData(std::chrono::milliseconds(0)));
}

// As an FTDI chip does: the bytes wait until its latency timer has run since the first of them
// came, unless a full packet's worth (62) waits, which goes at once.
TEST(SimulatedCable, HeldBytesComeAfterTheLatencyTimerOrAsAFullPacket)
{
    OpenCable open;
    std::atomic<double> now { 100.0 };
    open.cable.SetReceiveLatency(std::chrono::milliseconds(16), [&now] { return now.load(); });
    EXPECT_EQ(open.cable.ReceiveLatencyMs(), 16);
    const auto readable = [&](double seconds) {
        now = seconds;
        std::size_t count = 0;
        for (std::optional<Bytes> got = open.ReadNow(); got && !got->empty(); got = open.ReadNow())
            count += got->size();
        return count;
    };
    ASSERT_TRUE(open.cable.Write(IdentifyRequest().Bytes())); // echo 3 and reply 5
    EXPECT_EQ(readable(100.0), 0u);
    EXPECT_EQ(readable(100.0159), 0u);
    EXPECT_EQ(readable(100.016), 8u);

    // Three reads at once: 66 bytes, of which a packet leaves at once and the rest after 16 ms.
    now = 200.0;
    std::vector<std::uint8_t> requests;
    for (int k = 0; k < 3; ++k) {
        const EcuFrame read = ReadDataRequest(PollAddressList {});
        requests.insert(requests.end(), read.Bytes().begin(), read.Bytes().end());
    }
    ASSERT_TRUE(open.cable.Write(requests));
    EXPECT_EQ(readable(200.0), ReceiveHold::PacketBytes);
    EXPECT_EQ(readable(200.0159), 0u);
    EXPECT_EQ(readable(200.016), 66u - ReceiveHold::PacketBytes);
    EXPECT_TRUE(open.cable.Close());
    EXPECT_EQ(open.cable.ReceiveLatencyMs(), std::nullopt);
}

TEST(SimulatedCable, PullingOutEndsTheOpenPortAndDropsUnreadBytes)
{
    OpenCable open;
    ASSERT_TRUE(open.cable.Write(IdentifyRequest().Bytes()));
    open.cable.PullOut();

    EXPECT_FALSE(open.ReadNow().has_value());
    EXPECT_FALSE(open.cable.Write(IdentifyRequest().Bytes()));
    EXPECT_FALSE(open.cable.WaitForData(std::chrono::milliseconds(1)));
    std::optional<std::vector<PortListing>> ports = open.cable.ListPorts();
    ASSERT_TRUE(ports.has_value());
    EXPECT_TRUE(ports->empty());
    EXPECT_FALSE(open.cable.Open(CableLocation())) << "a pulled cable cannot be opened";

    open.cable.PlugIn();
    EXPECT_FALSE(open.ReadNow().has_value()) << "the port that was open stays ended";
    ports = open.cable.ListPorts();
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 1u);
    ASSERT_TRUE(open.cable.Open(ports->front().location));
    EXPECT_EQ(open.ReadNow(), Bytes {}) << "nothing unread survives the pull";
}

} // namespace

namespace {

TEST(SimulatedCable, InterruptFromAnotherThreadEndsAWaitWithNothingToRead)
{
    OpenCable open;
    auto waiting = std::async(
        std::launch::async, [&] { return open.cable.WaitForData(std::chrono::milliseconds(30000)); });
    open.cable.Interrupt();
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(waiting.get());
    EXPECT_EQ(open.ReadNow(), Bytes {});
}

} // namespace
