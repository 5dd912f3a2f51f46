// Comms > Record Session... in the main window, over the program's own link to the simulated ECU.
#include "app/AppOptions.h"
#include "app/ProgramLink.h"
#include "link/CaptureFile.h"
#include "link/CaptureSummary.h"
#include "ui/DashBoardForm.h"
#include "ui/SessionRecordingControl.h"

#include "tests/support/UserActions.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The file dialog and the messages answered by the test.
class TestRecordingControl final : public SessionRecordingControl {
public:
    using SessionRecordingControl::SessionRecordingControl;

    QString chosen;
    QStringList messages;

protected:
    QString ChooseFile() override { return chosen; }
    void ShowMessage(const QString& text) override { messages << text; }
};

constexpr int RecordingPanel = 4;

TEST(SessionRecording, RecordsEveryExchangeAndTheStatusBarCountsTheBytes)
{
    QTemporaryDir dir;
    AppOptions options;
    options.cable = AppOptions::Cable::Simulated;
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory, EcuSession::Ticking::ByCaller);
    TDashBoardForm dashboard(session, dir.path());
    TestRecordingControl recording(*link.recorder, dashboard);
    dashboard.show();
    const int widthBefore = dashboard.width();

    // A cancelled file dialog records nothing.
    ChooseMenuEntry(dashboard, QStringLiteral("RecordSession1"));
    EXPECT_FALSE(link.recorder->IsRecording());

    recording.chosen = dir.filePath(QStringLiteral("session.capture"));
    ChooseMenuEntry(dashboard, QStringLiteral("RecordSession1"));
    ASSERT_TRUE(link.recorder->IsRecording());
    EXPECT_EQ(dashboard.RecordSessionAction()->text(), QStringLiteral("Stop Recording"));
    session.Connect();
    for (int tick = 0; tick < 40 && session.Connection().CompletedSweeps() < 1; ++tick) {
        session.Tick();
        QTest::qWait(EcuSession::TickMs);
    }
    ASSERT_GE(session.Connection().CompletedSweeps(), 1);
    QTest::qWait(2 * SessionRecorder::FlushEvery.count()); // on the disk without a Stop

    TickTimer(recording, QStringLiteral("RecordingTimer"));
    const QString shown = dashboard.PanelText(RecordingPanel);
    const qint64 onDisk = QFileInfo(recording.chosen).size();
    EXPECT_GT(onDisk, 100);
    EXPECT_EQ(shown, QStringLiteral("Recording %1 B").arg(onDisk));
    // However long the figure grows, the window keeps its width.
    dashboard.ShowRecordingText(QStringLiteral("Recording 99999 KB and then some more"));
    QTest::qWait(EcuSession::TickMs); // the layout follows the text from the event loop
    EXPECT_EQ(dashboard.width(), widthBefore);

    ChooseMenuEntry(dashboard, QStringLiteral("RecordSession1"));
    EXPECT_FALSE(link.recorder->IsRecording());
    EXPECT_EQ(dashboard.PanelText(RecordingPanel), QString());
    EXPECT_EQ(dashboard.RecordSessionAction()->text(), QStringLiteral("Record Session..."));
    EXPECT_TRUE(recording.messages.isEmpty()) << recording.messages.join(QLatin1Char('\n')).toStdString();

    const CaptureRead read = ReadCaptureFile(recording.chosen.toStdString());
    ASSERT_TRUE(read.Ok()) << read.error;
    const CaptureSummary summary = SummarizeCapture(read.log);
    EXPECT_EQ(summary.ecuId, "1103");
    EXPECT_EQ(summary.baud, 15625);
    EXPECT_GT(summary.replies, 1);
}

} // namespace
