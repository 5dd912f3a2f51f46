// Comms > Record Session... in the main window, over the program's own link to the simulated ECU.
#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "capture/CaptureFile.h"
#include "capture/CaptureSummary.h"
#include "controls/KodraGauge.h"
#include "controls/StatusPanel.h"
#include "ui/DashBoardForm.h"
#include "ui/DataViewerForm.h"
#include "ui/SessionRecordingControl.h"

#include "tests/app/AnsweredDialogs.h"
#include "tests/app/SimulatedProgram.h"
#include "tests/support/UserActions.h"

#include <QAction>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TestRecordingControl = AnsweredDialogs<SessionRecordingControl>;

constexpr int RecordingPanel = 4;

// The program's own link to the simulated ECU, with its main window and the recording control.
struct RecordingProgram : SimulatedLink {
    TDashBoardForm dashboard { session, dir.path() };
    TestRecordingControl recording { *link.recorder, session, dashboard };
};

TEST(SessionRecording, RecordsEveryExchangeAndTheStatusBarCountsTheBytes)
{
    RecordingProgram p;
    p.dashboard.show();
    const int widthBefore = p.dashboard.width();

    // A cancelled file dialog records nothing.
    ChooseMenuEntry(p.dashboard, QStringLiteral("RecordSession1"));
    EXPECT_FALSE(p.link.recorder->IsRecording());

    p.recording.chosen = p.dir.filePath(QStringLiteral("session.capture"));
    ChooseMenuEntry(p.dashboard, QStringLiteral("RecordSession1"));
    ASSERT_TRUE(p.link.recorder->IsRecording());
    EXPECT_EQ(p.dashboard.RecordSessionAction()->text(), QStringLiteral("Stop Recording"));
    p.session.Connect();
    ASSERT_TRUE(TickUntil(p.session, [&] { return p.session.Connection().CompletedSweeps() >= 1; }));
    // On the disk without a Stop, and the status bar tells its size; a reply still on its way may
    // grow the file between two looks, so the figure is compared with a size that held still.
    qint64 onDisk = 0;
    QString shown;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        onDisk = QFileInfo(p.recording.chosen).size();
        TickTimer(p.recording, QStringLiteral("RecordingTimer"));
        shown = p.dashboard.PanelText(RecordingPanel);
        return onDisk > 100 && shown == QStringLiteral("Recording %1 B").arg(onDisk)
            && QFileInfo(p.recording.chosen).size() == onDisk;
    }));
    EXPECT_GT(onDisk, 100);
    EXPECT_EQ(shown, QStringLiteral("Recording %1 B").arg(onDisk));
    // However long the figure grows, the window keeps its width.
    const QString longText = QStringLiteral("Recording 99999 KB and then some more");
    p.dashboard.ShowRecordingText(longText);
    // Laid out from the event loop and painted shortened, the text shows whole in its tool tip.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QList<StatusPanel*> panels = p.dashboard.findChildren<StatusPanel*>();
        return std::any_of(panels.begin(), panels.end(),
            [&longText](const StatusPanel* panel) { return panel->toolTip() == longText; });
    }));
    EXPECT_EQ(p.dashboard.width(), widthBefore);

    ChooseMenuEntry(p.dashboard, QStringLiteral("RecordSession1"));
    EXPECT_FALSE(p.link.recorder->IsRecording());
    EXPECT_EQ(p.dashboard.PanelText(RecordingPanel), QString());
    EXPECT_EQ(p.dashboard.RecordSessionAction()->text(), QStringLiteral("Record Session..."));
    EXPECT_TRUE(p.recording.messages.isEmpty()) << p.recording.messages.join(QLatin1Char('\n')).toStdString();

    const CaptureRead read = ReadCaptureFile(p.recording.chosen.toStdString());
    ASSERT_TRUE(read.Ok()) << read.error;
    const CaptureSummary summary = SummarizeCapture(read.log);
    EXPECT_EQ(summary.ecuId, "1103");
    EXPECT_EQ(summary.baud, 15625);
    EXPECT_GT(summary.replies, 1);
}

TEST(SessionRecording, ACaptureStartedWhileConnectedBeginsWithTheIdentificationAndReplays)
{
    RecordingProgram p;
    p.session.Connect();
    ASSERT_TRUE(TickUntil(p.session, [&] { return p.session.Connection().CompletedSweeps() >= 1; }));

    p.recording.chosen = p.dir.filePath(QStringLiteral("midway.capture"));
    ChooseMenuEntry(p.dashboard, QStringLiteral("RecordSession1"));
    const int sweepsBefore = p.session.Connection().CompletedSweeps();
    ASSERT_TRUE(
        TickUntil(p.session, [&] { return p.session.Connection().CompletedSweeps() >= sweepsBefore + 3; }));
    ChooseMenuEntry(p.dashboard, QStringLiteral("RecordSession1"));

    const CaptureRead read = ReadCaptureFile(p.recording.chosen.toStdString());
    ASSERT_TRUE(read.Ok()) << read.error;
    ASSERT_GE(read.log.chunks.size(), 2u);
    EXPECT_EQ(read.log.chunks[0], (CaptureChunk { 0, CaptureDirection::Written, { 0x10, 0x03, 0xED } }));
    EXPECT_EQ(read.log.chunks[1],
        (CaptureChunk { 0, CaptureDirection::Read, { 0x10, 0x03, 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7 } }));
    QFile file(p.recording.chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\n# identification as made at "));
    EXPECT_EQ(SummarizeCapture(read.log).ecuId, "1103");

    // Played back by the tool, it identifies the ECU and polls on as the session did.
    QProcess cli;
    cli.start(QStringLiteral(DAZEDERIR_CLI_PATH),
        { QStringLiteral("--replay"), p.recording.chosen, QStringLiteral("--sample-rate"),
            QStringLiteral("200"), QStringLiteral("--json"), QStringLiteral("values"),
            QStringLiteral("--sweeps"), QStringLiteral("2") });
    ASSERT_TRUE(cli.waitForFinished());
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QJsonObject values = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(values.value(QStringLiteral("ecu_id")).toString(), QStringLiteral("1103"));
}

// A replayed capture says so, never "Connected to ECU"; once a request's recorded answers have
// run out the cable is silent, and every window shows the capture ended and no current value.
TEST(SessionRecording, AReplayedCaptureSaysSoAndItsEndLeavesNoValueShown)
{
    QTemporaryDir dir;
    const QString capture = dir.filePath(QStringLiteral("short.capture"));
    {
        AppOptions options;
        options.cable = CableKind::Simulated;
        ProgramLink link = MakeProgramLink(options);
        EcuSession session(link.factory, EcuSession::Ticking::ByCaller);
        ASSERT_EQ(link.recorder->Start(capture.toStdString()), "");
        session.Connect();
        ASSERT_TRUE(TickUntil(session, [&] { return session.Connection().CompletedSweeps() >= 3; }));
        ASSERT_EQ(link.recorder->Stop(), "");
    }

    AppOptions options;
    options.cable = CableKind::Replay;
    CaptureScan scan = ScanCaptureFile(capture.toStdString());
    ASSERT_TRUE(scan.source) << scan.error;
    options.replay = std::move(scan.source);
    options.replayPath = capture;
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory, EcuSession::Ticking::ByCaller);
    DescribeCable(session, link, options);
    QTemporaryDir settings;
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, settings.path()), settings.path());
    QSignalSpy states(&session, &EcuSession::StateChanged);
    session.Connect();
    const QString replaying = QStringLiteral("Replaying short.capture");
    EXPECT_EQ(windows.Dashboard().PanelText(1), replaying);
    ASSERT_TRUE(TickUntil(session, [&] { return session.Queries().HasLiveValues(); }));
    TickTimer(windows.DataViewer(), QStringLiteral("Timer1"));
    EXPECT_EQ(windows.Dashboard().PanelText(1), replaying);
    EXPECT_EQ(windows.DataViewer().PanelText(1), replaying);
    EXPECT_NE(windows.DataViewer().BoxText(1), "--");

    ASSERT_TRUE(TickUntil(session, [&] { return session.State().stage == SessionStage::CaptureEnded; }));
    TickTimer(windows.DataViewer(), QStringLiteral("Timer1"));
    EXPECT_EQ(windows.Dashboard().PanelText(1), "Capture ended");
    EXPECT_EQ(windows.DataViewer().PanelText(1), "Capture ended");
    EXPECT_EQ(windows.DataViewer().BoxText(1), "--");
    EXPECT_FALSE(windows.Dashboard().findChild<TKodraGauge*>(QStringLiteral("RevCounter"))->HasValue());
    for (const QList<QVariant>& state : states)
        EXPECT_NE(state.at(0).value<SessionState>().stage, SessionStage::Live);

    // The cable stays silent: nothing frozen comes back.
    const int errorsBefore = session.Connection().RxErrorCount();
    ASSERT_TRUE(TickUntil(session, [&] { return session.Connection().RxErrorCount() > errorsBefore + 2; }));
    EXPECT_EQ(session.State().stage, SessionStage::CaptureEnded);
    EXPECT_FALSE(session.Queries().HasLiveValues());
}

} // namespace
