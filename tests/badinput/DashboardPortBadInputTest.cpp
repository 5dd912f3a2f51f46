// The main window given a serial port that is not the cable: its own timer keeps ticking, the
// status bar counts the failed exchanges, and the window closes without waiting on the port.
#include "DashboardRig.h"
#include "SilentTerminal.h"

#include "link/D2xxThread.h"
#include "link/SerialPortDriver.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Far beyond the few periods the test needs: a hung window fails instead of stalling the run.
constexpr int PatienceMs = 60000;

TEST(DashboardOnSilentPort, CountsRxErrorsOnItsStatusBarAndStaysResponsive)
{
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    QTemporaryDir settings;
    const QString path = QString::fromStdString(port.Path());
    TestDashBoard form(
        [path]() -> std::unique_ptr<InterfaceLink> {
            return std::make_unique<TD2xxThread>([path] { return std::make_shared<SerialPortDriver>(path); });
        },
        settings.path());
    form.show();
    form.Connect();

    constexpr int WantedErrors = 4;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form.Connection().RxErrorCount() >= WantedErrors; }, PatienceMs));
    EXPECT_EQ(form.PanelText(3), RxErrorsText(form.Connection().RxErrorCount()));
    EXPECT_EQ(form.PanelText(1), QLatin1String(EcuConnection::TryingToConnect));
    EXPECT_TRUE(form.messages.isEmpty());
    EXPECT_TRUE(form.close());
}

} // namespace
