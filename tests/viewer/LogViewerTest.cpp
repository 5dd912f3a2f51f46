#include "link/EcuSession.h"
#include "tests/connection/ConnectionRig.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"
#include "viewer/LogViewerForm.h"

#include <QImage>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

using F = TLogViewerForm::Figure;

class TestLogViewer final : public TLogViewerForm {
public:
    using TLogViewerForm::TLogViewerForm;
    QStringList messages;

protected:
    void ShowMessage(const QString& text) override { messages << text; }
};

// The viewer over a session on a fake link, shown so that the mouse reaches it.
struct ViewerRig {
    QTemporaryDir dir;
    EcuSession session { [] { return std::make_unique<FakeLink>(); }, EcuSession::Ticking::ByCaller };
    TestLogViewer viewer { session };

    ViewerRig()
    {
        viewer.resize(1000, 700);
        viewer.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    }
    QString Write(const QString& name, const std::string& text) const
    {
        const QString path = dir.filePath(name);
        WriteFileBytes(path.toStdString(), text);
        return path;
    }
    QCPAxis* TimeAxis(int plot = 0) const { return viewer.Plot()->axisRect(plot)->axis(QCPAxis::atBottom); }
    // A point on the first plot at that time.
    QPoint At(double seconds) const
    {
        viewer.Plot()->replot();
        return { static_cast<int>(std::lround(TimeAxis()->coordToPixel(seconds))),
            viewer.Plot()->axisRect(0)->center().y() };
    }
};

// Rows at 0, 100, 200 and 300 ms; MAP left empty at 100 ms, RPM at 300 ms.
const std::string kDrive = "Time (ms),RPM,MAP,CTS,IAT\n"
                           "0,800,1000,80.63,20\n"
                           "100,900,,81,20\n"
                           "200,1000,1010,79.84,21\n"
                           "300,,1020,83,21\n";

TEST(LogViewer, TheMouseCursorAndCursorsAAndBReadEachChannelAtTheirTimes)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLog(rig.Write("drive.csv", kDrive)));
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - drive.csv");
    EXPECT_EQ(rig.viewer.ShownChannels(), QStringList({ "RPM", "MAP", "CTS" }));

    QTest::mouseMove(rig.viewer.Plot(), rig.At(0.15));
    EXPECT_TRUE(rig.viewer.FigureHeading(F::CursorColumn).startsWith("Cursor 0.1"))
        << rig.viewer.FigureHeading(F::CursorColumn).toStdString();
    EXPECT_EQ(rig.viewer.FigureText(0, F::CursorColumn), "900");
    EXPECT_EQ(rig.viewer.FigureText(1, F::CursorColumn), "--"); // the gap
    EXPECT_EQ(rig.viewer.FigureText(2, F::CursorColumn), "81");

    // A by a left click, B by a right click.
    QTest::mouseClick(rig.viewer.Plot(), Qt::LeftButton, {}, rig.At(0.05));
    QTest::mouseClick(rig.viewer.Plot(), Qt::RightButton, {}, rig.At(0.25));
    EXPECT_EQ(rig.viewer.FigureText(0, F::AColumn), "800");
    EXPECT_EQ(rig.viewer.FigureText(0, F::BColumn), "1000");
    EXPECT_EQ(rig.viewer.FigureText(0, F::ChangeColumn), "200");
    EXPECT_EQ(rig.viewer.FigureText(1, F::ChangeColumn), "10");
    EXPECT_EQ(rig.viewer.FigureText(2, F::ChangeColumn), "-0.79"); // as the values read, not as floats

    // At exact times: B - A is their distance; a gap at either end gives no change.
    rig.viewer.SetCursorA(0.1);
    rig.viewer.SetCursorB(0.3);
    EXPECT_EQ(rig.viewer.FigureHeading(F::ChangeColumn), "B - A 0.200 s");
    EXPECT_EQ(rig.viewer.FigureText(0, F::ChangeColumn), "--");
    EXPECT_EQ(rig.viewer.FigureText(1, F::ChangeColumn), "--");
    EXPECT_EQ(rig.viewer.FigureText(2, F::ChangeColumn), "2");
}

TEST(LogViewer, ZoomPanAndFitAllMoveEveryPlotTogetherAndTheFiguresFollowTheVisibleSpan)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLog(rig.Write("drive.csv", kDrive)));
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "900");

    rig.viewer.SetVisibleSeconds(0.05, 0.25);
    EXPECT_EQ(rig.viewer.FigureText(0, F::MinColumn), "900");
    EXPECT_EQ(rig.viewer.FigureText(0, F::MaxColumn), "1000");
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "950");
    EXPECT_EQ(rig.viewer.FigureText(1, F::MeanColumn), "1010"); // its gap left out

    // The wheel over the last plot zooms every plot's time axis alike.
    const QPoint centre = rig.viewer.Plot()->axisRect(2)->center();
    QWheelEvent wheel(centre, rig.viewer.Plot()->mapToGlobal(centre), {}, QPoint(0, 120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rig.viewer.Plot(), &wheel);
    const QCPRange zoomed = rig.TimeAxis(0)->range();
    EXPECT_LT(zoomed.size(), 0.2);
    EXPECT_EQ(rig.TimeAxis(1)->range(), zoomed);
    EXPECT_EQ(rig.TimeAxis(2)->range(), zoomed);

    // A drag pans all of them.
    QTest::mousePress(rig.viewer.Plot(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(rig.viewer.Plot(), centre + QPoint(80, 0));
    QTest::mouseRelease(rig.viewer.Plot(), Qt::LeftButton, {}, centre + QPoint(80, 0));
    EXPECT_LT(rig.TimeAxis(0)->range().lower, zoomed.lower);
    EXPECT_EQ(rig.TimeAxis(1)->range(), rig.TimeAxis(0)->range());

    // Shift and a drag zooms to the box drawn.
    ClickButton(rig.viewer, QStringLiteral("FitAllButton"));
    QTest::mousePress(rig.viewer.Plot(), Qt::LeftButton, Qt::ShiftModifier, rig.At(0.1));
    QTest::mouseMove(rig.viewer.Plot(), rig.At(0.2) + QPoint(0, 20));
    QTest::mouseRelease(rig.viewer.Plot(), Qt::LeftButton, Qt::ShiftModifier, rig.At(0.2) + QPoint(0, 20));
    EXPECT_NEAR(rig.TimeAxis(2)->range().lower, 0.1, 0.005);
    EXPECT_NEAR(rig.TimeAxis(2)->range().upper, 0.2, 0.005);

    ClickButton(rig.viewer, QStringLiteral("FitAllButton"));
    EXPECT_EQ(rig.TimeAxis(2)->range(), QCPRange(0.0, 1.0)); // a log shorter than a second shows one
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "900");

    // A gap is drawn as one: the line breaks at the empty field.
    EXPECT_TRUE(std::isnan(rig.viewer.Plot()->graph(1)->data()->at(1)->value));

    const QString picture = rig.dir.filePath(QStringLiteral("plots.png"));
    ASSERT_TRUE(rig.viewer.ExportPng(picture));
    EXPECT_FALSE(QImage(picture).isNull());
}

TEST(LogViewer, WhatCouldNotBeReadIsListedByLineAndColumnAndTheRestShown)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLog(rig.Write("broken.csv", "Time (ms);RPM\n0;800\n100;8x0\n200;900\n300")));
    EXPECT_TRUE(rig.viewer.ProblemsText().contains("line 3, column 2: RPM: \"8x0\" is not a number"))
        << rig.viewer.ProblemsText().toStdString();
    EXPECT_TRUE(rig.viewer.ProblemsText().contains("line 5: the last line is cut short"));
    EXPECT_EQ(rig.viewer.Log().Rows(), 3U);
    EXPECT_EQ(rig.viewer.FigureText(0, F::MaxColumn), "900");

    EXPECT_FALSE(rig.viewer.OpenLog(rig.dir.filePath(QStringLiteral("none.csv"))));
    ASSERT_EQ(rig.viewer.messages.size(), 1);
    EXPECT_TRUE(rig.viewer.messages[0].contains("none.csv"));
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - broken.csv");
}

} // namespace
