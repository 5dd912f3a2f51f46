#include "app/MainWindows.h"

#include "tests/dashboard/DashboardRig.h"
#include "tests/support/UserActions.h"

#include "defs/EcuIdentification.h"
#include "link/EcuFrame.h"
#include "logger/DataLoggerForm.h"
#include "ui/ActuatorForm.h"
#include "ui/CommsForm.h"
#include "ui/DataViewerForm.h"
#include "ui/EcuIdForm.h"
#include "ui/SampleRateForm.h"
#include "ui/SelDirForm.h"
#include "ui/StatusForm.h"
#include "ui/UnitsSelForm.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "ui/FaultCodesForm.h"
#include "ui/HelpBrowser.h"
#include "ui/HelpForm.h"
#include "ui/HelpWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <span>

namespace {

// Every window over the fake link, as the program creates and wires them.
struct AppRig {
    DashboardRig rig;
    MainWindows windows { *rig.session, rig.TakeForm(), rig.SettingsFolder() };
    TDashBoardForm& dash = windows.Dashboard();
};

TEST(MainWindows, EveryMenuEntryHasItsWindowAndTheSlowOnesAreMadeWhenFirstOpened)
{
    AppRig app;
    using W = TDashBoardForm::ToolWindow;
    // Nobody waits for these at start-up: made when first opened.
    const auto madeWhenOpened = [](W which) { return which == W::LogViewer || which == W::Limits; };
    for (int i = 0; i < TDashBoardForm::ToolWindowCount; ++i) {
        const auto which = static_cast<W>(i);
        EXPECT_EQ(app.dash.RegisteredToolWindow(which) == nullptr, madeWhenOpened(which)) << i;
        EXPECT_TRUE(app.dash.ToolWindowAction(which)->isEnabled()) << i;
    }
    EXPECT_FALSE(app.windows.LogViewerMade());
    for (const W which : { W::LogViewer, W::Limits }) {
        app.dash.ToolWindowAction(which)->trigger();
        QWidget* window = app.dash.RegisteredToolWindow(which);
        ASSERT_NE(window, nullptr) << static_cast<int>(which);
        EXPECT_TRUE(window->isVisible()) << static_cast<int>(which);
    }
    EXPECT_TRUE(app.windows.LogViewerMade());
}

// The page at `url` as the help browser would show it; empty when there is none.
QString HelpPage(HelpBrowser& browser, const QUrl& url)
{
    const QVariant page = browser.loadResource(QTextDocument::HtmlResource, url);
    return page.typeId() == QMetaType::QString ? page.toString() : QString::fromUtf8(page.toByteArray());
}

QList<QUrl> LinksOf(const QString& html, const QUrl& page)
{
    QTextDocument document;
    document.setHtml(html);
    QList<QUrl> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString href = fragment.fragment().charFormat().anchorHref();
            if (!href.isEmpty())
                links << page.resolved(QUrl(href)).adjusted(QUrl::RemoveFragment);
        }
    }
    return links;
}

TEST(MainWindows, HelpOpensFromTheMenuAndTheInformationWindowAndEveryPageItLinksIsThere)
{
    AppRig app;
    app.dash.show();
    HelpWindow& help = app.windows.HelpContents();
    ChooseMenuEntry(app.dash, QStringLiteral("HelpContents1"));
    EXPECT_TRUE(help.isVisible());
    help.close();
    ChooseMenuEntry(app.dash, QStringLiteral("Help1"));
    ClickButton(app.windows.Help(), QStringLiteral("HelpContentsBtn"));
    ASSERT_TRUE(help.isVisible()) << "Help Contents in the information window";

    HelpBrowser& browser = help.Browser();
    EXPECT_EQ(browser.source(), HelpBrowser::ContentsUrl());
    std::set<QString> seen;
    QList<QUrl> toVisit { HelpBrowser::ContentsUrl() };
    while (!toVisit.isEmpty()) {
        const QUrl url = toVisit.takeFirst();
        if (!seen.insert(url.toString()).second)
            continue;
        ASSERT_EQ(url.scheme(), QStringLiteral("qrc"))
            << "help that needs no network: " << url.toString().toStdString();
        const QString html = HelpPage(browser, url);
        ASSERT_FALSE(html.isEmpty()) << "missing page " << url.toString().toStdString();
        toVisit << LinksOf(html, url);
    }
    for (const char* page : { "getting-started.html", "connecting.html", "windows.html", "logging.html",
             "markers.html", "limits.html", "report.html", "troubleshooting.html", "ecus.html" })
        EXPECT_EQ(seen.count(QStringLiteral("qrc:/help/") + QLatin1String(page)), 1u) << page;

    const QString ecus = HelpPage(browser, QUrl(QStringLiteral("qrc:/help/ecus.html")));
    for (const auto& ids :
        { std::span<const std::string_view>(KnownEcuIds), std::span<const std::string_view>(Obd2EcuIds) })
        for (const std::string_view id : ids)
            EXPECT_TRUE(ecus.contains(QLatin1String(id.data(), static_cast<qsizetype>(id.size())))) << id;
    // Made from the README's table: its rows and their code spans, not a page of its own.
    const QString troubles = HelpPage(browser, QUrl(QStringLiteral("qrc:/help/troubleshooting.html")));
    EXPECT_GT(troubles.count(QStringLiteral("<tr>")), 20);
    EXPECT_TRUE(troubles.contains(QStringLiteral("<code>--replay</code>")));

    // Following a link, then Back and Contents, as a reader clicks them.
    browser.setSource(QUrl(QStringLiteral("qrc:/help/connecting.html")));
    EXPECT_EQ(browser.documentTitle(), QStringLiteral("Connecting to the car"));
    ClickButton(help, QStringLiteral("BackButton"));
    EXPECT_EQ(browser.source(), HelpBrowser::ContentsUrl());
    ClickButton(help, QStringLiteral("ForwardButton"));
    ClickButton(help, QStringLiteral("ContentsButton"));
    EXPECT_EQ(browser.documentTitle(), QStringLiteral("DazedErir Help"));
}

TEST(MainWindows, IdentificationLoadsEveryToolWindow)
{
    AppRig app;
    const std::string id = "1103";
    app.rig.ecu.identifyAfter = 2; // one Rx error first
    app.rig.Identify(id);
    app.rig.PollUntilLive();

    TDataViewerForm& viewer = app.windows.DataViewer();
    EXPECT_TRUE(viewer.Formatted());
    EXPECT_EQ(viewer.PanelText(1), "Connected to ECU");
    EXPECT_EQ(viewer.PanelText(2), "Sample Rate 100ms");
    EXPECT_EQ(viewer.PanelText(3), "Rx Errors 1");
    EXPECT_EQ(app.windows.DataLogger().NamedChannels(), 1);
    EXPECT_EQ(app.windows.EcuId().EcuIdText(), "1103");
    TickTimer(app.windows.Status(), QStringLiteral("StatusTimer"));
    EXPECT_FALSE(app.windows.Status().CellText(0, 0).isEmpty()) << "status flag names loaded";
    const int flags = FeatureFlagsOf(id);
    for (int test = 1; test <= TActuatorForm::TestCount; ++test)
        EXPECT_EQ(app.windows.Actuator().TestAction(test)->isEnabled(), (flags >> (test - 1) & 1) != 0)
            << test;
}

TEST(MainWindows, UnknownEcuShowsRawDataAndExitFromTheViewerEndsTheProgram)
{
    AppRig app;
    app.dash.show();
    app.rig.Identify("4242");
    TDataViewerForm& viewer = app.windows.DataViewer();
    EXPECT_FALSE(viewer.Formatted());
    EXPECT_EQ(app.windows.DataLogger().NamedChannels(), 0);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(app.dash.isVisible());

    QSignalSpy closing(&app.dash, &TDashBoardForm::Closing);
    ChooseMenuEntry(viewer, QStringLiteral("Exit1"));
    EXPECT_EQ(closing.size(), 1);
    EXPECT_TRUE(std::filesystem::exists(app.rig.SettingsPath()));
    EXPECT_TRUE(QFile::exists(app.rig.settingsDir.filePath(QStringLiteral("bin/kodralog.ini"))))
        << "the data logger closed and saved its settings";
}

TEST(MainWindows, Obd2EcuLeavesTheDisplayModesAsTheyWere)
{
    AppRig app;
    app.rig.Identify("1103");
    app.rig.PullAndReplugCable();
    app.rig.Identify(std::string(Obd2EcuIds[0]));
    EXPECT_TRUE(app.windows.DataViewer().Formatted());
    EXPECT_EQ(app.windows.DataLogger().NamedChannels(), 1);
    EXPECT_EQ(app.windows.EcuId().EcuIdText(), QString::fromLatin1(Obd2EcuIds[0].data(), 4));
}

TEST(MainWindows, DialogsShowTheValuesInForceAndHandTheirChoicesToTheMainWindow)
{
    AppRig app;
    app.dash.SetBaudText(QStringLiteral("7812"));
    app.dash.findChild<QAction*>(QStringLiteral("BaudRate1"))->trigger();
    EXPECT_TRUE(app.windows.Comms().isVisible());
    EXPECT_EQ(app.windows.Comms().BaudText(), "7812");
    auto* baud = app.windows.Comms().findChild<QComboBox*>(QStringLiteral("CommsBaudCombo"));
    baud->setCurrentIndex(baud->findText(QStringLiteral("15625")));
    EXPECT_EQ(app.dash.GetBaudText(), "15625");

    app.dash.SetSampleRate(250);
    app.dash.findChild<QAction*>(QStringLiteral("SampleRate1"))->trigger();
    EXPECT_EQ(app.windows.SampleRate().SampleRateText(), "250");
    emit app.windows.SampleRate().SampleRateChosen(400);
    EXPECT_EQ(app.dash.SampleRate(), 400);
    EXPECT_EQ(app.dash.PanelText(2), "Sample Rate 400ms");

    app.dash.SetSpeedUnits(QStringLiteral("KPH"));
    app.dash.findChild<QAction*>(QStringLiteral("Units1"))->trigger();
    EXPECT_EQ(app.windows.UnitsSel().ShownSpeedUnits(), "KPH");
    EXPECT_EQ(app.windows.UnitsSel().ShownTempUnits(), "C");
    ClickButton(app.windows.UnitsSel(), QStringLiteral("TempF_RB"));
    ClickButton(app.windows.UnitsSel(), QStringLiteral("MPH_RB"));
    EXPECT_EQ(app.dash.TempUnits(), "F");
    EXPECT_EQ(app.dash.SpeedUnits(), "MPH");
}

TEST(MainWindows, ActuatorClicksGoToTheEcuAndOnlyTheirOwnRepliesAreAcknowledged)
{
    AppRig app;
    app.rig.Identify("1103");
    app.rig.PollUntilLive();
    app.dash.findChild<QAction*>(QStringLiteral("Controls1"))->trigger();
    TActuatorForm& actuator = app.windows.Actuator();
    ASSERT_TRUE(actuator.isVisible());
    const auto button
        = [&](const char* name) { return actuator.findChild<QPushButton*>(QLatin1String(name)); };
    const auto lastActuatorFrame = [&] {
        const auto sent = std::find_if(app.rig.link->sent.rbegin(), app.rig.link->sent.rend(),
            [](const FakeLink::Sent& s) { return s.bytes.at(0) == etActuator; });
        return sent == app.rig.link->sent.rend() ? std::string() : HexBytes(sent->bytes);
    };

    // Opened for the first time: the shared monitors read the live values at the window's own tick.
    const QLabel* rpmMonitor = actuator.findChild<QLabel*>(QStringLiteral("Monitor2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rpmMonitor->text().isEmpty() && rpmMonitor->text() != "--"; }));
    EXPECT_EQ(rpmMonitor->text(), QString::number(app.rig.Queries().Values().rpm));

    actuator.TestAction(1)->trigger();
    QTest::mouseClick(button("SetBtn"), Qt::LeftButton);
    ASSERT_TRUE(app.rig.TickUntil([&] { return actuator.StatusText() == "ECU acknowledged RPM Control"; }));
    EXPECT_EQ(lastActuatorFrame(), "15 0B C0 66 00 00 00 00 00 00 BA");

    QTest::mouseClick(button("CancelBtn"), Qt::LeftButton);
    EXPECT_FALSE(actuator.StatusText().contains(QLatin1String("acknowledged")));
    ASSERT_TRUE(app.rig.TickUntil([&] { return actuator.StatusText() == "Test cancelled"; }));
    EXPECT_EQ(lastActuatorFrame(), "15 0B 00 00 00 00 00 00 00 00 E0");
}

// The cable pulled: every window that shows ECU data says so, shows no value as current and keeps
// no test running; each one comes back by itself with the cable.
TEST(MainWindows, WithTheLinkLostEveryWindowSaysSoAndComesBackByItself)
{
    AppRig app;
    app.rig.Identify("1103");
    app.rig.PollUntilLive();
    TDataViewerForm& viewer = app.windows.DataViewer();
    TActuatorForm& actuator = app.windows.Actuator();
    TDataLoggerForm& logger = app.windows.DataLogger();
    const auto* cfMemo = app.windows.FaultCodes().findChild<QWidget*>(QStringLiteral("CFMemo"));
    const auto* statusGrid = app.windows.Status().findChild<QWidget*>(QStringLiteral("StatusSG"));
    const auto* loggerReadout = logger.findChild<QLabel*>(QStringLiteral("Ch1ValueLbl"));
    const auto tickWindows = [&] {
        TickTimer(viewer, QStringLiteral("Timer1"));
        TickTimer(actuator, QStringLiteral("Timer1"));
        TickTimer(app.windows.FaultCodes(), QStringLiteral("Timer1"));
        TickTimer(app.windows.Status(), QStringLiteral("StatusTimer"));
        TickTimer(logger, QStringLiteral("LogTimer1"));
    };
    const auto monitor
        = [&](int n) { return actuator.findChild<QLabel*>(QStringLiteral("Monitor%1").arg(n))->text(); };
    actuator.EnableTests(0xFF);
    actuator.TestAction(1)->trigger();
    ClickButton(actuator, QStringLiteral("SetBtn"));
    ASSERT_TRUE(actuator.TestActive());
    // The logger's readouts follow the values while it runs.
    logger.findChild<QCheckBox*>(QStringLiteral("SaveDataCB"))->setChecked(false);
    ClickButton(logger, QStringLiteral("DL_Start_Button"));
    ASSERT_TRUE(logger.IsLogging());
    tickWindows();
    const QString rpm = viewer.BoxText(1);
    EXPECT_NE(rpm, "--");
    EXPECT_EQ(monitor(2), rpm);
    EXPECT_EQ(loggerReadout->text(), rpm);
    EXPECT_TRUE(cfMemo->isEnabled());
    EXPECT_TRUE(statusGrid->isEnabled());
    EXPECT_EQ(viewer.PanelText(0), "fake") << "the port in use";

    app.rig.link->status = QString::fromLatin1(InterfaceLink::NoInterface);
    app.rig.Tick(2);
    tickWindows();
    const QString lost = QStringLiteral("Waiting to Connect");
    EXPECT_EQ(app.dash.PanelText(1), lost);
    EXPECT_EQ(viewer.PanelText(1), lost);
    for (int box = 0; box < TDataViewerForm::BoxCount; ++box)
        EXPECT_EQ(viewer.BoxText(box), "--") << box;
    EXPECT_FALSE(app.rig.Gauge("RevCounter")->HasValue());
    EXPECT_EQ(TextColour(app.rig.Label("MILLabel")), ColorFromRef(kColorGrey));
    for (int n = 1; n <= TActuatorForm::MonitorCount; ++n)
        EXPECT_EQ(monitor(n), "--") << n;
    EXPECT_FALSE(actuator.TestActive());
    EXPECT_EQ(actuator.StatusText(), QStringLiteral("RPM Control stopped: ") + lost);
    EXPECT_FALSE(cfMemo->isEnabled());
    EXPECT_FALSE(statusGrid->isEnabled());
    EXPECT_TRUE(app.windows.FaultCodes().windowTitle().endsWith(lost));
    EXPECT_TRUE(app.windows.Status().windowTitle().endsWith(lost));
    EXPECT_TRUE(loggerReadout->text().isEmpty());
    EXPECT_EQ(viewer.PanelText(0), "No port open");

    app.rig.link->status = QString::fromLatin1(InterfaceLink::VadInterface);
    app.rig.PollUntilLive();
    tickWindows();
    EXPECT_EQ(app.dash.PanelText(1), "Connected to ECU");
    EXPECT_EQ(viewer.PanelText(1), "Connected to ECU");
    EXPECT_NE(viewer.BoxText(1), "--");
    EXPECT_TRUE(app.rig.Gauge("RevCounter")->HasValue());
    EXPECT_NE(monitor(2), "--");
    EXPECT_TRUE(cfMemo->isEnabled());
    EXPECT_FALSE(app.windows.FaultCodes().windowTitle().contains(lost));
    EXPECT_EQ(loggerReadout->text(), viewer.BoxText(1));
}

// The viewer's sample-rate panel shows the period in force from the start and follows the dialog.
TEST(MainWindows, TheDataViewerFollowsEveryChangeOfTheSamplePeriod)
{
    AppRig app;
    TDataViewerForm& viewer = app.windows.DataViewer();
    EXPECT_EQ(viewer.PanelText(2), "Sample Rate 100ms");
    app.dash.findChild<QAction*>(QStringLiteral("SampleRate1"))->trigger();
    TSampleRateForm& dialog = app.windows.SampleRate();
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("SampleRateCB"));
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("250"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SampleRateBtn")), Qt::LeftButton);
    EXPECT_EQ(app.dash.SampleRate(), 250);
    EXPECT_EQ(viewer.PanelText(2), "Sample Rate 250ms");
    app.rig.Identify("1103");
    app.dash.SetSampleRate(400);
    EXPECT_EQ(viewer.PanelText(2), "Sample Rate 400ms");
}

// Ticked in the dialog, fast polling sends each request with the tick that brings the reply before
// it, shows its measured rate (in the data viewer too) and is kept in the settings with the gap set
// there.
TEST(MainWindows, AsFastAsTheLineAllowsIsChosenInTheSampleRateDialogShownAndKept)
{
    DashboardRig rig("[Comms]\r\nFastPollGapMicroseconds=0\r\n");
    MainWindows windows { *rig.session, rig.TakeForm(), rig.SettingsFolder() };
    TDashBoardForm& dash = windows.Dashboard();
    dash.findChild<QAction*>(QStringLiteral("SampleRate1"))->trigger();
    TSampleRateForm& dialog = windows.SampleRate();
    auto* fast = dialog.findChild<QCheckBox*>(QStringLiteral("FastPollCB"));
    ASSERT_NE(fast, nullptr);
    EXPECT_FALSE(fast->isChecked());
    QTest::mouseClick(fast, Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SampleRateBtn")), Qt::LeftButton);
    EXPECT_TRUE(dash.FastPolling());
    EXPECT_EQ(dash.PanelText(2), "Fast 0.0 sweeps/s");

    rig.Identify("1103");
    const std::size_t before = rig.link->sent.size();
    constexpr int ticks = 3 * EcuConnection::RateReportTicks; // reports after two sweeps at least
    rig.Tick(ticks);
    EXPECT_EQ(rig.link->sent.size() - before, static_cast<std::size_t>(ticks));
    EXPECT_THAT(dash.PanelText(2).toStdString(), testing::MatchesRegex("Fast [1-9][0-9]*\\.[0-9] sweeps/s"));
    EXPECT_EQ(windows.DataViewer().PanelText(2), dash.PanelText(2));

    rig.CloseWindow();
    EXPECT_THAT(rig.SettingsText(), testing::HasSubstr("FastPolling=1"));
    EXPECT_THAT(rig.SettingsText(), testing::HasSubstr("FastPollGapMicroseconds=0"));
}

// Fast polling reads the logged channels' bytes first: the window of a channel the user picks in
// the data logger is read on every pass over the line, with no other window read twice between.
TEST(MainWindows, AChannelChosenInTheLoggerIsReadOnEveryPassOfFastPolling)
{
    DashboardRig rig("[Comms]\r\nFastPollGapMicroseconds=0\r\n");
    MainWindows windows { *rig.session, rig.TakeForm(), rig.SettingsFolder() };
    windows.Dashboard().SetFastPolling(true);
    rig.Identify("1103");
    constexpr int ChosenOffset = 33;
    const std::string chosenWindow
        = "read " + std::to_string(rig.Connection().Range().Address(PollRange::WindowOf(ChosenOffset), 0));
    const auto anotherReadTwiceBetweenItsReads = [&] {
        const std::size_t first = rig.link->sent.size();
        rig.Tick(8 * rig.Connection().Range().WindowCount());
        std::optional<std::set<std::string>> since; // from the chosen window's first read
        for (std::size_t i = first; i < rig.link->sent.size(); ++i) {
            const std::string read = Describe(rig.link->sent[i].bytes);
            if (read == chosenWindow)
                since.emplace();
            else if (since && !since->insert(read).second)
                return true;
        }
        EXPECT_TRUE(since.has_value()) << "the chosen window was never read";
        return false;
    };
    EXPECT_TRUE(anotherReadTwiceBetweenItsReads()) << "the settings' channels first, read in turn";

    TDataLoggerForm& logger = windows.DataLogger();
    TypeIntoCombo(*logger.findChild<QComboBox*>(QStringLiteral("Ch1_Sel_Combo")),
        QStringLiteral("Address%1").arg(ChosenOffset));
    ASSERT_EQ(logger.ChannelName(0), QStringLiteral("Address%1").arg(ChosenOffset));
    EXPECT_FALSE(anotherReadTwiceBetweenItsReads());
}

TEST(MainWindows, TheLoggerAsksForItsDirectoryThroughTheDirectoryDialog)
{
    AppRig app;
    emit app.windows.DataLogger().DirectoryDialogRequested();
    EXPECT_TRUE(app.windows.SelDir().isVisible());
    emit app.windows.SelDir().DirectoryChosen(app.rig.settingsDir.path());
    EXPECT_EQ(app.windows.DataLogger().LogFilePath(), app.rig.settingsDir.path());
}

} // namespace
