#include "DashboardRig.h"

#include "controls/DialGeometry.h"
#include "controls/KodraGauge.h"
#include "ui/DialLabels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

namespace {

struct RectCase {
    const char* name;
    double angle;
    QRect expected;
};

std::ostream& operator<<(std::ostream& out, const RectCase& c)
{
    return out << c.name;
}

class DialLabelRectTest : public ::testing::TestWithParam<RectCase> { };

TEST_P(DialLabelRectTest, BoxTouchesTheClearCircleOnTheTickRay)
{
    // Centre (100, 100), nothing inside radius 50, a 20 x 10 figure.
    EXPECT_EQ(DialLabelRect(QPoint(100, 100), 50, GetParam().angle, QSize(20, 10)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Directions, DialLabelRectTest,
    ::testing::Values(RectCase { "NineOClock", 0.0, QRect(30, 95, 20, 10) },
        RectCase { "TwelveOClock", std::numbers::pi / 2, QRect(90, 40, 20, 10) },
        RectCase { "ThreeOClock", std::numbers::pi, QRect(150, 95, 20, 10) },
        RectCase { "SixOClock", 3 * std::numbers::pi / 2, QRect(90, 150, 20, 10) },
        // Lower left, where a 270-degree scale starts: both half sides count, 50 + 15 x 0.7071 out.
        RectCase { "ScaleStart", 7 * std::numbers::pi / 4, QRect(47, 138, 20, 10) }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DialLabels, OneBoxPerTickAtMost)
{
    const std::vector<QSize> sizes(5, QSize(10, 10));
    EXPECT_EQ(DialLabelRects(QPoint(0, 0), 10, 3, sizes).size(), 3u);
    EXPECT_EQ(DialLabelRects(QPoint(0, 0), 10, 9, sizes).size(), 5u);
    EXPECT_TRUE(DialLabelRects(QPoint(0, 0), 10, 0, sizes).empty());
}

// Distance from `point` to the nearest point of `rect`.
double DistanceToRect(QPointF point, const QRectF& rect)
{
    const double dx = std::max({ rect.left() - point.x(), 0.0, point.x() - rect.right() });
    const double dy = std::max({ rect.top() - point.y(), 0.0, point.y() - rect.bottom() });
    return std::hypot(dx, dy);
}

// Every figure sits on the ray through its tick, clear of the rim, inside its panel, reading its
// scale value.
void ExpectFiguresOnTicks(const DashboardRig& rig, const char* dialName, const QStringList& names, int step)
{
    const TKodraGauge* dial = rig.Gauge(dialName);
    const QWidget* panel = dial->parentWidget();
    const QPointF centre = dial->geometry().topLeft() + QPointF(dial->width() / 2, dial->height() / 2);
    const double rimRadius = dial->width() / 2.0 + 1.5;
    const std::vector<double> ticks = DialTickAngles(dial->nTicks());
    ASSERT_EQ(static_cast<int>(ticks.size()), names.size()) << dialName;
    for (int i = 0; i < names.size(); ++i) {
        const QLabel* label = rig.Label(names[i].toLatin1().constData());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), panel);
        EXPECT_EQ(label->text(), QString::number(i * step)) << names[i].toStdString();
        const QRectF box = label->geometry();
        const QPointF offset = box.center() - centre;
        const double along = -std::cos(ticks[i]) * offset.x() - std::sin(ticks[i]) * offset.y();
        const double across = std::cos(ticks[i]) * offset.y() - std::sin(ticks[i]) * offset.x();
        EXPECT_GT(along, 0.0) << names[i].toStdString() << " lies behind the centre";
        EXPECT_LT(std::abs(across), 1.5) << names[i].toStdString() << " is off its tick's ray";
        EXPECT_GE(DistanceToRect(centre, box), rimRadius) << names[i].toStdString() << " overlaps the rim";
        EXPECT_TRUE(panel->rect().contains(label->geometry()))
            << names[i].toStdString() << " leaves its panel";
    }
}

TEST(DialLabels, RevCounterFiguresLineUpWithTheirTicks)
{
    DashboardRig rig;
    QStringList names { "Label1" };
    for (int i = 3; i <= 10; ++i)
        names << QStringLiteral("Label%1").arg(i);
    ExpectFiguresOnTicks(rig, "RevCounter", names, 1);
}

TEST(DialLabels, SpeedoFiguresLineUpWithTheirTicksInBothUnits)
{
    DashboardRig rig;
    QStringList names;
    for (int i = 0; i <= 12; ++i)
        names << QStringLiteral("SpeedoLbl%1").arg(i);
    ExpectFiguresOnTicks(rig, "Speedo", names, 10);
    rig.form->SetSpeedUnits(QStringLiteral("KPH"));
    ExpectFiguresOnTicks(rig, "Speedo", names, 20);
}

} // namespace
