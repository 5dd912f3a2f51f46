// The poll cycle tick by tick: when requests go out, what a lost reply does, how the windows
// sweep the ECU's address range.
#include "ConnectionRig.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

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
    EXPECT_EQ(rig.connection.ConnectText(), QStringLiteral("Connected to ECU"));
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
    EXPECT_FALSE(rig.connection.ActuatorPending());
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
    testing::Values(PeriodCase { 50, 1 }, PeriodCase { 100, 2 }, PeriodCase { 150, 3 }, PeriodCase { 499, 9 },
        PeriodCase { 500, 10 }),
    [](const auto& param) { return std::to_string(param.param.sampleRate) + "ms"; });

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
    EXPECT_FALSE(rig.connection.ResetPending());
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
        EXPECT_EQ(rig.connection.GetFaultByte(i), 0);
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
    EXPECT_EQ(rig.connection.EndAddress(), 0);
    EXPECT_EQ(rig.connection.GetRawValue(0), 0xFF);
    EXPECT_EQ(rig.connection.GetFaultByte(0), 0);
}

TEST(EcuConnectionPolling, CablePulledAndPutBackReconnectsWithAFreshIdentification)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.Tick(6);

    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick(4);
    EXPECT_EQ(rig.connection.ConnectText(), QStringLiteral("Waiting to Connect"));
    EXPECT_FALSE(rig.connection.Connected());
    EXPECT_FALSE(rig.connection.Polling());
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
    EXPECT_EQ(rig.connection.BaseAddress(), 20);
    EXPECT_EQ(rig.connection.EndAddress(), 66);
    EXPECT_EQ(rig.listener.Only("link:"),
        (Lines { "link:VAD Interface", "link:No Interface", "link:VAD Interface" }));
}

TEST(EcuConnectionPolling, ABrokenDriverWhileConnectedIsALostCableThatComesBack)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.link.status = QString::fromLatin1(InterfaceLink::BadDriver);
    rig.Tick(3);
    EXPECT_EQ(rig.connection.ConnectText(), QStringLiteral("Waiting to Connect"));

    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    EXPECT_TRUE(
        rig.TickUntil([&] { return rig.connection.ConnectText() == QStringLiteral("Connected to ECU"); }));
    EXPECT_EQ(rig.listener.Only("identified:").size(), 2u);
}

TEST(EcuConnectionPolling, ConnectWithoutACableWaitsThenOpensWhenItIsFound)
{
    ConnectionRig rig;
    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.connection.Connect();
    rig.Tick(20);
    EXPECT_TRUE(rig.link.openCalls.empty());
    EXPECT_EQ(rig.connection.ConnectText(), QStringLiteral("Not Connected"));
    EXPECT_EQ(rig.connection.TickCount(), 20); // ticks count while the port is closed

    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    EXPECT_TRUE(rig.TickUntil([&] { return rig.connection.Connected(); }, 10));
}

// Replies are taken by their type alone, so a data reply can land after an identification has
// moved the base address past the addresses it answers.
TEST(EcuConnectionPolling, ADataReplyForAddressesBelowANewBaseAddressIsDropped)
{
    ConnectionRig rig;
    for (std::size_t address = 0; address < 40; ++address)
        rig.ecu.memory[address] = static_cast<std::uint8_t>(address + 1);
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));
    rig.Tick(); // sends the read of window 0 again
    ASSERT_EQ(Describe(rig.link.sent.back().bytes), "read 0");
    const auto rawBefore = rig.connection.RawDataTable();
    const LiveValues valuesBefore = rig.connection.Values();

    rig.link.incoming.clear();
    const std::array<std::uint8_t, 2> f802 { 0xF8, 0x02 };
    const PollAddressList stray { 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE };
    const EcuFrame identification = MakeEcuFrame(etIdentify, f802);
    const EcuFrame data = MakeEcuFrame(etReadData, stray);
    for (const auto& bytes : { rig.link.sent.back().bytes, Bytes(identification), Bytes(data) })
        rig.link.incoming.insert(rig.link.incoming.end(), bytes.begin(), bytes.end());
    rig.link.farEnd = nullptr;
    rig.Tick();

    EXPECT_EQ(rig.connection.BaseAddress(), 20);
    EXPECT_EQ(rig.connection.RawDataTable(), rawBefore);
    EXPECT_EQ(rig.connection.Values(), valuesBefore);
}

// The values are live from the first whole sweep until a sweep's worth of requests (five windows
// of 1103) goes unanswered or the cable is lost, and again with the first reply after a silence.
TEST(EcuConnectionPolling, ValuesAreLiveOnlyWhileTheEcuAnswersWithinAWholeSweep)
{
    ConnectionRig rig;
    EXPECT_FALSE(rig.connection.HasLiveValues());
    rig.ConnectAndIdentify();
    EXPECT_FALSE(rig.connection.HasLiveValues()); // identified, nothing read yet
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));
    EXPECT_TRUE(rig.connection.HasLiveValues());

    // Silent from the next request on: every exchange now costs a period to send and one to time out.
    for (int request = rig.ecu.requests + 1; request <= rig.ecu.requests + 20; ++request)
        rig.ecu.lostReplies.insert(request);
    const int errorsBefore = rig.connection.RxErrorCount();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.RxErrorCount() == errorsBefore + 4; }));
    EXPECT_TRUE(rig.connection.HasLiveValues());
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.RxErrorCount() == errorsBefore + 5; }));
    EXPECT_FALSE(rig.connection.HasLiveValues());

    rig.ecu.lostReplies.clear();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.HasLiveValues(); }));
    EXPECT_EQ(rig.connection.RxErrorCount(), errorsBefore + 5); // the very next reply brought it back

    rig.link.status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick();
    EXPECT_FALSE(rig.connection.HasLiveValues());
    rig.link.status = QString::fromLatin1(InterfaceLink::VadInterface);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.HasLiveValues(); }));
    EXPECT_EQ(
        rig.listener.Only("live:"), (Lines { "live:yes", "live:no", "live:yes", "live:no", "live:yes" }));
}

TEST(EcuConnectionPolling, AnIdentificationReplyWithoutItsTwoBytesIsNotTakenAsAnId)
{
    ConnectionRig rig;
    rig.link.farEnd = nullptr; // this test plays the ECU itself
    rig.connection.Connect();
    rig.Tick(3); // the request went out at tick 2
    for (const auto& bytes : { Bytes(IdentifyRequest()), Bytes(MakeEcuFrame(etIdentify, {})) })
        rig.link.incoming.insert(rig.link.incoming.end(), bytes.begin(), bytes.end());
    rig.Tick(2);

    EXPECT_FALSE(rig.connection.Connected());
    EXPECT_TRUE(rig.connection.IdRequestPending());
    EXPECT_EQ(rig.connection.GetEcuId(), "");
    EXPECT_EQ(Timeline(rig.link), (Lines { "2:id", "4:id" }));
}

} // namespace
