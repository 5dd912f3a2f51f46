#include "controls/KodraGauge.h"
#include "tests/dashboard/DashboardRig.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ManualClock.h"
#include "tests/support/UserActions.h"
#include "ui/DataViewerForm.h"
#include "viewer/LogViewerForm.h"

#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A log of engine speed and coolant only; its last row lost the engine speed.
const std::string kRun = "Time (ms),RPM,CTS\n"
                         "0,800,80\n"
                         "500,1500,85\n"
                         "1000,,90\n";

TEST(Replay, TheDashboardAndTheDataViewerShowTheLogAsIfLiveWhileTheLinkRests)
{
    DashboardRig rig;
    rig.Identify("1103");
    rig.PollUntilLive();
    TDataViewerForm dataViewer(rig.Queries());
    ManualClock clock;
    TLogViewerForm viewer(*rig.session, clock.Reader());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.csv"));
    WriteFileBytes(path.toStdString(), kRun);
    ASSERT_TRUE(viewer.OpenLogAndWait(path));
    viewer.show();

    ClickButton(viewer, QStringLiteral("PlayButton"));
    EXPECT_TRUE(rig.form->windowTitle().endsWith(" - Replaying run.csv"))
        << rig.form->windowTitle().toStdString();
    EXPECT_EQ(rig.form->PanelText(1), "Replaying run.csv");
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), 800);
    EXPECT_TRUE(rig.Gauge("RevCounter")->HasValue());
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 80);
    // What the log does not hold shows no value, as with the link lost.
    EXPECT_FALSE(rig.Gauge("Speedo")->HasValue());
    EXPECT_EQ(rig.Label("BattVoltsLabel")->text(), "--");
    TickTimer(dataViewer, QStringLiteral("Timer1"));
    EXPECT_EQ(dataViewer.BoxText(1), "800");
    EXPECT_EQ(dataViewer.BoxText(0), "--");

    // The link is not polled while replaying.
    const std::size_t sentBefore = rig.link->sent.size();
    rig.Tick(20);
    EXPECT_EQ(rig.link->sent.size(), sentBefore);

    // Each row at its own time, by the replay's clock.
    clock.now += 499ms;
    TickTimer(viewer, QStringLiteral("ReplayTimer"));
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), 800);
    clock.now += 1ms;
    TickTimer(viewer, QStringLiteral("ReplayTimer"));
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), 1500);
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 85);
    clock.now += 500ms;
    TickTimer(viewer, QStringLiteral("ReplayTimer"));
    EXPECT_FALSE(rig.Gauge("RevCounter")->HasValue());
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 90);
    EXPECT_EQ(viewer.FigureHeading(CursorFigures::CursorColumn), "Cursor 1.000 s");

    ClickButton(viewer, QStringLiteral("EndReplayButton"));
    EXPECT_FALSE(rig.form->windowTitle().contains("Replaying"));
    EXPECT_EQ(rig.form->PanelText(1), "Connected to ECU");
    rig.Tick(20);
    EXPECT_GT(rig.link->sent.size(), sentBefore);

    // The position slider moved by the user replays the row it points at; closing the viewer
    // gives the dashboard back to the link.
    auto* slider = viewer.findChild<QSlider*>(QStringLiteral("PositionSlider"));
    ASSERT_NE(slider, nullptr);
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(rig.form->PanelText(1), "Replaying run.csv");
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), 1500);
    viewer.close();
    EXPECT_FALSE(rig.form->windowTitle().contains("Replaying"));
}

} // namespace
