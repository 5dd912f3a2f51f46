#include "controls/KodraGauge.h"
#include "PixelProbe.h"
#include "controls/GaugeBands.h"
#include "tests/support/WarningsCaught.h"

#include <QPalette>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <string>

namespace {

constexpr int kSmallSide = 115;

std::unique_ptr<TKodraGauge> makeDial(int side, TBorderStyle style, int maxValue)
{
    auto gauge = std::make_unique<TKodraGauge>();
    gauge->resize(side, side);
    gauge->SetBorderStyle(style);
    gauge->SetMaxValue(maxValue);
    gauge->Paint();
    return gauge;
}

QImage render(TKodraGauge& gauge)
{
    return AsRgb32(gauge.grab().toImage());
}

QImage valueBoxOf(const QImage& image, const TKodraGauge& gauge)
{
    const DialGeometry g
        = ComputeDialGeometry(gauge.size(), GaugePaintRect(gauge.size(), gauge.BorderStyle()));
    return image.copy(g.valueBox.toRect());
}

// --- Needle and ticks -------------------------------------------------------------------

struct NeedleCase {
    int percent;
    int tickIndex; // of an 11-tick dial
};

class DialNeedle : public ::testing::TestWithParam<NeedleCase> { };

TEST_P(DialNeedle, LiesOnItsTickAndNowhereElse)
{
    const NeedleCase c = GetParam();
    auto gauge = makeDial(kSmallSide, bsSingle, 100);
    gauge->SetProgress(c.percent);
    const QImage image = render(*gauge);
    const QPoint centre(57, 57);
    const std::vector<double> ticks = DialTickAngles(11);

    for (int tick = 0; tick < 11; tick += 5) {
        const QPoint onNeedle = DialPoint(centre, ticks[static_cast<std::size_t>(tick)], Radii { 40, 40 });
        EXPECT_EQ(HasColorNear(image, onNeedle, kPixelRed, 1), tick == c.tickIndex) << "tick " << tick;
    }
    // Beyond the needle's tip the tick mark itself shows, in line with the needle.
    const double angle = ticks[static_cast<std::size_t>(c.tickIndex)];
    EXPECT_TRUE(HasColorNear(image, DialPoint(centre, angle, Radii { 50, 50 }), kPixelWhite, 1));
    EXPECT_NEAR(std::remainder(DialNeedleAngle(c.percent) - angle, 2 * std::numbers::pi), 0.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(StartMiddleEnd, DialNeedle,
    ::testing::Values(NeedleCase { 0, 0 }, NeedleCase { 50, 5 }, NeedleCase { 100, 10 }),
    [](const auto& row) { return "Percent" + std::to_string(row.param.percent); });

// Counts the tick marks crossing a circle between the needle tip and the rim.
int countTickMarks(const QImage& image, QPoint centre, int radius)
{
    constexpr int kSamples = 1440;
    int marks = 0;
    bool previous = image.pixel(DialPoint(centre, 0.0, Radii { radius, radius })) == kPixelWhite;
    for (int i = 1; i <= kSamples; ++i) {
        const double angle = 2 * std::numbers::pi * i / kSamples;
        const bool white = image.pixel(DialPoint(centre, angle, Radii { radius, radius })) == kPixelWhite;
        if (white && !previous)
            ++marks;
        previous = white;
    }
    return marks;
}

class DialTicks : public ::testing::TestWithParam<std::pair<int, int>> { };

TEST_P(DialTicks, DrawsOneMarkPerTick)
{
    const auto [ticks, marks] = GetParam();
    auto gauge = makeDial(kSmallSide, bsSingle, 100);
    gauge->SetnTicks(ticks);
    EXPECT_EQ(countTickMarks(render(*gauge), QPoint(57, 57), 50), marks);
}

INSTANTIATE_TEST_SUITE_P(Counts, DialTicks,
    ::testing::Values(std::pair { 0, 0 }, std::pair { -3, 0 }, std::pair { 1, 1 }, std::pair { 2, 2 },
        std::pair { 9, 9 }, std::pair { 13, 13 }),
    [](const auto& row) { return "Ticks" + std::to_string(row.index); });

TEST(DialTicks, SingleTickMarksTheStartOfTheScale)
{
    auto gauge = makeDial(kSmallSide, bsSingle, 100);
    gauge->SetProgress(100); // keep the needle off the start
    gauge->SetnTicks(1);
    const QImage image = render(*gauge);
    EXPECT_TRUE(HasColorNear(
        image, DialPoint(QPoint(57, 57), DialTickAngles(1).front(), Radii { 50, 50 }), kPixelWhite, 1));
}

// The hub hides the inner part of every tick line, leaving short marks near the rim; drawing the
// bands first must not take the hub's fill away.
TEST(DialTicks, AreShortMarksNearTheRimWithOrWithoutBands)
{
    constexpr int kTicks = 9;
    for (const bool banded : { false, true }) {
        auto gauge = makeDial(kSmallSide, bsSingle, 100);
        gauge->SetBackColor(kColorBlack); // white ticks on a black face, as on the dashboard
        gauge->SetnTicks(kTicks);
        if (banded)
            gauge->SetBands(GaugeBands { {}, {}, 60.0, 80.0 });
        const QImage image = render(*gauge);
        EXPECT_EQ(countTickMarks(image, QPoint(57, 57), 6), 0) << (banded ? "with bands" : "without");
        EXPECT_EQ(countTickMarks(image, QPoint(57, 57), 50), kTicks) << (banded ? "with bands" : "without");
    }
}

// --- Value box and repaint rules ------------------------------------------------------------

TEST(DialValueBox, ShowsTheClampedValue)
{
    struct Case {
        int requested;
        int clamped;
        int neighbour; // a value whose picture must differ
    };
    for (const Case c : { Case { 150, 100, 99 }, Case { -50, 0, 1 } }) {
        auto requested = makeDial(kSmallSide, bsSingle, 100);
        auto direct = makeDial(kSmallSide, bsSingle, 100);
        auto neighbour = makeDial(kSmallSide, bsSingle, 100);
        requested->SetProgress(c.clamped == 0 ? 1 : 0); // start away from the clamped value
        requested->SetProgress(c.requested);
        direct->SetProgress(c.clamped);
        neighbour->SetProgress(c.neighbour);
        EXPECT_EQ(requested->Progress(), c.clamped);
        EXPECT_EQ(render(*requested), render(*direct)) << c.requested;
        EXPECT_NE(valueBoxOf(render(*direct), *direct), valueBoxOf(render(*neighbour), *neighbour));
    }
}

// 3390 and 3414 rpm lie in one whole percent of an 8000 rpm dial: the needle stays, but the box
// must say the value the ECU says now.
TEST(DialValueBox, AMoveWithinOnePercentShowsTheNewValueInTheBox)
{
    auto gauge = makeDial(kSmallSide, bsSingle, 8000);
    auto reference = makeDial(kSmallSide, bsSingle, 8000);
    auto before = makeDial(kSmallSide, bsSingle, 8000);
    gauge->SetProgress(3390);
    before->SetProgress(3390);
    reference->SetProgress(3414);
    ASSERT_EQ(gauge->GetPercentDone(), reference->GetPercentDone());
    const int composed = gauge->ComposeCount();

    gauge->SetProgress(3414);
    EXPECT_EQ(gauge->ComposeCount(), composed + 1);
    EXPECT_EQ(render(*gauge), render(*reference));
    EXPECT_NE(valueBoxOf(render(*gauge), *gauge), valueBoxOf(render(*before), *before));

    gauge->SetProgress(3414); // the same value again: nothing to paint
    EXPECT_EQ(gauge->ComposeCount(), composed + 1);
}

TEST(DialValueBox, AddProgressClampsAndAlwaysRepaints)
{
    auto gauge = makeDial(kSmallSide, bsSingle, 100);
    gauge->SetProgress(95);
    const int composed = gauge->ComposeCount();
    gauge->AddProgress(std::numeric_limits<int>::max());
    EXPECT_EQ(gauge->Progress(), 100);
    EXPECT_EQ(gauge->ComposeCount(), composed + 1);
    gauge->AddProgress(0);
    EXPECT_EQ(gauge->ComposeCount(), composed + 2);
}

TEST(GaugeSetters, RepaintOnlyWhenTheValueChanges)
{
    struct Case {
        const char* name;
        std::function<void(TKodraGauge&)> set;
    };
    const std::vector<Case> cases {
        { "Kind", [](TKodraGauge& g) { g.SetTKodraGaugeKind(kgkPie); } },
        { "nTicks", [](TKodraGauge& g) { g.SetnTicks(9); } },
        { "GTitle", [](TKodraGauge& g) { g.SetGTitle(QStringLiteral("RPM")); } },
        { "ShowText", [](TKodraGauge& g) { g.SetShowText(false); } },
        { "BorderStyle", [](TKodraGauge& g) { g.SetBorderStyle(bsNone); } },
        { "ForeColor", [](TKodraGauge& g) { g.SetForeColor(kColorRed); } },
        { "BackColor", [](TKodraGauge& g) { g.SetBackColor(kColorWhite); } },
        { "NeedleColor1", [](TKodraGauge& g) { g.SetNeedleColor1(kColorYellow); } },
        { "NeedleColor2", [](TKodraGauge& g) { g.SetNeedleColor2(kColorRed); } },
        { "BorderColor", [](TKodraGauge& g) { g.SetBorderColor(kColorWhite); } },
        { "LCDColor", [](TKodraGauge& g) { g.SetLCDColor(kColorWhite); } },
        { "Color", [](TKodraGauge& g) { g.SetColor(kColorBlue); } },
        { "MinValue", [](TKodraGauge& g) { g.SetMinValue(10); } },
    };
    for (const Case& c : cases) {
        TKodraGauge gauge;
        const int before = gauge.ComposeCount();
        c.set(gauge);
        EXPECT_EQ(gauge.ComposeCount(), before + 1) << c.name;
        c.set(gauge);
        EXPECT_EQ(gauge.ComposeCount(), before + 1) << c.name << " repeated";
    }
}

// --- Range and percentage -------------------------------------------------------------------

TEST(GaugeRange, BoundPastTheOtherIsRefusedAndChangesNothing)
{
    struct Case {
        std::function<void(TKodraGauge&)> set;
        std::optional<QString> problem;
        QString message;
    };
    const std::vector<Case> cases {
        { [](TKodraGauge& g) { g.SetMinValue(101); }, TKodraGauge::MinValueProblem(101, 100),
            "Value must be between -2147483647 and 99" },
        { [](TKodraGauge& g) { g.SetMaxValue(-5); }, TKodraGauge::MaxValueProblem(-5, 0),
            "Value must be between 1 and 2147483647" },
    };
    for (const Case& c : cases) {
        TKodraGauge gauge;
        gauge.SetMaxValue(100);
        gauge.SetProgress(40);
        const int composed = gauge.ComposeCount();
        {
            const WarningsCaught warnings;
            c.set(gauge);
            ASSERT_EQ(WarningsCaught::Caught().size(), 1) << c.message.toStdString();
            EXPECT_TRUE(WarningsCaught::Caught().front().endsWith(c.message))
                << WarningsCaught::Caught().front().toStdString();
        }
        EXPECT_EQ(c.problem, c.message);
        EXPECT_EQ(gauge.MinValue(), 0);
        EXPECT_EQ(gauge.MaxValue(), 100);
        EXPECT_EQ(gauge.Progress(), 40);
        EXPECT_EQ(gauge.ComposeCount(), composed);
    }
    EXPECT_EQ(TKodraGauge::MinValueProblem(100, 100), std::nullopt);
    EXPECT_EQ(TKodraGauge::MaxValueProblem(0, 0), std::nullopt);
}

TEST(GaugeRange, MessageBoundsAtTheEdgesOfThe32BitRange)
{
    TKodraGauge gauge;
    gauge.SetMinValue(std::numeric_limits<int>::min());
    gauge.SetMaxValue(std::numeric_limits<int>::min());
    const WarningsCaught warnings;
    gauge.SetMinValue(0);
    EXPECT_EQ(gauge.MinValue(), std::numeric_limits<int>::min());
    EXPECT_EQ(TKodraGauge::MinValueProblem(0, gauge.MaxValue()),
        "Value must be between -2147483647 and -2147483649");
    ASSERT_EQ(WarningsCaught::Caught().size(), 1);
    EXPECT_TRUE(
        WarningsCaught::Caught().front().endsWith("Value must be between -2147483647 and -2147483649"));
}

TEST(GaugeRange, RangeChangesCarryTheValueAlong)
{
    TKodraGauge gauge;
    gauge.SetProgress(200);
    gauge.SetMaxValue(0); // ignored: a layout's unset maximum
    EXPECT_EQ(gauge.MaxValue(), 255);
    EXPECT_EQ(gauge.Progress(), 200);
    gauge.SetMaxValue(150);
    EXPECT_EQ(gauge.Progress(), 150);
    gauge.SetMinValue(-20);
    EXPECT_EQ(gauge.Progress(), 150);
    gauge.SetProgress(-10);
    gauge.SetMinValue(30);
    EXPECT_EQ(gauge.Progress(), 30);
}

struct PercentCase {
    int minValue;
    int maxValue;
    int progress;
    int percent;
};

class GaugePercent : public ::testing::TestWithParam<PercentCase> { };

TEST_P(GaugePercent, IsTheWholePercentageRoundedDown)
{
    const PercentCase c = GetParam();
    TKodraGauge gauge;
    gauge.SetMinValue(std::numeric_limits<int>::min());
    gauge.SetMaxValue(c.maxValue);
    gauge.SetMinValue(c.minValue);
    gauge.SetProgress(c.progress);
    EXPECT_EQ(gauge.GetPercentDone(), c.percent);
}

INSTANTIATE_TEST_SUITE_P(Cases, GaugePercent,
    ::testing::Values(PercentCase { 0, 8000, 4079, 50 }, PercentCase { 0, 8000, 4080, 51 },
        PercentCase { -100, 100, -100, 0 }, PercentCase { -100, 100, 1, 50 }, PercentCase { 0, 3, 2, 66 },
        PercentCase { 5, 5, 5, 0 }, PercentCase { -2147483647, 2147483647, 0, 50 },
        PercentCase { 0, 100, 100, 100 }),
    [](const auto& row) { return "Case" + std::to_string(row.index); });

// --- Geometry -------------------------------------------------------------------------------

struct GeometryCase {
    int side;
    TBorderStyle style;
    QPoint centre;
    int tickRadius;
    int bodyRadius;
    int coreRadius;
    EdgeBox valueBox;
    int digits;
    int titleTop;
};

class DialGeometryTable : public ::testing::TestWithParam<GeometryCase> { };

TEST_P(DialGeometryTable, MatchesThePrintedLayout)
{
    const GeometryCase c = GetParam();
    const QSize size(c.side, c.side);
    const DialGeometry g = ComputeDialGeometry(size, GaugePaintRect(size, c.style));
    EXPECT_EQ(g.centre, c.centre);
    EXPECT_EQ(g.tick, (Radii { c.tickRadius, c.tickRadius }));
    EXPECT_EQ(g.needleBody, (Radii { c.bodyRadius, c.bodyRadius }));
    EXPECT_EQ(g.needleCore, (Radii { c.coreRadius, c.coreRadius }));
    EXPECT_EQ(g.valueBox, c.valueBox);
    EXPECT_EQ(g.digitPixelSize, c.digits);
    EXPECT_EQ(g.titleTop, c.titleTop);
}

INSTANTIATE_TEST_SUITE_P(MainWindowDials, DialGeometryTable,
    ::testing::Values(
        GeometryCase { 115, bsSingle, QPoint(57, 57), 52, 45, 47, EdgeBox { 38, 71, 76, 85 }, 10, 93 },
        GeometryCase {
            255, bsNone, QPoint(127, 127), 122, 115, 117, EdgeBox { 85, 159, 169, 190 }, 27, 207 }),
    [](const auto& row) { return "Side" + std::to_string(row.param.side); });

TEST(DialGeometryPoints, AnglesRunClockwiseFromLowerLeft)
{
    const QPoint centre(100, 100);
    const Radii radius { 50, 50 };
    EXPECT_EQ(DialPoint(centre, DialNeedleAngle(0), radius), QPoint(64, 135));
    EXPECT_EQ(DialPoint(centre, DialNeedleAngle(50), radius), QPoint(100, 50));
    EXPECT_EQ(DialPoint(centre, DialNeedleAngle(100), radius), QPoint(135, 135));
    const std::vector<double> ticks = DialTickAngles(10);
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_NEAR(ticks[1] - ticks[0], std::numbers::pi / 6, 1e-12); // every 30 degrees
}

// --- Kinds and surroundings -------------------------------------------------------------------

TEST(GaugeKinds, TextKindPaintsOnlyTheBackgroundInsideTheMargin)
{
    TKodraGauge gauge;
    gauge.SetTKodraGaugeKind(kgkText);
    gauge.SetBackColor(kColorRed);
    const QImage before = render(gauge);
    EXPECT_EQ(before.pixel(0, 0), kPixelBlack);
    EXPECT_EQ(before.pixel(119, 60), kPixelBlack);
    EXPECT_EQ(CountColor(before, kPixelRed), 118 * 118);
    gauge.SetShowText(false);
    EXPECT_EQ(render(gauge), before);
}

TEST(GaugeKinds, BarsFillTheirShareOfTheLength)
{
    TKodraGauge horizontal;
    horizontal.SetTKodraGaugeKind(kgkHorizontalBar);
    horizontal.SetBorderStyle(bsNone);
    horizontal.resize(100, 20);
    horizontal.SetMaxValue(100);
    horizontal.SetProgress(40);
    const QImage across = render(horizontal);
    EXPECT_EQ(across.pixel(39, 10), kPixelWhite);
    EXPECT_EQ(across.pixel(40, 10), kPixelBlack);

    TKodraGauge vertical;
    vertical.SetTKodraGaugeKind(kgkVerticalBar);
    vertical.SetBorderStyle(bsNone);
    vertical.resize(20, 100);
    vertical.SetMaxValue(100);
    vertical.SetProgress(40);
    const QImage up = render(vertical);
    EXPECT_EQ(up.pixel(10, 61), kPixelWhite);
    EXPECT_EQ(up.pixel(10, 60), kPixelBlack);
}

TEST(GaugeKinds, PieGrowsClockwiseFromNoonAndNeedleSweepsTheUpperHalf)
{
    TKodraGauge pie;
    pie.SetTKodraGaugeKind(kgkPie);
    pie.SetMaxValue(100);
    pie.SetProgress(25);
    const QImage quarter = render(pie);
    EXPECT_EQ(quarter.pixel(90, 30), kPixelWhite);
    EXPECT_EQ(quarter.pixel(30, 30), kPixelBlack);
    EXPECT_EQ(quarter.pixel(90, 90), kPixelBlack);

    TKodraGauge needle;
    needle.SetTKodraGaugeKind(kgkNeedle);
    needle.SetMaxValue(100);
    needle.SetProgress(50);
    const QImage upright = render(needle);
    EXPECT_TRUE(HasColorNear(upright, QPoint(60, 30), kPixelRed, 1));
    EXPECT_FALSE(HasColorNear(upright, QPoint(30, 90), kPixelRed, 3));
}

TEST(GaugeSurround, FollowsTheParentUntilAColourIsSet)
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::green);
    parent.setPalette(palette);
    TKodraGauge gauge(&parent);
    gauge.Paint();
    EXPECT_EQ(render(gauge).pixel(3, 3), QColor(Qt::green).rgb());
    gauge.SetColor(kColorBlue);
    EXPECT_EQ(render(gauge).pixel(3, 3), kPixelBlue);
    EXPECT_FALSE(gauge.ParentColor());
}

// A dial without a current value must not pass its last value off as live: the needle stays
// where it stood but dimmed, and the value box reads the same whatever that value was.
TEST(DialWithoutValue, DimsTheNeedleAndBlanksTheValueUntilItHasOneAgain)
{
    auto low = makeDial(kSmallSide, bsSingle, 100);
    auto high = makeDial(kSmallSide, bsSingle, 100);
    // Away from the ends, whose needles pass the value box's rounded corners.
    low->SetProgress(20);
    high->SetProgress(80);
    const QPoint centre(57, 57);
    const std::vector<double> ticks = DialTickAngles(11);
    const QPoint onLowNeedle = DialPoint(centre, ticks[2], Radii { 40, 40 });
    ASSERT_TRUE(HasColorNear(render(*low), onLowNeedle, kPixelRed, 1));
    ASSERT_NE(valueBoxOf(render(*low), *low), valueBoxOf(render(*high), *high));

    low->SetHasValue(false);
    high->SetHasValue(false);
    const QImage dimmed = render(*low);
    EXPECT_FALSE(HasColorNear(dimmed, onLowNeedle, kPixelRed, 1));
    EXPECT_FALSE(HasColorNear(dimmed, onLowNeedle, kPixelBlack, 0)) << "the needle is still drawn";
    EXPECT_EQ(valueBoxOf(dimmed, *low), valueBoxOf(render(*high), *high));

    low->SetHasValue(true);
    EXPECT_TRUE(HasColorNear(render(*low), onLowNeedle, kPixelRed, 1));
}

} // namespace
