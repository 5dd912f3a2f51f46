// The poll cycle tick by tick: when requests go out, what a lost reply does, how the windows
// sweep the ECU's address range.
#include "ConnectionRig.h"

#include "defs/EcuIdentification.h"
#include "defs/RoleTable.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using LineState = EcuConnection::LineState;

Lines FirstOf(const Lines& lines, std::size_t count)
{
    return { lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size())) };
}

TEST(EcuConnectionPolling, ConnectsIdentifiesThenSweepsTheWindowsOf1103)
{
    ConnectionRig rig;
    rig.connection.Connect();
    rig.Tick(15);

    // Tick 0 asks for the port, the link opens it before tick 1, tick 2 starts the first period.
    EXPECT_EQ(rig.link.openCalls, std::vector<QString> { QStringLiteral("15625") });
    EXPECT_EQ(Timeline(rig.link),
        (Lines { "2:id", "4:read 0", "6:read 8", "8:read 16", "10:read 24", "12:read 32", "14:read 0" }));
    EXPECT_EQ(
        rig.listener.Only("connect:"), (Lines { "connect:Trying to Connect", "connect:Connected to ECU" }));
    EXPECT_EQ(rig.listener.Only("identified:"), Lines { "identified:1103/1/15" });
    EXPECT_EQ(rig.connection.RxErrorCount(), 0);
    EXPECT_EQ(rig.connection.CompletedSweeps(), 1);
    EXPECT_EQ(rig.connection.TickCount(), 15);
}

TEST(EcuConnectionPolling, LateIdentificationCountsEachUnansweredRequestOnePeriodLater)
{
    ConnectionRig rig;
    rig.ecu.identifyAfter = 3;
    rig.connection.Connect();

    rig.Tick(4); // ticks 0..3: the first request went out at tick 2
    EXPECT_EQ(rig.connection.RxErrorCount(), 0);
    rig.Tick(); // tick 4, the second period
    EXPECT_EQ(rig.connection.RxErrorCount(), 1);
    rig.Tick(4); // ticks 5..8: tick 8 is the fourth period
    EXPECT_EQ(rig.connection.RxErrorCount(), 2);
    rig.Tick(7);

    EXPECT_EQ(FirstOf(Timeline(rig.link), 5), (Lines { "2:id", "6:id", "10:id", "12:read 0", "14:read 8" }));
    EXPECT_EQ(rig.listener.Only("errors:"), (Lines { "errors:1", "errors:2" }));
    EXPECT_EQ(rig.connection.State(), LineState::ConnectedToEcu);
}

TEST(EcuConnectionPolling, AReplyLostOnTheLastWindowAsksThatWindowAgainThenRestartsTheSweep)
{
    ConnectionRig rig;
    rig.ecu.lostReplies = { 6 }; // request 6 is the read of window 32
    rig.connection.Connect();
    rig.Tick(19);

    EXPECT_EQ(Timeline(rig.link),
        (Lines { "2:id", "4:read 0", "6:read 8", "8:read 16", "10:read 24", "12:read 32", "16:read 32",
            "18:read 0" }));
    EXPECT_EQ(rig.listener.Only("errors:"), Lines { "errors:1" });
    // The sweep counts once its last window has been answered.
    EXPECT_EQ(rig.connection.CompletedSweeps(), 1);
}

TEST(EcuConnectionPolling, ALostActuatorReplyRepeatsTheLastDataWindowAfterTheRetry)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify(); // tick 3
    rig.Tick(4); // reads 0 and 8 at ticks 4 and 6; tick 8 is the next period
    rig.connection.RequestActuator(1, 102);
    rig.ecu.lostReplies = { rig.ecu.requests + 1 };
    rig.Tick(12);

    const Lines timeline = Timeline(rig.link);
    EXPECT_EQ(Lines(timeline.begin() + 1, timeline.begin() + 7),
        (Lines { "4:read 0", "6:read 8", "8:act", "12:act", "14:read 8", "16:read 16" }));
}

struct PeriodCase {
    int sampleRate;
    int ticksPerRequest;
};

void PrintTo(const PeriodCase& c, std::ostream* out)
{
    *out << c.sampleRate << " ms";
}

class EcuConnectionPeriod : public testing::TestWithParam<PeriodCase> { };

TEST_P(EcuConnectionPeriod, SendsOneRequestEverySampleRateOver50Ticks)
{
    ConnectionRig rig;
    ASSERT_TRUE(rig.connection.SetSampleRate(GetParam().sampleRate).isEmpty());
    rig.ConnectAndIdentify();
    rig.Tick(12 * GetParam().ticksPerRequest);

    ASSERT_GE(rig.link.sent.size(), 10u);
    for (std::size_t i = 1; i < rig.link.sent.size(); ++i)
        EXPECT_EQ(rig.link.sent[i].tick - rig.link.sent[i - 1].tick, GetParam().ticksPerRequest) << i;
    for (const auto& sent : rig.link.sent)
        EXPECT_EQ(sent.tick % GetParam().ticksPerRequest, 0);
    EXPECT_EQ(rig.connection.RxErrorCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, EcuConnectionPeriod,
    testing::Values(
        PeriodCase { 50, 1 }, PeriodCase { 100, 2 }, PeriodCase { 150, 3 }, PeriodCase { 500, 10 }),
    [](const auto& param) { return std::to_string(param.param.sampleRate) + "ms"; });

// A period the 50 ms tick does not divide is kept on average, never rounded to whole ticks: each
// request goes out at the first tick at or after its time, so a minute holds as many as it says.
TEST(EcuConnectionPolling, APeriodThatIsNoMultipleOfTheTickIsKeptOverAMinute)
{
    constexpr int TicksPerMinute = 60'000 / EcuConnection::TickMs;
    for (const int rate : { 75, 99, 499 }) {
        ConnectionRig rig;
        ASSERT_TRUE(rig.connection.SetSampleRate(rate).isEmpty());
        rig.ConnectAndIdentify();
        const std::size_t before = rig.link.sent.size();
        rig.Tick(TicksPerMinute);

        const double sent = static_cast<double>(rig.link.sent.size() - before);
        EXPECT_NEAR(sent, 60'000.0 / rate, 1.0) << rate;
        for (std::size_t i = before + 1; i < rig.link.sent.size(); ++i) {
            const int gapMs = (rig.link.sent[i].tick - rig.link.sent[i - 1].tick) * EcuConnection::TickMs;
            ASSERT_LT(std::abs(gapMs - rate), EcuConnection::TickMs) << rate << " ms, request " << i;
        }
        EXPECT_EQ(rig.connection.RxErrorCount(), 0);
    }
}

TEST(EcuConnectionPolling, ResetConfirmedBeforeConnectingWaitsForTheIdentification)
{
    ConnectionRig rig;
    rig.ecu.identifyAfter = 2;
    rig.connection.RequestReset();
    rig.Tick(10);
    EXPECT_TRUE(rig.link.sent.empty()); // no connect command yet
    EXPECT_TRUE(rig.link.openCalls.empty());

    rig.connection.Connect();
    rig.TickUntil([&] { return rig.link.sent.size() >= 4; });

    const Lines timeline = Timeline(rig.link);
    EXPECT_EQ(FirstOf(timeline, 4), (Lines { "12:id", "16:id", "18:reset", "20:read 0" }));
    EXPECT_EQ(rig.listener.Only("reset:"), Lines { "reset:ok" });
}

TEST(EcuConnectionPolling, AnUnknownEcuKeepsPollingAddresses0To7AsRawBytesOnly)
{
    ConnectionRig rig;
    rig.ecu.id = { 0xAB, 0xCD };
    for (int address = 0; address < 8; ++address)
        rig.ecu.memory[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(0xA0 + address);
    rig.ConnectAndIdentify();
    rig.Tick(10);

    EXPECT_EQ(rig.connection.GetEcuId(), "ABCD");
    EXPECT_EQ(rig.connection.GetEcuSupport(), SupportNone);
    EXPECT_EQ(rig.listener.Only("identified:"), Lines { "identified:ABCD/0/15" });
    const Lines timeline = Timeline(rig.link);
    EXPECT_EQ(Lines(timeline.begin() + 1, timeline.end()),
        (Lines { "4:read 0", "6:read 0", "8:read 0", "10:read 0", "12:read 0" }));
    for (int offset = 0; offset < 8; ++offset)
        EXPECT_EQ(rig.connection.GetRawValue(offset), 0xA0 + offset);
    // No role: the bytes are not taken for fault flags, so the fault lamp stays dark.
    EXPECT_TRUE(rig.listener.values.empty());
    for (int i = 0; i < FaultByteCount; ++i)
        EXPECT_EQ(rig.connection.Values().faultBytes[static_cast<std::size_t>(i)], 0);
    EXPECT_EQ(rig.connection.CompletedSweeps(), 5); // one window is a whole sweep
}

TEST(EcuConnectionPolling, AnObd2EcuGetsItsFlagsButNoRolesOrRange)
{
    ConnectionRig rig;
    rig.ecu.id = { 0x1B, 0x41 };
    rig.ecu.memory[0] = 0xFF;
    rig.ConnectAndIdentify();
    rig.Tick(6);

    EXPECT_EQ(rig.connection.GetEcuSupport(), SupportObd2);
    EXPECT_EQ(rig.connection.GetEcuFeatureFlags(), 15);
    EXPECT_EQ(rig.connection.Range().End(), 0);
    EXPECT_EQ(rig.connection.GetRawValue(0), 0xFF);
    EXPECT_EQ(rig.connection.Values().faultBytes[0], 0);
}

TEST(EcuConnectionPolling, CablePulledAndPutBackReconnectsWithAFreshIdentification)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.Tick(6);

    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick(4);
    EXPECT_EQ(rig.connection.State(), LineState::WaitingForCable);
    EXPECT_FALSE(rig.connection.Connected());
    const std::size_t sentWhilePulled = rig.link.sent.size();

    // The cable comes back with another ECU on it: the set-up runs again for that one.
    rig.ecu.id = { 0xF8, 0x02 };
    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.Connected(); }));
    rig.Tick(2);

    EXPECT_EQ(rig.link.openCalls.size(), 2u);
    EXPECT_EQ(Describe(rig.link.sent[sentWhilePulled].bytes), "id");
    EXPECT_EQ(rig.listener.Only("connect:"),
        (Lines { "connect:Trying to Connect", "connect:Connected to ECU", "connect:Waiting to Connect",
            "connect:Connected to ECU" }));
    EXPECT_EQ(rig.listener.Only("identified:"), (Lines { "identified:1103/1/15", "identified:F802/1/15" }));
    EXPECT_EQ(rig.connection.Range().Base(), 20);
    EXPECT_EQ(rig.connection.Range().End(), 66);
    EXPECT_EQ(rig.listener.Only("link:"),
        (Lines { "link:VAD Interface", "link:No Interface", "link:VAD Interface" }));
}

TEST(EcuConnectionPolling, ABrokenDriverWhileConnectedIsALostCableThatComesBack)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.link.status = QString::fromLatin1(InterfaceLink::BadDriver);
    rig.Tick(3);
    EXPECT_EQ(rig.connection.State(), LineState::WaitingForCable);

    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    EXPECT_TRUE(rig.TickUntil([&] { return rig.connection.State() == LineState::ConnectedToEcu; }));
    EXPECT_EQ(rig.listener.Only("identified:").size(), 2u);
}

TEST(EcuConnectionPolling, ConnectWithoutACableWaitsThenOpensWhenItIsFound)
{
    ConnectionRig rig;
    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.connection.Connect();
    rig.Tick(20);
    EXPECT_TRUE(rig.link.openCalls.empty());
    EXPECT_EQ(rig.connection.State(), LineState::NotConnected);
    EXPECT_EQ(rig.connection.TickCount(), 20); // ticks count while the port is closed

    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    EXPECT_TRUE(rig.TickUntil([&] { return rig.connection.Connected(); }, 10));
}

// Only the reply of the request's own type is taken: an identification that lands while a data
// window is asked for is counted and dropped, and does not move the base address under it. The
// line was not quiet, so the reply after it is not trusted either: the window is asked again.
TEST(EcuConnectionPolling, AFrameOfAnotherTypeThanTheRequestIsCountedAndDropped)
{
    ConnectionRig rig;
    for (std::size_t address = 0; address < 40; ++address)
        rig.ecu.memory[address] = static_cast<std::uint8_t>(address + 1);
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));
    rig.Tick(); // sends the read of window 0 again
    ASSERT_EQ(Describe(rig.link.sent.back().bytes), "read 0");
    const auto reply = rig.link.incoming; // its echo and reply, as the scripted ECU sent them
    rig.link.incoming.clear();
    const std::array<std::uint8_t, 2> f802 { 0xF8, 0x02 };
    const auto echo = rig.link.sent.back().bytes;
    const auto stray = Bytes(MakeEcuFrame(etIdentify, f802));
    for (const auto& bytes : { echo, stray })
        rig.link.incoming.insert(rig.link.incoming.end(), bytes.begin(), bytes.end());
    rig.link.incoming.insert(
        rig.link.incoming.end(), reply.begin() + static_cast<long>(echo.size()), reply.end());
    const int errorsBefore = rig.connection.RxErrorCount();
    rig.Tick();

    EXPECT_EQ(rig.connection.GetEcuId(), "1103");
    EXPECT_EQ(rig.connection.Range().Base(), 0);
    EXPECT_EQ(rig.connection.RxErrorCount(), errorsBefore + 2); // the stray frame, the spoilt exchange
    EXPECT_EQ(rig.listener.Only("identified:").size(), 1u);
    const std::size_t sent = rig.link.sent.size();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.link.sent.size() > sent; }));
    EXPECT_EQ(Describe(rig.link.sent.back().bytes), "read 0");
}

// Each identification clears fault byte 4 and counts sweeps afresh.
TEST(EcuConnectionPolling, ASecondIdentificationClearsFaultByte4AndRestartsTheSweepCount)
{
    std::string id;
    int offset = -1;
    for (const std::string_view known : KnownEcuIds) {
        for (int at = 0; at < RoleOffsetCount && id.empty(); ++at) {
            if (RoleAt(known, at) == RoleFaultFlags4) {
                id = known;
                offset = at;
            }
        }
    }
    ASSERT_FALSE(id.empty()) << "no ECU has fault byte 4";
    ConnectionRig rig;
    rig.ecu.id = { static_cast<std::uint8_t>(std::stoi(id.substr(0, 2), nullptr, 16)),
        static_cast<std::uint8_t>(std::stoi(id.substr(2, 2), nullptr, 16)) };
    rig.ConnectAndIdentify();
    rig.ecu.memory[static_cast<std::size_t>(rig.connection.Range().Base() + offset)] = 0xFF;
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 2; }));
    ASSERT_NE(rig.connection.Values().faultBytes[static_cast<std::size_t>(FaultByteCount - 1)], 0);

    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick();
    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    rig.listener.values.clear();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.listener.Only("identified:").size() == 2; }));

    EXPECT_EQ(rig.connection.Values().faultBytes[static_cast<std::size_t>(FaultByteCount - 1)], 0);
    EXPECT_EQ(rig.listener.values, std::vector { LiveValueKind::FaultFlags });
    EXPECT_EQ(rig.connection.CompletedSweeps(), 0);
}

// A reply too short to carry an ID (none or one byte of the two) names no ECU: the exchange
// fails, is counted, and the identification goes out again.
TEST(EcuConnectionPolling, AnIdentificationReplyWithoutItsTwoBytesIsNotTakenAsAnId)
{
    for (const std::vector<std::uint8_t>& data :
        { std::vector<std::uint8_t> {}, std::vector<std::uint8_t> { 0x11 } }) {
        ConnectionRig rig;
        rig.link.farEnd = nullptr; // this test plays the ECU itself
        rig.connection.Connect();
        rig.Tick(3); // the request went out at tick 2
        for (const auto& bytes : { Bytes(IdentifyRequest()), Bytes(MakeEcuFrame(etIdentify, data)) })
            rig.link.incoming.insert(rig.link.incoming.end(), bytes.begin(), bytes.end());
        rig.Tick(4);

        EXPECT_FALSE(rig.connection.Connected()) << data.size();
        EXPECT_EQ(rig.connection.GetEcuId(), "") << data.size();
        EXPECT_EQ(rig.connection.RxErrorCount(), 1) << data.size();
        EXPECT_EQ(Timeline(rig.link), (Lines { "2:id", "6:id" })) << data.size();
    }
}

} // namespace
