#include "controls/PerformanceGraph.h"
#include "PixelProbe.h"
#include "tests/support/WarningsCaught.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <string>

namespace {

// The rightmost band column of a 100-pixel chart with 3-pixel steps.
constexpr int kNewLeft = 97;
constexpr int kNewRight = 99;

// A 100 x 100 chart at Scale 100 whose scale stays put for values 1..100, without grid lines
// so that only data shows on the black background.
std::unique_ptr<TPerformanceGraph> makeChart(TGraphKind kind)
{
    auto chart = std::make_unique<TPerformanceGraph>();
    chart->SetGridlines(false);
    chart->SetGraphKind(kind);
    chart->SetScale(100);
    return chart;
}

QImage picture(const TPerformanceGraph& chart)
{
    return AsRgb32(chart.GraphBitmap());
}

// The value of the first point of each band, oldest first; 0 for an empty band.
std::vector<int> firstValues(const BandRing& ring)
{
    std::vector<int> values;
    for (int b = ring.FirstY(); b != -1; b = ring.NextY(b))
        values.push_back(ring.Band(b).count > 0 ? ring.Band(b).values[0] : 0);
    return values;
}

// --- Arithmetic and history -----------------------------------------------------------------

TEST(GraphRoundUp, RoundsUpToAMultiple)
{
    struct Case {
        int value;
        int multiple;
        int expected;
    };
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    for (const Case c : { Case { 0, 10, 0 }, Case { 95, 10, 100 }, Case { 100, 10, 100 }, Case { 7, 0, 7 },
             Case { 101, 10, 110 }, Case { 123, 10, 130 }, Case { -15, 10, 0 }, Case { kMax, 10, kMax },
             Case { kMin, -1, kMin } }) {
        EXPECT_EQ(TPerformanceGraph::RoundUp(c.value, c.multiple), c.expected)
            << c.value << ", " << c.multiple;
    }
}

TEST(GraphHistory, SeventeenthPointIsRefusedAndNotStored)
{
    TPerformanceGraph chart;
    for (int i = 0; i < 16; ++i)
        chart.DataPoint(kColorRed, i + 1);
    {
        const WarningsCaught warnings;
        chart.DataPoint(kColorBlue, 99);
        EXPECT_EQ(WarningsCaught::Caught().size(), 1);
    }
    BandRing full(1);
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(full.DataPoint(kColorRed, i));
    EXPECT_FALSE(full.DataPoint(kColorBlue, 99));
    const GraphBand& band = chart.Bands().Band(chart.CurrentBand());
    EXPECT_EQ(band.count, 16);
    EXPECT_EQ(band.values[15], 16);
}

TEST(GraphHistory, RingWalksWrapAndStopAtTheOldestBand)
{
    BandRing ring(4);
    EXPECT_EQ(ring.CurrentBand(), 0);
    EXPECT_EQ(ring.OldestBand(), 1);
    EXPECT_EQ(ring.NextY(2), 3);
    EXPECT_EQ(ring.NextY(3), 0);
    EXPECT_EQ(ring.NextY(0), -1);
    EXPECT_EQ(ring.LastY(0), 3);
    EXPECT_EQ(ring.LastY(2), 1);

    ring.DataPoint(kColorRed, 5);
    for (int i = 0; i < 3; ++i)
        ring.ShiftY();
    EXPECT_EQ(ring.CurrentBand(), 3);
    EXPECT_EQ(ring.OldestBand(), 0);
    EXPECT_EQ(ring.LargestValue(), 5);
    ring.ShiftY(); // back to slot 0, which is emptied
    EXPECT_EQ(ring.Band(0).count, 0);
    EXPECT_EQ(ring.LargestValue(), 0);
    ring.DataPoint(kColorRed, -7);
    EXPECT_EQ(ring.LargestValue(), 0);
}

TEST(GraphHistory, ResizeKeepsTheNewestBands)
{
    const auto filled = [] {
        BandRing ring(5);
        for (int v = 1; v <= 6; ++v) {
            ring.DataPoint(kColorRed, v);
            ring.ShiftY();
        }
        return ring; // oldest first: 3, 4, 5, 6, current (empty)
    };
    BandRing wider = filled();
    wider.Resize(8);
    EXPECT_EQ(firstValues(wider), (std::vector<int> { 0, 0, 0, 3, 4, 5, 6, 0 }));
    EXPECT_EQ(wider.NextY(wider.CurrentBand()), -1);

    BandRing narrower = filled();
    narrower.Resize(3);
    EXPECT_EQ(firstValues(narrower), (std::vector<int> { 5, 6, 0 }));
    EXPECT_EQ(narrower.NextY(narrower.CurrentBand()), -1);
}

// --- Drawing of one column ------------------------------------------------------------------

TEST(GraphColumn, BarsStackFromEachPreviousValue)
{
    auto chart = makeChart(pgBar);
    chart->DataPoint(kColorRed, 10);
    chart->DataPoint(kColorBlue, 30);
    chart->DataPoint(kColorPurple, 60);
    chart->Update();
    ASSERT_EQ(chart->Scale(), 100);
    const std::vector<ColorRun> expected { { kPixelBlack, 0, 38 }, { kPixelPurple, 39, 69 },
        { kPixelBlue, 70, 89 }, { kPixelRed, 90, 99 } };
    for (int x = kNewLeft; x <= kNewRight; ++x)
        EXPECT_EQ(ColumnRuns(picture(*chart), x), expected) << "column " << x;
    EXPECT_EQ(ColumnRuns(picture(*chart), kNewLeft - 1), (std::vector<ColorRun> { { kPixelBlack, 0, 99 } }));
}

TEST(GraphColumn, ZeroValuesAreNotDrawn)
{
    auto bars = makeChart(pgBar);
    bars->DataPoint(kColorRed, 0);
    bars->DataPoint(kColorBlue, 30);
    bars->Update();
    EXPECT_EQ(ColumnRuns(picture(*bars), kNewLeft),
        (std::vector<ColorRun> { { kPixelBlack, 0, 68 }, { kPixelBlue, 69, 99 } }));

    auto lines = makeChart(pgLine);
    lines->DataPoint(kColorRed, 50);
    lines->DataPoint(kColorBlue, 10);
    lines->Update();
    lines->DataPoint(kColorRed, 0);
    lines->DataPoint(kColorBlue, 10);
    lines->Update();
    EXPECT_EQ(RowSpanOf(picture(*lines), kPixelRed, kNewLeft, kNewRight).top, -1);
    EXPECT_NE(RowSpanOf(picture(*lines), kPixelRed, kNewLeft - 3, kNewLeft - 1).top, -1);
}

TEST(GraphColumn, LineJoinsThePreviousValueOfItsSeriesAndStartsAfreshAfterAGap)
{
    auto chart = makeChart(pgLine);
    chart->DataPoint(kColorRed, 50); // no red before: a start at its value, not a rise from the bottom
    chart->Update();
    RowSpan span = RowSpanOf(picture(*chart), kPixelRed, kNewLeft, kNewRight);
    EXPECT_GE(span.top, 49);
    EXPECT_LE(span.bottom, 51);

    chart->DataPoint(kColorBlue, 5); // another series first: the match goes by colour
    chart->DataPoint(kColorRed, 80);
    chart->Update();
    span = RowSpanOf(picture(*chart), kPixelRed, kNewLeft, kNewRight);
    EXPECT_EQ(span.bottom, 50);
    EXPECT_GE(span.top, 20);
    EXPECT_LE(span.top, 22);

    // A band without red is a gap: nothing drawn across it, and the line after it starts afresh.
    chart->DataPoint(kColorBlue, 5);
    chart->Update();
    EXPECT_EQ(RowSpanOf(picture(*chart), kPixelRed, kNewLeft, kNewRight).top, -1);
    chart->DataPoint(kColorRed, 100);
    chart->Update();
    span = RowSpanOf(picture(*chart), kPixelRed, kNewLeft, kNewRight);
    EXPECT_LE(span.top, 1); // full height reaches the top
    EXPECT_LE(span.bottom, 2);
}

TEST(GraphColumn, NegativeOnlyHistoryDrawsNothing)
{
    for (const TGraphKind kind : { pgBar, pgLine }) {
        auto chart = makeChart(kind);
        chart->DataPoint(kColorRed, -5);
        chart->DataPoint(kColorBlue, std::numeric_limits<int>::min());
        chart->Update();
        EXPECT_EQ(chart->Scale(), 0);
        chart->Update();
        chart->Replay();
        EXPECT_EQ(CountColor(picture(*chart), kPixelRed), 0);
        EXPECT_EQ(CountColor(picture(*chart), kPixelBlue), 0);
    }
}

TEST(GraphColumn, ExtremeValuesStayWithinTheChart)
{
    auto chart = makeChart(pgBar);
    chart->DataPoint(kColorBlue, std::numeric_limits<int>::min());
    chart->DataPoint(kColorRed, std::numeric_limits<int>::max());
    chart->Update();
    EXPECT_EQ(chart->Scale(), std::numeric_limits<int>::max());
    EXPECT_EQ(ColumnRuns(picture(*chart), kNewLeft), (std::vector<ColorRun> { { kPixelRed, 0, 99 } }));
}

// --- Scale ----------------------------------------------------------------------------------

TEST(GraphScale, FollowsTheLargestValueInTheWholeRing)
{
    TPerformanceGraph chart;
    chart.SetGridlines(false);
    chart.SetGradient(10);
    int changes = 0;
    QObject::connect(&chart, &TPerformanceGraph::OnScaleChange, [&](TPerformanceGraph* sender) {
        EXPECT_EQ(sender, &chart);
        ++changes;
    });
    chart.DataPoint(kColorRed, 123);
    chart.Update();
    EXPECT_EQ(chart.Scale(), 130);
    EXPECT_EQ(changes, 1);
    // Redrawn at the new scale: 123 of 130 is 94 of the 100 pixels, so the point lies on row 6.
    EXPECT_EQ(RowSpanOf(picture(chart), kPixelRed, kNewLeft, kNewRight).top, 6);

    const int keptFor = chart.BandSlots() - 2;
    for (int i = 0; i < keptFor; ++i) {
        chart.DataPoint(kColorRed, 120);
        chart.Update();
        ASSERT_EQ(chart.Scale(), 130) << "after " << i + 1 << " samples of 120";
    }
    chart.DataPoint(kColorRed, 120);
    chart.Update();
    EXPECT_EQ(chart.Scale(), 120);
    EXPECT_EQ(changes, 2);
}

TEST(GraphScale, SettersRoundAndClamp)
{
    TPerformanceGraph chart;
    int changes = 0;
    QObject::connect(&chart, &TPerformanceGraph::OnScaleChange, [&] { ++changes; });
    chart.SetScale(1001);
    EXPECT_EQ(chart.Scale(), 1100);
    chart.SetScale(1050); // rounds to the present scale: no change to report
    EXPECT_EQ(changes, 1);
    chart.SetGridSize(1);
    EXPECT_EQ(chart.GridSize(), 2);
    chart.SetStepSize(0);
    EXPECT_EQ(chart.StepSize(), 1);
    EXPECT_EQ(chart.BandSlots(), 102);
}

// --- Size and history -----------------------------------------------------------------------

TEST(GraphSize, HistoryFollowsTheWidth)
{
    TPerformanceGraph chart;
    chart.SetGridlines(false);
    chart.SetGradient(1000);
    for (int v = 1; v <= 30; ++v) {
        chart.DataPoint(v == 30 ? kColorBlue : kColorRed, v);
        chart.Update();
    }
    ASSERT_EQ(chart.BandSlots(), 35);

    chart.resize(130, 100);
    chart.Paint();
    ASSERT_EQ(chart.BandSlots(), 45);
    std::vector<int> expected(45 - 31, 0);
    for (int v = 1; v <= 30; ++v)
        expected.push_back(v);
    expected.push_back(0);
    EXPECT_EQ(firstValues(chart.Bands()), expected);
    // The newest band still takes the rightmost column.
    EXPECT_NE(RowSpanOf(picture(chart), kPixelBlue, 127, 129).top, -1);
    EXPECT_EQ(picture(chart).width(), 130);

    chart.resize(40, 100);
    chart.Paint();
    ASSERT_EQ(chart.BandSlots(), 15);
    expected.assign({ 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 0 });
    EXPECT_EQ(firstValues(chart.Bands()), expected);

    chart.SetStepSize(5); // 8 bands of 5 pixels
    EXPECT_EQ(chart.BandSlots(), 10);
    EXPECT_EQ(firstValues(chart.Bands()).back(), 0);
    EXPECT_EQ(firstValues(chart.Bands()).front(), 22);
}

TEST(GraphSize, NarrowerThanOneStepShowsOnlyItsBackground)
{
    TPerformanceGraph chart;
    chart.SetBackColor(kColorBlue);
    chart.SetStepSize(5);
    chart.resize(4, 30);
    chart.Paint();
    EXPECT_EQ(chart.GetBandCount(), 0);
    chart.DataPoint(kColorRed, 10);
    chart.Update();
    chart.Update();
    chart.Replay();
    EXPECT_EQ(CountColor(picture(chart), kPixelBlue), 4 * 30);
}

TEST(GraphSize, RepaintCopiesTheComposedPicture)
{
    auto chart = makeChart(pgLine);
    chart->SetGridlines(true);
    chart->DataPoint(kColorRed, 40);
    chart->Update();
    EXPECT_EQ(AsRgb32(chart->grab().toImage()), picture(*chart));
}

// --- Scrolling against a full redraw --------------------------------------------------------

struct ScrollCase {
    TGraphKind kind;
    int width;
    int step;
    int grid;
};

class GraphScroll : public ::testing::TestWithParam<ScrollCase> { };

// The picture built sample by sample must equal the one redrawn from history: the same
// columns for the same bands, the grid lines where scrolling has carried them.
TEST_P(GraphScroll, MatchesAReplayOfTheHistory)
{
    const ScrollCase c = GetParam();
    TPerformanceGraph chart;
    chart.resize(c.width, 60);
    chart.SetForeColor(kColorPurple);
    chart.SetGraphKind(c.kind);
    chart.SetStepSize(c.step);
    chart.SetGridSize(c.grid);
    chart.SetScale(100);
    chart.Paint();
    unsigned seed = 7;
    const auto nextValue = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % 100) + 1;
    };
    const int samples = chart.BandSlots() + 7;
    for (int i = 0; i < samples; ++i) {
        chart.DataPoint(kColorRed, nextValue());
        if (i % 3 != 0)
            chart.DataPoint(kColorBlue, nextValue());
        chart.Update();
        ASSERT_EQ(chart.Scale(), 100);
    }
    const QImage scrolled = picture(chart);
    chart.Replay();
    const QImage replayed = picture(chart);
    const int firstColumn = c.width % c.step;
    const QRect compared(firstColumn, 0, c.width - firstColumn, 60);
    EXPECT_EQ(scrolled.copy(compared), replayed.copy(compared));
    EXPECT_GT(CountColor(replayed, kPixelRed), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, GraphScroll,
    ::testing::Values(ScrollCase { pgLine, 100, 3, 15 }, ScrollCase { pgBar, 100, 3, 15 },
        ScrollCase { pgLine, 97, 4, 10 }, ScrollCase { pgBar, 50, 1, 2 }, ScrollCase { pgLine, 80, 7, 5 },
        ScrollCase { pgBar, 81, 9, 2 }, ScrollCase { pgLine, 5, 3, 2 }),
    [](const auto& row) {
        const ScrollCase& c = row.param;
        return std::string(c.kind == pgBar ? "Bar" : "Line") + "Width" + std::to_string(c.width) + "Step"
            + std::to_string(c.step) + "Grid" + std::to_string(c.grid);
    });

} // namespace
