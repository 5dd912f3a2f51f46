#include "link/EcuSession.h"
#include "tests/connection/ConnectionRig.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"
#include "viewer/LogViewerForm.h"
#include "viewer/MarkerList.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

using F = TLogViewerForm::Figure;

// Long enough for a read of several megabytes on a busy machine.
constexpr int kPatienceMs = 30000;

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
    QCPAxisRect* Rect(int plot) const { return viewer.Plot()->axisRect(plot); }
    QCPAxis* TimeAxis(int plot = 0) const { return Rect(plot)->axis(QCPAxis::atBottom); }
    // A point on the first plot at that time.
    QPoint At(double seconds) const
    {
        viewer.Plot()->replot();
        return { static_cast<int>(std::lround(TimeAxis()->coordToPixel(seconds))), Rect(0)->center().y() };
    }
    // The value the trace of `plot`, drawn in `colour`, shows at that time (two pixels on, beside
    // a cursor there), read off the drawn picture at the pixel of that column nearest the colour
    // (antialiasing blends a line over two rows); nothing where no pixel is near it.
    std::optional<double> DrawnValue(int plot, double seconds, const QColor& colour) const
    {
        constexpr int kNearColour = 120; // summed over red, green and blue: white and grey are farther
        viewer.Plot()->replot();
        const QImage picture = viewer.Plot()->toPixmap().toImage();
        const int x = static_cast<int>(std::lround(TimeAxis(plot)->coordToPixel(seconds))) + 2;
        std::optional<int> nearestY;
        int nearest = kNearColour;
        for (int y = Rect(plot)->top(); y <= Rect(plot)->bottom(); ++y) {
            const QColor pixel = picture.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - colour.red())
                + std::abs(pixel.green() - colour.green()) + std::abs(pixel.blue() - colour.blue());
            if (distance < nearest) {
                nearest = distance;
                nearestY = y;
            }
        }
        if (!nearestY)
            return std::nullopt;
        return Rect(plot)->axis(QCPAxis::atLeft)->pixelToCoord(*nearestY);
    }
};

// Rows at 0, 100, 200 and 300 ms; MAP left empty at 100 ms, RPM at 300 ms.
const std::string kDrive = "Time (ms),RPM,MAP,CTS (°F),IAT\n"
                           "0,800,1000,80.63,20\n"
                           "100,900,,81,20\n"
                           "200,1000,1010,79.84,21\n"
                           "300,,1020,83,21\n";

TEST(LogViewer, TheMouseCursorAndCursorsAAndBReadEachChannelAtTheirTimes)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("drive.csv", kDrive)));
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - drive.csv");
    EXPECT_EQ(rig.viewer.ShownChannels(), QStringList({ "RPM", "MAP", "CTS" }));
    EXPECT_EQ(rig.viewer.FigureText(2, F::ChannelColumn), "CTS (°F)");

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

// A log's markers: dashed lines labelled on the top plot with their numbers and notes, and a list;
// clicking a marker there brings its time into view with cursor A on it.
TEST(LogViewer, MarkersAreLabelledLinesAndAClickInTheirListPutsCursorAThere)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("marked.csv",
        "KodraPower log file\r\nTime,2026-07-12 10:49:56\r\nElapsed Time (ms),RPM,MAP\r\n"
        "100,800,1000\r\n200,900,1005\r\n#marker,1,200,\r\n#marker,1,200,misfire\r\n"
        "300,1000,1010\r\n400,1100,1020\r\n#marker,2,400,\r\n500,1200,1030\r\n")));
    EXPECT_EQ(rig.viewer.ProblemsText(), "");
    QStringList labels;
    for (int i = 0; i < rig.viewer.Plot()->itemCount(); ++i) {
        if (const auto* label = qobject_cast<QCPItemText*>(rig.viewer.Plot()->item(i)))
            labels << label->text();
    }
    EXPECT_EQ(labels, QStringList({ "1 misfire", "2" }));

    const auto& list = static_cast<const QListWidget&>(rig.viewer.Markers());
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "1  0.2 s  misfire");
    rig.viewer.SetVisibleSeconds(0.1, 0.25);
    const QRect second = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(rig.TimeAxis()->range().contains(0.4));
    EXPECT_TRUE(rig.TimeAxis(1)->range().contains(0.4));
    EXPECT_TRUE(rig.viewer.FigureHeading(F::AColumn).contains("0.4"))
        << rig.viewer.FigureHeading(F::AColumn).toStdString();
    EXPECT_EQ(rig.viewer.FigureText(0, F::AColumn), "1100");

    // A log without markers shows no list.
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("drive.csv", kDrive)));
    EXPECT_FALSE(list.isVisible());
}

TEST(LogViewer, ZoomPanAndFitAllMoveEveryPlotTogetherAndTheFiguresFollowTheVisibleSpan)
{
    ViewerRig rig;
    // Nothing to play, step or export before a log is open.
    for (const char* name : { "PlayButton", "StepButton", "FitAllButton" })
        EXPECT_FALSE(rig.viewer.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(rig.viewer.findChild<QAction*>(QStringLiteral("ExportPng"))->isEnabled());
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("drive.csv", kDrive)));
    EXPECT_TRUE(rig.viewer.findChild<QWidget*>(QStringLiteral("PlayButton"))->isEnabled());
    // A short log is shown whole, not on a second of which most is empty.
    EXPECT_EQ(rig.TimeAxis(2)->range(), QCPRange(0.0, 0.3));
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "900");

    // The span shows the value held from the row before it, as the plots draw it.
    rig.viewer.SetVisibleSeconds(0.05, 0.25);
    EXPECT_EQ(rig.viewer.FigureText(0, F::MinColumn), "800");
    EXPECT_EQ(rig.viewer.FigureText(0, F::MaxColumn), "1000");
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "900");
    EXPECT_EQ(rig.viewer.FigureText(1, F::MeanColumn), "1005"); // its gap left out

    // The wheel over the last plot zooms every plot's time axis alike.
    const QPoint centre = rig.Rect(2)->center();
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
    EXPECT_EQ(rig.TimeAxis(2)->range(), QCPRange(0.0, 0.3));
    EXPECT_EQ(rig.viewer.FigureText(0, F::MeanColumn), "900");
}

// What the figures say is what the plots draw: a value held until the next sample (the cursor
// between two samples reads the earlier one, and so does the line), and a sample alone between
// two empty fields drawn as a point, as it counts in the figures.
TEST(LogViewer, TheFiguresReadWhatTheLinesDrawAndALoneSampleIsDrawn)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(
        rig.Write("held.csv", "Time (s),RPM,Lambda\n0,1000,\n1,3000,\n2,2000,0.95\n3,2500,\n4,1500,\n")));
    rig.viewer.ShowChannels({ "RPM", "Lambda" });
    rig.viewer.SetCursorA(1.75);
    EXPECT_EQ(rig.viewer.FigureText(0, F::AColumn), "3000");
    const std::optional<double> drawn = rig.DrawnValue(0, 1.75, QColor(200, 0, 0));
    ASSERT_TRUE(drawn.has_value());
    // Within a pixel's worth of the value.
    const double pixel = std::abs(rig.Rect(0)->axis(QCPAxis::atLeft)->pixelToCoord(0)
        - rig.Rect(0)->axis(QCPAxis::atLeft)->pixelToCoord(1));
    EXPECT_NEAR(*drawn, 3000.0, 2 * pixel);

    EXPECT_EQ(rig.viewer.FigureText(1, F::MaxColumn), "0.95");
    EXPECT_TRUE(rig.DrawnValue(1, 2.0, QColor(0, 0, 220)).has_value());
}

// However many channels are stacked, each plot's value ticks and name stay within it: no label
// runs into another; the lowest plot, above the time axis, is as high as the others.
TEST(LogViewer, TheValueAxesOfManyStackedPlotsKeepTheirLabelsApart)
{
    ViewerRig rig;
    rig.viewer.resize(1000, 760);
    std::string text = "Time (ms),Batt Volts*10 (0.1 V),Coolant temperature (°C),RPM,MAP,TPS,O2,STFT,LTFT\n";
    for (int row = 0; row < 50; ++row)
        text += std::to_string(row * 40) + "," + std::to_string(130 + row % 17 * 0.37) + ",80,"
            + std::to_string(800 + row * 90) + ",1000,12,0.45,-3.5,1.25\n";
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("many.csv", text)));
    QStringList all;
    for (const LogColumn& column : rig.viewer.Log().columns)
        all << QString::fromStdString(column.name);
    rig.viewer.ShowChannels(all);

    const auto labelsApart = [&rig] {
        rig.viewer.Plot()->replot();
        double above = -1e9; // the lowest edge of the labels of the plots above
        for (int plot = 0; plot < rig.viewer.Plot()->axisRectCount(); ++plot) {
            const QCPAxis* values = rig.Rect(plot)->axis(QCPAxis::atLeft);
            const int height = QFontMetrics(values->tickLabelFont()).height();
            if (QFontMetrics(values->labelFont()).horizontalAdvance(values->label())
                > rig.Rect(plot)->height())
                return false;
            std::vector<double> centres;
            for (const double tick : values->tickVector())
                centres.push_back(values->coordToPixel(tick));
            std::sort(centres.begin(), centres.end());
            for (std::size_t i = 0; i < centres.size(); ++i) {
                const double top = centres[i] - height / 2.0;
                if (top < above)
                    return false;
                above = centres[i] + height / 2.0;
            }
        }
        const int last = rig.viewer.Plot()->axisRectCount() - 1;
        return std::abs(rig.Rect(last)->height() - rig.Rect(0)->height()) <= 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(labelsApart));
}

// An exported picture names the log, its dates and the figures, in the picture and in its text;
// the figures can be saved as CSV and copied.
TEST(LogViewer, APictureCarriesTheLogsNameDatesAndFiguresWhichCanBeSavedAndCopied)
{
    ViewerRig rig;
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("drive.csv", kDrive)));
    rig.viewer.SetCursorA(0.1);

    const std::optional<QString> written = rig.viewer.ExportPng(rig.dir.filePath(QStringLiteral("plots")));
    ASSERT_EQ(written, rig.dir.filePath(QStringLiteral("plots.png")));
    const QImage picture(*written);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.height(), rig.viewer.Plot()->height());
    EXPECT_EQ(picture.text(QStringLiteral("Title")), "drive.csv");
    EXPECT_FALSE(picture.text(QStringLiteral("Creation Time")).isEmpty());
    EXPECT_TRUE(picture.text(QStringLiteral("Description")).contains(QStringLiteral("RPM\t\t900\t")))
        << picture.text(QStringLiteral("Description")).toStdString();

    const QString csv = rig.dir.filePath(QStringLiteral("figures.csv"));
    ASSERT_TRUE(rig.viewer.SaveFigures(csv));
    const QStringList lines
        = QString::fromStdString(ReadFileBytes(csv.toStdString())).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "Channel,Cursor,A 0.100 s,B (right click),B - A,Min,Max,Mean");
    EXPECT_EQ(lines[1], "RPM,,900,,,800,1000,900");

    ChooseMenuEntry(rig.viewer, QStringLiteral("CopyFigures"));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Channel\tCursor\tA 0.100 s")));
}

TEST(LogViewer, WhatCouldNotBeReadIsListedByLineAndColumnAndTheRestShown)
{
    ViewerRig rig;
    ASSERT_TRUE(
        rig.viewer.OpenLogAndWait(rig.Write("broken.csv", "Time (ms);RPM\n0;800\n100;8x0\n200;900\n300")));
    EXPECT_TRUE(rig.viewer.ProblemsText().contains("line 3, column 2: RPM: \"8x0\" is not a number"))
        << rig.viewer.ProblemsText().toStdString();
    EXPECT_TRUE(rig.viewer.ProblemsText().contains("line 5: the last line is cut short"));
    EXPECT_EQ(rig.viewer.Log().Rows(), 3U);
    EXPECT_EQ(rig.viewer.FigureText(0, F::MaxColumn), "900");

    // A file that is not there, or of which nothing could be read: said, and the log stays.
    EXPECT_FALSE(rig.viewer.OpenLogAndWait(rig.dir.filePath(QStringLiteral("none.csv"))));
    EXPECT_FALSE(rig.viewer.OpenLogAndWait(rig.Write("nothing.csv", "Time (s);CTS\n0,5;x\n")));
    ASSERT_EQ(rig.viewer.messages.size(), 2);
    EXPECT_TRUE(rig.viewer.messages[0].contains("none.csv"));
    EXPECT_TRUE(rig.viewer.messages[1].contains("nothing.csv: no value could be read"))
        << rig.viewer.messages[1].toStdString();
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - broken.csv");
    EXPECT_EQ(rig.viewer.Log().Rows(), 3U);
}

// A long log is read while the window goes on answering, its progress shown; Cancel gives up the
// read and leaves the log shown before.
TEST(LogViewer, ALongLogIsReadWhileTheWindowAnswersAndCancelKeepsTheLogShown)
{
    ViewerRig rig;
    std::string text = "Time (ms),RPM,MAP,CTS,IAT,TPS,O2,STFT,LTFT,Batt\n";
    for (int row = 0; row < 400000; ++row)
        text += std::to_string(row * 40) + ",3512,1013,86.5,24.25,12.5,0.456,-3.25,1.125,138.44\n";
    const QString longLog = rig.Write("long.csv", text);
    ASSERT_TRUE(rig.viewer.OpenLogAndWait(rig.Write("drive.csv", kDrive)));

    rig.viewer.OpenLog(longLog);
    auto* progress = rig.viewer.findChild<QProgressBar*>(QStringLiteral("OpeningProgressBar"));
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    ClickButton(rig.viewer, QStringLiteral("CancelOpeningButton"));
    ASSERT_TRUE(QTest::qWaitFor([progress] { return !progress->isVisible(); }));
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - drive.csv");
    EXPECT_EQ(rig.viewer.Log().Rows(), 4U);

    std::optional<bool> readingWhenAnswered;
    QTimer::singleShot(0, &rig.viewer, [&] { readingWhenAnswered = progress->isVisible(); });
    rig.viewer.OpenLog(longLog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return readingWhenAnswered.has_value(); }));
    EXPECT_TRUE(*readingWhenAnswered);
    ASSERT_TRUE(QTest::qWaitFor([progress] { return !progress->isVisible(); }, kPatienceMs));
    EXPECT_EQ(rig.viewer.windowTitle(), "DazedErir Log Viewer - long.csv");
    EXPECT_EQ(rig.viewer.Log().Rows(), 400000U);
    EXPECT_TRUE(rig.viewer.messages.isEmpty());
}

} // namespace
