// The commands the other windows give the connection, and how it tells them the outcome.
#include "ConnectionRig.h"

#include "locale/ConnectionTexts.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using LineState = EcuConnection::LineState;

class RejectedSampleRate : public testing::TestWithParam<const char*> { };

TEST_P(RejectedSampleRate, IsRefusedWithAMessageNamingItAndChangesNothing)
{
    ConnectionRig rig;
    const QString text = QString::fromLatin1(GetParam());
    const QString message = rig.connection.SetSampleRateText(text);

    EXPECT_TRUE(message.contains(QStringLiteral("\"%1\"").arg(text))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("50 to 500")));
    EXPECT_EQ(rig.connection.SampleRate(), 100);
    EXPECT_TRUE(rig.listener.Only("rate:").empty());
    rig.ConnectAndIdentify(); // still polls at the old period
    EXPECT_EQ(rig.link.sent.front().tick, 2);
}

INSTANTIATE_TEST_SUITE_P(BadTexts, RejectedSampleRate,
    testing::Values("20", "0", "49", "501", "100000000000", "abc", "", "100.5", "-100", "+100", "1e2"));

TEST(EcuConnectionCommands, SampleRatesFrom50To500AreTakenAndShown)
{
    ConnectionRig rig;
    EXPECT_TRUE(rig.connection.SetSampleRateText(QStringLiteral("50")).isEmpty());
    EXPECT_TRUE(rig.connection.SetSampleRateText(QStringLiteral(" 500 ")).isEmpty());
    EXPECT_TRUE(rig.connection.SetSampleRate(250).isEmpty());
    EXPECT_FALSE(rig.connection.SetSampleRate(0).isEmpty());
    EXPECT_FALSE(rig.connection.SetSampleRate(-50).isEmpty());
    EXPECT_EQ(rig.connection.SampleRate(), 250);
    EXPECT_EQ(rig.listener.Only("rate:"), (Lines { "rate:50", "rate:500", "rate:250" }));
    EXPECT_EQ(SampleRateText(250), QStringLiteral("Sample Rate 250ms"));
    EXPECT_EQ(RxErrorsText(3), QStringLiteral("Rx Errors 3"));
}

class RejectedBaudText : public testing::TestWithParam<const char*> { };

TEST_P(RejectedBaudText, IsRefusedAndTheLinkNeverSeesIt)
{
    ConnectionRig rig;
    const QString text = QString::fromLatin1(GetParam());
    const QString message = rig.connection.SetBaudText(text);

    EXPECT_TRUE(message.contains(QStringLiteral("\"%1\"").arg(text))) << message.toStdString();
    EXPECT_TRUE(rig.link.baudCalls.empty());
    EXPECT_EQ(rig.connection.GetBaudText(), "15625");
    rig.ConnectAndIdentify();
    EXPECT_EQ(rig.link.openCalls.front(), QStringLiteral("15625"));
}

INSTANTIATE_TEST_SUITE_P(BadTexts, RejectedBaudText,
    testing::Values("abc", "0", "-9600", "", "15625.0", "99999999999", "7812baud"));

TEST(EcuConnectionCommands, AGoodBaudTextGoesToTheLinkAtOnceAndToTheNextOpen)
{
    ConnectionRig rig;
    EXPECT_TRUE(rig.connection.SetBaudText(QStringLiteral("7812")).isEmpty());
    EXPECT_EQ(rig.link.baudCalls, std::vector<QString> { QStringLiteral("7812") });
    rig.ConnectAndIdentify();
    EXPECT_EQ(rig.link.openCalls.front(), QStringLiteral("7812"));
    EXPECT_EQ(rig.connection.GetBaudText(), "7812");
}

struct ActuatorCase {
    int test;
    int value;
    int pattern;
    const char* frame;
};

void PrintTo(const ActuatorCase& c, std::ostream* out)
{
    *out << "test " << c.test << " value " << c.value;
}

class ActuatorTest : public testing::TestWithParam<ActuatorCase> { };

TEST_P(ActuatorTest, WindowTestNumberSelectsTheFramePattern)
{
    EXPECT_EQ(ActuatorPatternOfTest(GetParam().test), GetParam().pattern);

    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.connection.RequestActuator(GetParam().test, GetParam().value);
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.listener.Only("actuator").empty(); }));

    const auto& request = rig.link.sent.back().bytes;
    EXPECT_EQ(HexBytes(request), GetParam().frame);
    EXPECT_EQ(rig.listener.Only("actuator"),
        Lines { "actuator:" + std::to_string(GetParam().test) + "/" + std::to_string(GetParam().value) });
}

INSTANTIATE_TEST_SUITE_P(Tests, ActuatorTest,
    testing::Values(ActuatorCase { 1, 102, 1, "15 0B C0 66 00 00 00 00 00 00 BA" },
        ActuatorCase { 2, 16, 2, "15 0B 10 00 00 00 00 00 00 00 D0" },
        ActuatorCase { 6, 0, 6, "15 0B 00 00 00 80 80 00 00 00 E0" },
        ActuatorCase { 7, 0, 8, "15 0B 00 00 00 40 40 00 00 00 60" }, // Can. Purge Control
        ActuatorCase { 8, 0, 9, "15 0B 00 00 00 04 04 00 00 00 D8" }, // Fuel Pump Control
        ActuatorCase { 0, 55, 0, "15 0B 00 00 00 00 00 00 00 00 E0" }, // Cancel
        ActuatorCase { 9, 55, 0, "15 0B 00 00 00 00 00 00 00 00 E0" },
        ActuatorCase { -1, 55, 0, "15 0B 00 00 00 00 00 00 00 00 E0" }),
    [](const auto& param) { return "Test" + std::to_string(param.index); });

// The reply to a test's frame must not swallow a Cancel pressed while that frame was on the line.
TEST(EcuConnectionCommands, ACancelMadeWhileATestIsOnTheLineGoesOutAfterItsReply)
{
    ConnectionRig rig;
    rig.ConnectAndIdentify();
    rig.connection.RequestActuator(1, 102);
    ASSERT_TRUE(rig.TickUntil([&] { return Describe(rig.link.sent.back().bytes) == "act"; }));
    rig.connection.RequestActuator(0, 0);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.listener.Only("actuator").size() == 2; }));

    EXPECT_EQ(HexBytes(rig.link.sent.back().bytes), "15 0B 00 00 00 00 00 00 00 00 E0");
    EXPECT_EQ(rig.listener.Only("actuator"), (Lines { "actuator:1/102", "actuator:0/0" }));
}

TEST(EcuConnectionCommands, ResetReportsTheEcusVerdict)
{
    for (const bool fails : { false, true }) {
        ConnectionRig rig;
        rig.ecu.resetFails = fails;
        rig.ConnectAndIdentify();
        rig.connection.RequestReset();
        ASSERT_TRUE(rig.TickUntil([&] { return !rig.listener.Only("reset:").empty(); }));
        EXPECT_EQ(rig.listener.Only("reset:"), Lines { fails ? "reset:failed" : "reset:ok" });
    }
}

// A message box shown from a notification runs a nested event loop, whose timer calls Tick again.
TEST(EcuConnectionCommands, ATickCalledFromANotificationDoesNothing)
{
    ConnectionRig rig;
    ASSERT_TRUE(rig.connection.SetSampleRate(50).isEmpty()); // the reply tick is a period start too
    std::vector<std::string> seen;
    const auto nestedLoop = [&] {
        const auto ticks = rig.connection.TickCount();
        const auto sent = rig.link.sent.size();
        seen.push_back(Describe(rig.link.sent.back().bytes));
        for (int i = 0; i < 3; ++i) {
            rig.link.Pass();
            rig.connection.Tick();
        }
        EXPECT_EQ(rig.connection.TickCount(), ticks);
        EXPECT_EQ(rig.link.sent.size(), sent);
    };
    rig.listener.duringIdentified = nestedLoop;
    rig.listener.duringReset = nestedLoop;
    rig.listener.duringActuator = nestedLoop;

    rig.ConnectAndIdentify();
    rig.connection.RequestReset();
    rig.connection.RequestActuator(1, 1);
    rig.Tick(6);

    // Each notification came after its tick's period step had sent the next request.
    EXPECT_EQ(seen, (Lines { "read 0", "act", "read 8" }));
    EXPECT_EQ(rig.connection.RxErrorCount(), 0);
}

TEST(EcuConnectionCommands, ClosingAsksTheLinkToCloseOnlyAnOpenPort)
{
    ConnectionRig rig;
    rig.connection.CloseLink();
    EXPECT_EQ(rig.link.closeCalls, 0);
    rig.ConnectAndIdentify();
    rig.connection.CloseLink();
    EXPECT_EQ(rig.link.closeCalls, 1);
}

} // namespace

TEST(EcuConnectionCommands, APortRefusedForPermissionIsReportedOnceWithTheSystemsReason)
{
    ConnectionRig rig;
    rig.link.openError = { true, "Cannot open /dev/ttyUSB0: Permission denied" };
    rig.connection.Connect();
    rig.Tick(20);
    EXPECT_EQ(
        rig.listener.Only("permission:"), Lines { "permission:Cannot open /dev/ttyUSB0: Permission denied" });
    EXPECT_FALSE(rig.link.IsPortOpen());

    // Once the user has mended it, the connection goes on by itself.
    rig.link.openError = {};
    EXPECT_TRUE(rig.TickUntil([&] { return rig.connection.State() == LineState::ConnectedToEcu; }));
    EXPECT_EQ(rig.listener.Only("permission:").size(), 1u);
}
