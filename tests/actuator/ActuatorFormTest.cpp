#include "CapturingForm.h"

#include "ui/ActuatorForm.h"

#include "link/EcuFrame.h"
#include "tests/support/FakeEcuQueries.h"
#include "tests/support/UserActions.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace {

using Request = std::pair<int, int>;
using Bytes = std::vector<std::uint8_t>;

constexpr int kAllTests = 0xFF;

Bytes FrameOf(const Request& request)
{
    const EcuFrame frame = ActuatorRequest(ActuatorPatternOfTest(request.first), request.second);
    return { frame.Bytes().begin(), frame.Bytes().end() };
}

class ActuatorFormTest : public ::testing::Test {
protected:
    FakeEcuQueries ecu;
    Capturing<TActuatorForm> form { ecu };
    QSignalSpy spy { &form, &TActuatorForm::ActuatorRequested };

    std::vector<Request> TakeRequests()
    {
        std::vector<Request> requests;
        for (const QList<QVariant>& args : spy)
            requests.emplace_back(args.at(0).toInt(), args.at(1).toInt());
        spy.clear();
        return requests;
    }
    void Tick(int times)
    {
        for (int i = 0; i < times; ++i)
            TickTimer(form, "Timer1");
    }
    void Choose(int test, const QString& editText = {})
    {
        form.EnableTests(kAllTests);
        form.TestAction(test)->trigger();
        if (!editText.isNull())
            ChildOf<QLineEdit>(form, "Command_EB")->setText(editText);
    }
    QString MonitorText(int monitor) const
    {
        return ChildOf<QLabel>(form, QStringLiteral("Monitor%1").arg(monitor).toLatin1().constData())->text();
    }
};

// --- Set: the value and the frame each test sends ----------------------------------------

struct SetCase {
    int test;
    const char* editText; // nullptr: the text the View entry puts there
    int value;
    Bytes frame;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << "test " << c.test << " '" << (c.editText != nullptr ? c.editText : "(entry's text)") << "'";
}

class ActuatorSet : public ActuatorFormTest, public ::testing::WithParamInterface<SetCase> { };

TEST_P(ActuatorSet, SendsTheTestsValueInItsFrame)
{
    const SetCase& c = GetParam();
    Choose(c.test, c.editText != nullptr ? QString::fromLatin1(c.editText) : QString());
    ClickButton(form, "SetBtn");
    const std::vector<Request> requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0], Request(c.test, c.value));
    EXPECT_EQ(FrameOf(requests[0]), c.frame);
    EXPECT_TRUE(form.TestActive());
    EXPECT_TRUE(form.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryTest, ActuatorSet,
    ::testing::Values(SetCase { 1, nullptr, 102, { 0x15, 0x0B, 0xC0, 0x66, 0, 0, 0, 0, 0, 0, 0xBA } },
        SetCase { 1, "2000", 255, { 0x15, 0x0B, 0xC0, 0xFF, 0, 0, 0, 0, 0, 0, 0x21 } },
        SetCase { 1, "500", 63, { 0x15, 0x0B, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0xE1 } },
        SetCase { 2, nullptr, 16, { 0x15, 0x0B, 0x10, 0, 0, 0, 0, 0, 0, 0, 0xD0 } },
        SetCase { 2, "abc", 16, { 0x15, 0x0B, 0x10, 0, 0, 0, 0, 0, 0, 0, 0xD0 } },
        SetCase { 3, nullptr, 0, { 0x15, 0x0B, 0x80, 0, 0, 0, 0, 0, 0, 0, 0x60 } },
        SetCase { 4, nullptr, 0, { 0x15, 0x0B, 0, 0, 0, 0x01, 0x01, 0, 0, 0, 0xDE } },
        SetCase { 5, "50", 50, { 0x15, 0x0B, 0, 0, 0, 0, 0, 0xC0, 0x32, 0, 0xEE } },
        SetCase { 6, nullptr, 0, { 0x15, 0x0B, 0, 0, 0, 0x80, 0x80, 0, 0, 0, 0xE0 } },
        SetCase { 7, nullptr, 0, { 0x15, 0x0B, 0, 0, 0, 0x40, 0x40, 0, 0, 0, 0x60 } },
        SetCase { 8, nullptr, 0, { 0x15, 0x0B, 0, 0, 0, 0x04, 0x04, 0, 0, 0, 0xD8 } }));

// --- Command values that are refused ------------------------------------------------------

struct RefusedCase {
    int test;
    const char* editText;
    const char* message;
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << "test " << c.test << " '" << c.editText << "'";
}

class ActuatorRefused : public ActuatorFormTest, public ::testing::WithParamInterface<RefusedCase> { };

TEST_P(ActuatorRefused, SaysWhyAndSendsNothing)
{
    const RefusedCase& c = GetParam();
    Choose(1);
    ClickButton(form, "SetBtn"); // an active test with value 102
    Tick(1);
    TakeRequests();

    Choose(c.test, QString::fromLatin1(c.editText));
    ClickButton(form, "SetBtn");
    EXPECT_EQ(form.messages, QStringList { QString::fromLatin1(c.message) });
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_TRUE(form.TestActive());
    EXPECT_EQ(form.CommandValue(), 102);
}

INSTANTIATE_TEST_SUITE_P(BadText, ActuatorRefused,
    ::testing::Values(RefusedCase { 1, "abc", "'abc' is not a valid integer value" },
        RefusedCase { 1, "", "'' is not a valid integer value" },
        RefusedCase { 5, "12.5", "'12.5' is not a valid integer value" },
        RefusedCase {
            1, "2001", "'2001' is not a valid target idle: enter a whole number of rpm from 500 to 2000" },
        // Below the conditions' 500 rpm the ECU cannot hold the idle (values 1..499 once fitted a byte).
        RefusedCase {
            1, "499", "'499' is not a valid target idle: enter a whole number of rpm from 500 to 2000" },
        RefusedCase {
            1, "-5", "'-5' is not a valid target idle: enter a whole number of rpm from 500 to 2000" },
        RefusedCase { 5, "256", "'256' is not a valid EGR position: enter a whole number from 0 to 255" },
        RefusedCase { 5, "-1", "'-1' is not a valid EGR position: enter a whole number from 0 to 255" }));

TEST_F(ActuatorFormTest, BadTextBeforeAnyTestIsActiveLeavesTheWindowInactive)
{
    Choose(1, QStringLiteral("abc"));
    ClickButton(form, "SetBtn");
    Tick(2 * TActuatorForm::TicksPerRequest);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_FALSE(form.TestActive());
    EXPECT_TRUE(form.StatusText().isEmpty());
}

// --- Re-requests, Cancel and the states between them -------------------------------------

TEST_F(ActuatorFormTest, ActiveTestIsRequestedAgainEveryTenthTickUntilCancel)
{
    Choose(1);
    ClickButton(form, "SetBtn");
    TakeRequests();

    Tick(3 * TActuatorForm::TicksPerRequest); // ticks 0, 10 and 20 re-request
    EXPECT_EQ(TakeRequests(), (std::vector<Request> { { 1, 102 }, { 1, 102 }, { 1, 102 } }));

    Tick(TActuatorForm::TicksPerRequest - 1); // ticks 30..38: 30 re-requests
    EXPECT_EQ(TakeRequests().size(), 1U);

    ClickButton(form, "CancelBtn");
    EXPECT_EQ(TakeRequests(), (std::vector<Request> { { 0, 0 } }));
    EXPECT_EQ(FrameOf({ 0, 0 }), (Bytes { 0x15, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0 }));
    Tick(3 * TActuatorForm::TicksPerRequest);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_FALSE(form.TestActive());
    EXPECT_EQ(form.SelectedTest(), 1);
    EXPECT_EQ(form.CommandValue(), 102);
}

TEST_F(ActuatorFormTest, ChoosingAnotherTestWhileActiveReRequestsItWithTheLastValue)
{
    Choose(1);
    ClickButton(form, "SetBtn");
    Choose(4);
    EXPECT_TRUE(form.TestActive());
    TakeRequests();
    Tick(1);
    EXPECT_EQ(TakeRequests(), (std::vector<Request> { { 4, 102 } }));

    ClickButton(form, "SetBtn"); // the EGR solenoid frame carries no value: 102 stays
    EXPECT_EQ(TakeRequests(), (std::vector<Request> { { 4, 102 } }));
}

// What is shown chosen is what Set sends: before a choice there is nothing to send, and a test
// that is not sent says why.
TEST_F(ActuatorFormTest, SetSendsOnlyAChosenTestAndOnlyWhileTheEcuAnswers)
{
    EXPECT_FALSE(ChildOf<QPushButton>(form, "SetBtn")->isEnabled());
    EXPECT_TRUE(ChildOf<QLineEdit>(form, "Command_EB")->text().isEmpty());
    ClickButton(form, "SetBtn");
    Tick(3 * TActuatorForm::TicksPerRequest);
    EXPECT_TRUE(TakeRequests().empty());

    ecu.liveValues = false;
    Choose(1);
    ClickButton(form, "SetBtn");
    Tick(3 * TActuatorForm::TicksPerRequest);
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_FALSE(form.TestActive());
    EXPECT_EQ(form.StatusText(), QStringLiteral("RPM Control not sent: no ECU answers"));
    EXPECT_EQ(MonitorText(2), QStringLiteral("--"));

    ecu.liveValues = true;
    ClickButton(form, "SetBtn");
    EXPECT_EQ(TakeRequests(), (std::vector<Request> { { 1, 102 } }));
}

// "ECU acknowledged" speaks of the request the reply answered, and of no other.
TEST_F(ActuatorFormTest, AcknowledgementBelongsToTheRequestItAnswered)
{
    Choose(1);
    ClickButton(form, "SetBtn");
    EXPECT_EQ(form.StatusText(), QStringLiteral("Waiting for the ECU to acknowledge RPM Control ..."));
    Tick(1); // a re-request does not reset what the user sees
    form.ActuatorReply(1, 102);
    EXPECT_EQ(form.StatusText(), QStringLiteral("ECU acknowledged RPM Control"));

    Choose(5);
    EXPECT_TRUE(form.StatusText().isEmpty()) << "cleared when the test changes";
    form.ActuatorReply(1, 102); // late reply to the test chosen before
    EXPECT_TRUE(form.StatusText().isEmpty());

    ChildOf<QLineEdit>(form, "Command_EB")->setText(QStringLiteral("40"));
    ClickButton(form, "SetBtn");
    ClickButton(form, "CancelBtn");
    EXPECT_EQ(form.StatusText(), QStringLiteral("Cancelling ..."));
    form.ActuatorReply(5, 40); // the reply to the EGR request, already cancelled
    EXPECT_EQ(form.StatusText(), QStringLiteral("Cancelling ..."));
    form.ActuatorReply(0, 0);
    EXPECT_EQ(form.StatusText(), QStringLiteral("Test cancelled"));
}

// --- Menu ----------------------------------------------------------------------------------

TEST_F(ActuatorFormTest, EnabledEntriesStayEnabledWhenALaterEcuHasFewerTests)
{
    const auto enabled = [this] {
        QStringList names;
        for (int test = 1; test <= TActuatorForm::TestCount; ++test) {
            if (form.TestAction(test)->isEnabled())
                names << form.TestAction(test)->text();
        }
        return names;
    };
    EXPECT_TRUE(enabled().isEmpty());
    form.EnableTests(0x05);
    EXPECT_EQ(enabled(), (QStringList { "RPM Control", "IAC Calibration" }));
    form.EnableTests(0x02);
    EXPECT_EQ(enabled(), (QStringList { "RPM Control", "Fix Advance", "IAC Calibration" }));
    form.EnableTests(0);
    EXPECT_EQ(enabled().size(), 3);
}

// --- Monitors ------------------------------------------------------------------------------

// Engine speed, coolant and road speed are the same in every test: they are live from the start.
TEST_F(ActuatorFormTest, SharedMonitorsAreLiveBeforeATestIsChosen)
{
    ecu.rpm = 813;
    ecu.coolantTemp = 85.7F;
    ecu.roadSpeed = 3;
    ecu.targetIdle = 850;
    Tick(1);
    const QStringList captions { "---", "RPM", "CTS", "VSS" };
    const QStringList texts { "", "813", "86", "3" };
    for (int monitor = 1; monitor <= TActuatorForm::MonitorCount; ++monitor) {
        const auto i = static_cast<qsizetype>(monitor - 1);
        EXPECT_EQ(MonitorText(monitor), texts.at(i)) << monitor;
        EXPECT_EQ(ChildOf<QGroupBox>(form, QStringLiteral("Monitor%1_GB").arg(monitor).toLatin1().constData())
                      ->title(),
            captions.at(i));
    }
}

struct MonitorCase {
    int test;
    const char* monitor1; // "" where the test leaves Monitor1 alone
};

void PrintTo(const MonitorCase& c, std::ostream* os)
{
    *os << "test " << c.test;
}

class ActuatorMonitors : public ActuatorFormTest, public ::testing::WithParamInterface<MonitorCase> { };

TEST_P(ActuatorMonitors, ShowTheLiveValuesOfTheChosenTest)
{
    ecu.targetIdle = 850;
    ecu.advance = 12;
    ecu.iacAdjust = -3;
    ecu.egr = 40;
    ecu.rpm = 813;
    ecu.coolantTemp = 85.7F;
    ecu.roadSpeed = 7;
    Choose(GetParam().test);
    Tick(1);
    EXPECT_EQ(MonitorText(1), QString::fromLatin1(GetParam().monitor1));
    EXPECT_EQ(MonitorText(2), QStringLiteral("813"));
    EXPECT_EQ(MonitorText(3), QStringLiteral("86"));
    EXPECT_EQ(MonitorText(4), QStringLiteral("7"));
}

INSTANTIATE_TEST_SUITE_P(EveryTest, ActuatorMonitors,
    ::testing::Values(MonitorCase { 1, "850" }, MonitorCase { 2, "12" }, MonitorCase { 3, "-3" },
        MonitorCase { 4, "" }, MonitorCase { 5, "40" }, MonitorCase { 6, "" }, MonitorCase { 7, "" },
        MonitorCase { 8, "" }));

TEST_F(ActuatorFormTest, EngineSpeedKeepsFiveDigitsAndCoolantThree)
{
    Choose(2);
    ecu.rpm = 123456;
    ecu.coolantTemp = 1234.0F;
    Tick(1);
    EXPECT_EQ(MonitorText(2), QStringLiteral("1.2346E5"));
    EXPECT_EQ(MonitorText(3), QStringLiteral("1.23E3"));
    ecu.rpm = 99999;
    ecu.coolantTemp = -40.4F;
    Tick(1);
    EXPECT_EQ(MonitorText(2), QStringLiteral("99999"));
    EXPECT_EQ(MonitorText(3), QStringLiteral("-40"));
}

TEST_F(ActuatorFormTest, TestsWithoutAFirstMonitorLeaveTheLastTextThere)
{
    ecu.targetIdle = 850;
    Choose(1);
    Tick(1);
    ecu.targetIdle = 900;
    ecu.roadSpeed = 12;
    Choose(6);
    Tick(1);
    EXPECT_EQ(MonitorText(1), QStringLiteral("850"));
    EXPECT_EQ(MonitorText(4), QStringLiteral("12"));
}

} // namespace
