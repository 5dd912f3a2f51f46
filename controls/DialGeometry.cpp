#include "controls/DialGeometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFullTurn = 2 * kPi;
constexpr double kScaleStart = 7 * kPi / 4; // lower left, between 7 and 8 o'clock
constexpr double kScaleSweep = 3 * kPi / 2; // 270 degrees, clockwise over the top
constexpr double kNeedleZeroOffset = kPi / 4; // the scale start lies 45 degrees below 9 o'clock
constexpr double kPercentToFraction = 0.01;

constexpr int kBorderMargin = 1;
constexpr int kTickInset = 5;
constexpr int kNeedleBodyInset = 12;
constexpr int kNeedleCoreInset = 10;
constexpr int kHubInset = 20;
constexpr int kQuarterDivisor = 4;
constexpr int kBoxHalfWidthDivisor = 3;
constexpr int kBoxTopNumerator = 5;
constexpr int kBoxTopDenominator = 8;
constexpr int kTitleTopNumerator = 13;
constexpr int kTitleTopDenominator = 16;
constexpr int kDigitShrink = 4;

} // namespace

EdgeBox GaugePaintRect(QSize control, TBorderStyle style)
{
    EdgeBox box { 0, 0, control.width(), control.height() };
    if (style == bsSingle) {
        box.left += kBorderMargin;
        box.top += kBorderMargin;
        box.right -= kBorderMargin;
        box.bottom -= kBorderMargin;
    }
    return box;
}

DialGeometry ComputeDialGeometry(QSize control, const EdgeBox& paintRect)
{
    const int width = control.width();
    const int height = control.height();
    DialGeometry g;
    const int cx = width / 2;
    const int cy = height / 2;
    g.centre = QPoint(cx, cy);
    g.quarter = cy / kQuarterDivisor;
    g.face = paintRect;
    g.hub = EdgeBox { paintRect.left + kHubInset, paintRect.top + kHubInset, width - kHubInset,
        height - kHubInset };
    g.tick = Radii { cx - kTickInset, cy - kTickInset };
    g.needleBody = Radii { cx - kNeedleBodyInset, cy - kNeedleBodyInset };
    g.needleCore = Radii { cx - kNeedleCoreInset, cy - kNeedleCoreInset };
    const int halfWidth = cx / kBoxHalfWidthDivisor;
    const int boxTop = height * kBoxTopNumerator / kBoxTopDenominator;
    g.valueBox = EdgeBox { cx - halfWidth, boxTop, cx + halfWidth, boxTop + g.quarter };
    g.boxCorner = QSize(halfWidth / 2, g.quarter / 2);
    g.digitPixelSize = g.quarter - kDigitShrink;
    g.titleTop = height * kTitleTopNumerator / kTitleTopDenominator;
    return g;
}

std::vector<double> DialTickAngles(int nTicks)
{
    std::vector<double> angles;
    if (nTicks < 1)
        return angles;
    // One tick has no step to divide the sweep into: it marks the start of the scale.
    const double step = nTicks > 1 ? kScaleSweep / (nTicks - 1) : 0.0;
    angles.reserve(static_cast<std::size_t>(nTicks));
    double angle = kScaleStart;
    for (int i = 0; i < nTicks; ++i) {
        angles.push_back(angle);
        angle += step;
    }
    return angles;
}

double DialScaleAngle(double fraction)
{
    return fraction * kScaleSweep - kNeedleZeroOffset;
}

double DialNeedleAngle(int percent)
{
    double angle = DialScaleAngle(percent * kPercentToFraction);
    if (angle < 0)
        angle += kFullTurn;
    return angle;
}

QPoint DialPoint(QPoint centre, double angle, Radii radii)
{
    return QPoint(static_cast<int>(std::trunc(centre.x() - std::cos(angle) * radii.x)),
        static_cast<int>(std::trunc(centre.y() - std::sin(angle) * radii.y)));
}
