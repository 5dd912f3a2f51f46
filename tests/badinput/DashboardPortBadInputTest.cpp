// The main window given a serial port that is not the cable: its own timer keeps ticking, the
// status bar counts the failed exchanges, and the window closes without waiting on the port.
#include "DashboardRig.h"

#include "locale/ConnectionTexts.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "tests/support/NobodyUser.h"
#include "tests/support/SilentTerminal.h"

#include <QTest>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// Far beyond the few periods the test needs: a hung window fails instead of stalling the run.
constexpr int PatienceMs = 60000;

// The main window over the real link thread and serial-port driver, on the port at `path`.
EcuSession::LinkFactory PortLink(const QString& path)
{
    return [path]() -> std::unique_ptr<InterfaceLink> {
        return std::make_unique<TD2xxThread>([path] { return std::make_shared<SerialPortDriver>(path); });
    };
}

TEST(DashboardOnSilentPort, CountsRxErrorsOnItsStatusBarAndStaysResponsive)
{
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    QTemporaryDir settings;
    EcuSession session(PortLink(QString::fromStdString(port.Path())));
    TestDashBoard form(session, settings.path());
    form.show();
    session.Connect();

    constexpr int WantedErrors = 4;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return session.Connection().RxErrorCount() >= WantedErrors; }, PatienceMs));
    EXPECT_EQ(form.PanelText(3), RxErrorsText(session.Connection().RxErrorCount()));
    EXPECT_EQ(form.PanelText(1), QStringLiteral("Trying to Connect"));
    EXPECT_TRUE(form.messages.isEmpty());
    EXPECT_TRUE(form.close());
}

// The whole way from the system's refusal to the message box: the driver keeps the reason, the
// link thread hands it on, and the window names the group to join.
TEST(DashboardOnForbiddenPort, SaysToJoinTheDialoutGroup)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    ASSERT_EQ(::chmod(port.Path().c_str(), 0), 0);
    // In a child, as a user who may not open the port (root may open any, so drop it).
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(NobodyId) != 0)
                ::_exit(2);
            EcuSession session(PortLink(QString::fromStdString(port.Path())));
            TestDashBoard form(session, QString());
            session.Connect();
            const bool told = QTest::qWaitFor([&] { return !form.messages.isEmpty(); }, PatienceMs);
            ::_exit(told && form.messages.size() == 1
                        && form.messages[0].contains(QStringLiteral("dialout group"))
                        && form.messages[0].contains(QString::fromStdString(port.Path()))
                    ? 0
                    : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
