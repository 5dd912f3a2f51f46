#include "DashboardRig.h"

#include "controls/KodraGauge.h"
#include "defs/ProgramVersion.h"
#include "ini/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace {

TEST(DashboardSettings, NoFileGivesTheDefaultsAndARunningTimer)
{
    QTemporaryDir dir;
    EcuSession session([] { return std::make_unique<FakeLink>(); });
    TestDashBoard form(session, dir.path());
    const auto* timer = session.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);

    EXPECT_EQ(form.pos(), QPoint(50, 50));
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.GetBaudText(), "15625");
    EXPECT_EQ(form.SampleRate(), 100);
    EXPECT_EQ(form.PanelText(2), "Sample Rate 100ms");
    EXPECT_EQ(form.TempUnits(), "C");
    EXPECT_EQ(form.SpeedUnits(), "MPH");
    EXPECT_EQ(form.IdleGaugeMode(), "IAC");
    EXPECT_EQ(form.InjectorFlow(), 210);
    EXPECT_EQ(session.Connection().Settings().injectorFlow, 210);
    const auto* idle = form.findChild<TKodraGauge*>(QStringLiteral("MPGGauge"));
    EXPECT_EQ(idle->GTitle(), "IAC");
    EXPECT_EQ(form.findChild<TKodraGauge*>(QStringLiteral("TPSGauge"))->MaxValue(), 100);
    // The one version of the build, as --version prints it.
    EXPECT_EQ(form.windowTitle().toStdString(), "DazedErir DashBoard v" + std::string(ProgramVersion));
}

// The command-line tool keeps its own 50 ms rhythm over a session it ticks itself: a timer of the
// session's own running beside it would poll twice as often.
TEST(DashboardSettings, ASessionTickedByItsOwnerNeverTicksItself)
{
    EcuSession session([] { return std::make_unique<FakeLink>(); }, EcuSession::Ticking::ByCaller);
    QElapsedTimer waited;
    waited.start();
    constexpr int SeveralTicksMs = 4 * EcuSession::TickMs;
    while (waited.elapsed() < SeveralTicksMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, SeveralTicksMs);
    EXPECT_EQ(session.Connection().TickCount(), 0);
    session.Tick();
    EXPECT_EQ(session.Connection().TickCount(), 1);
}

TEST(DashboardSettings, WrittenAtCloseInAFolderThatDidNotExistAndReadBackByteForByte)
{
    DashboardRig rig;
    ASSERT_FALSE(std::filesystem::exists(rig.SettingsPath()));
    rig.CloseWindow();
    const std::string first = rig.SettingsText();
    ASSERT_FALSE(first.empty());

    const IniFile ini = IniFile::FromText(first);
    EXPECT_EQ(ini.Value("Form", "Top"), "50");
    EXPECT_EQ(ini.Value("Form", "Left"), "50");
    EXPECT_EQ(ini.Value("Form", "InitMax"), "0");
    EXPECT_EQ(ini.Value("Comms", "BaudRate"), "15625");
    EXPECT_EQ(ini.Value("Comms", "SampleRate"), "100");
    EXPECT_EQ(ini.Value("Display", "TempUnits"), "C");
    EXPECT_EQ(ini.Value("Display", "SpeedUnits"), "MPH");
    EXPECT_EQ(ini.Value("Display", "MPGDial"), "IAC");
    EXPECT_EQ(ini.Value("InjFlow", "FlowRate"), "210");

    rig.Restart();
    rig.CloseWindow();
    EXPECT_EQ(rig.SettingsText(), first);
}

TEST(DashboardSettings, AFileOfAnotherProgramKeepsItsCommentsLineEndsAndOtherKeys)
{
    const std::string text
        = "; written by hand\r\n[Form]\r\nTop=120\r\nLeft=300\r\nInitMax=0\r\nColour=blue\r\n"
          "[Comms]\r\nBaudRate=7812\r\nSampleRate=250\r\n[Display]\r\nTempUnits=F\r\n"
          "SpeedUnits=KPH\r\nMPGDial=MPG\r\n[InjFlow]\r\nFlowRate=180\r\n[Other]\r\nKey=1\r\n";
    DashboardRig rig(text);
    EXPECT_EQ(rig.form->pos(), QPoint(300, 120));
    EXPECT_EQ(rig.form->GetBaudText(), "7812");
    EXPECT_EQ(rig.form->SampleRate(), 250);
    EXPECT_EQ(rig.form->PanelText(2), "Sample Rate 250ms");
    EXPECT_EQ(rig.form->TempUnits(), "F");
    EXPECT_EQ(rig.form->SpeedUnits(), "KPH");
    EXPECT_EQ(rig.form->IdleGaugeMode(), "MPG");
    EXPECT_EQ(rig.form->InjectorFlow(), 180);
    EXPECT_EQ(rig.Gauge("MPGGauge")->GTitle(), "MPG");
    EXPECT_EQ(rig.Gauge("MPGGauge")->MaxValue(), 50);
    EXPECT_EQ(rig.Gauge("MPGGauge")->nTicks(), 10);
    EXPECT_EQ(rig.Connection().Settings().temperatureUnit, "F");
    EXPECT_EQ(rig.Connection().Settings().speedUnit, "KPH");
    EXPECT_EQ(rig.Connection().Settings().idleGaugeMode, "MPG");
    EXPECT_EQ(rig.Connection().Settings().injectorFlow, 180);
    rig.CloseWindow();
    EXPECT_EQ(rig.SettingsText(), text);
}

TEST(DashboardSettings, ChangesMadeWhileRunningAreWrittenAndComeBackAtTheNextStart)
{
    DashboardRig rig;
    rig.form->SetBaudText(QStringLiteral("7812"));
    rig.form->SetSampleRate(300);
    rig.form->SetTempUnits(QStringLiteral("F"));
    rig.form->SetSpeedUnits(QStringLiteral("KPH"));
    rig.form->move(200, 150);
    rig.CloseWindow();
    EXPECT_EQ(rig.link->closeCalls, 0) << "the port was never open";

    rig.Restart();
    EXPECT_EQ(rig.form->pos(), QPoint(200, 150));
    EXPECT_EQ(rig.form->GetBaudText(), "7812");
    EXPECT_EQ(rig.form->SampleRate(), 300);
    EXPECT_EQ(rig.form->PanelText(2), "Sample Rate 300ms");
    EXPECT_EQ(rig.Gauge("CTSGauge")->MaxValue(), 250);
    EXPECT_EQ(rig.Gauge("Speedo")->GTitle(), "KPH");
}

TEST(DashboardSettings, ClosingAnOpenPortAsksTheLinkToCloseIt)
{
    DashboardRig rig;
    rig.Identify("1103");
    ASSERT_TRUE(rig.link->IsPortOpen());
    rig.CloseWindow();
    EXPECT_EQ(rig.link->closeCalls, 1);
}

struct BadValue {
    const char* section;
    const char* key;
    const char* value;
};

std::ostream& operator<<(std::ostream& out, const BadValue& bad)
{
    return out << bad.section << '/' << bad.key << '=' << bad.value;
}

class DashboardBadSetting : public ::testing::TestWithParam<BadValue> { };

TEST_P(DashboardBadSetting, FallsBackToTheDefaultAndPollingGoesOn)
{
    const BadValue bad = GetParam();
    DashboardRig rig("[" + std::string(bad.section) + "]\n" + bad.key + "=" + bad.value + "\n");
    const DashboardSettings defaults;
    EXPECT_EQ(rig.form->GetBaudText(), defaults.baudText);
    EXPECT_EQ(rig.form->SampleRate(), defaults.sampleRate);
    EXPECT_EQ(rig.form->TempUnits(), defaults.tempUnits);
    EXPECT_EQ(rig.form->SpeedUnits(), defaults.speedUnits);
    EXPECT_EQ(rig.form->IdleGaugeMode(), defaults.mpgDial);
    EXPECT_EQ(rig.form->InjectorFlow(), defaults.flowRate);
    EXPECT_EQ(rig.Gauge("CTSGauge")->GTitle(), "CTS (C)");
    EXPECT_EQ(rig.Gauge("Speedo")->GTitle(), "MPH");

    rig.Identify("1103");
    rig.PollRoles({ { RoleRpm, 10 } });
    EXPECT_GT(rig.Connection().CompletedSweeps(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKey, DashboardBadSetting,
    ::testing::Values(BadValue { "Comms", "SampleRate", "abc" }, BadValue { "Comms", "SampleRate", "10" },
        BadValue { "Comms", "SampleRate", "5000" }, BadValue { "Comms", "SampleRate", "0" },
        BadValue { "Comms", "BaudRate", "0" }, BadValue { "Comms", "BaudRate", "abc" },
        BadValue { "Comms", "BaudRate", "-15625" }, BadValue { "Display", "TempUnits", "Kelvin" },
        BadValue { "Display", "TempUnits", "f" }, BadValue { "Display", "SpeedUnits", "kph" },
        BadValue { "Display", "MPGDial", "MPH" }, BadValue { "InjFlow", "FlowRate", "0" },
        BadValue { "InjFlow", "FlowRate", "lots" }));

TEST(DashboardSettings, AFailedSaveIsReportedOnceNamingTheFile)
{
    DashboardRig rig;
    // A file where the "bin" folder should be: neither it nor the settings file can be made.
    QFile blocker(rig.settingsDir.filePath(QStringLiteral("bin")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    rig.CloseWindow();
    ASSERT_EQ(rig.form->messages.size(), 1);
    // The file as it is on disk, whole and with single separators.
    const QString file
        = QString::fromStdString(std::filesystem::absolute(rig.SettingsPath()).lexically_normal().string());
    EXPECT_TRUE(rig.form->messages[0].contains(file)) << rig.form->messages[0].toStdString();
    EXPECT_FALSE(rig.form->messages[0].contains(QStringLiteral("//")));
    rig.CloseWindow();
    EXPECT_EQ(rig.form->messages.size(), 1);
}

// Every control is placed for one size: the window neither starts maximised nor can be made so,
// and nothing of the dials reaches the status bar's rows. InitMax stays in the file as written.
TEST(DashboardSettings, TheWindowKeepsTheSizeItIsDrawnForAndInitMaxIsKept)
{
    DashboardRig rig("[Form]\nTop=70\nLeft=90\nInitMax=1\n");
    TestDashBoard& form = *rig.form;
    form.show();
    EXPECT_FALSE(form.isMaximized());
    const QSize drawnFor = form.size();
    form.showMaximized(); // as a window manager may ask
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.size(), drawnFor);

    QStatusBar* bar = form.statusBar();
    const QRect barRect = bar->geometry();
    for (const TKodraGauge* gauge : form.findChildren<TKodraGauge*>()) {
        const QRect onWindow(gauge->mapTo(&form, QPoint(0, 0)), gauge->size());
        EXPECT_LT(onWindow.bottom(), barRect.top()) << gauge->objectName().toStdString();
    }
    // What the window shows in the status bar's rows is the status bar alone.
    const QImage window = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage alone = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = window.devicePixelRatio();
    const QRect barPixels(barRect.topLeft() * ratio, barRect.size() * ratio);
    EXPECT_EQ(window.copy(barPixels), alone);

    rig.CloseWindow();
    const IniFile ini = IniFile::FromText(rig.SettingsText());
    EXPECT_EQ(ini.Value("Form", "InitMax"), "1");
}

} // namespace
