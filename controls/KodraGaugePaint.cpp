// The paint routines of TKodraGauge, one per kind. Boxes have exclusive right and bottom
// edges; lines leave out their end point, as the drawing rules state them.
#include "controls/KodraGauge.h"

#include "controls/PixelLine.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QtMath>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPercentToFraction = 0.01;
constexpr double kPi = std::numbers::pi;
constexpr double kDegreesPerPercent = 3.6;
constexpr int kQtAngleUnitsPerDegree = 16;
constexpr int kQuarterTurnDegrees = 90;
constexpr int kHalfTurnDegrees = 180;
constexpr int kFullPercent = 100;
constexpr int kThinPen = 1;
constexpr int kRimPen = 3;
constexpr int kNeedleBodyPen = 3;
constexpr int kValueRightInset = 5;
constexpr int kValueTopInset = 2;
// The bands run just inside the rim, under the outer ends of the ticks.
constexpr int kBandPen = 4;
constexpr int kBandInset = 4;
constexpr double kPixelCentre = 0.5;
constexpr QLatin1String kNoValueText("--");

// The share of the face's colour in a needle drawn without a current value.
constexpr int kDimmedFaceParts = 3;
constexpr int kDimmedAllParts = 4;

QPen linePen(const QColor& color, int width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QPen linePen(ColorRef color, int width)
{
    return linePen(ColorFromRef(color), width);
}

// The outline of an aliased Qt shape covers one pixel more than its rectangle, and a wide pen
// straddles it: this rectangle keeps the whole outline inside the box.
QRectF outlineRect(const EdgeBox& box, int penWidth)
{
    const double inset = (penWidth - 1) / 2.0;
    return QRectF(
        box.left + inset, box.top + inset, box.width() - 1 - 2 * inset, box.height() - 1 - 2 * inset);
}

void fillBox(QPainter& painter, const EdgeBox& box, ColorRef color)
{
    if (!box.isEmpty())
        painter.fillRect(box.toRect(), ColorFromRef(color));
}

// Text with its top-left corner at the point, on an opaque background.
void drawOpaqueText(
    QPainter& painter, QPoint topLeft, const QString& text, ColorRef textColor, ColorRef background)
{
    painter.setPen(ColorFromRef(textColor));
    painter.setBackground(ColorFromRef(background));
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    painter.setBackgroundMode(Qt::TransparentMode);
}

} // namespace

void TKodraGauge::PaintBackground(QImage& image)
{
    image.fill(Qt::black);
}

int TKodraGauge::filledPercent() const
{
    return m_hasValue ? GetPercentDone() : 0;
}

QColor TKodraGauge::needleColor(ColorRef color) const
{
    const QColor needle = ColorFromRef(color);
    if (m_hasValue)
        return needle;
    const QColor face = ColorFromRef(m_backColor);
    const auto dim = [](int needlePart, int facePart) {
        return (needlePart * (kDimmedAllParts - kDimmedFaceParts) + facePart * kDimmedFaceParts)
            / kDimmedAllParts;
    };
    return QColor(
        dim(needle.red(), face.red()), dim(needle.green(), face.green()), dim(needle.blue(), face.blue()));
}

void TKodraGauge::PaintAsNothing(QPainter& painter, const EdgeBox& rect) const
{
    fillBox(painter, rect, m_backColor);
}

void TKodraGauge::PaintAsBar(QPainter& painter, const EdgeBox& rect) const
{
    const int width = rect.right - rect.left + 1;
    const int height = rect.bottom - rect.top + 1;
    const double fraction = filledPercent() * kPercentToFraction;
    fillBox(painter, rect, m_backColor);
    if (m_kind == kgkHorizontalBar) {
        const int length = std::min(static_cast<int>(std::floor(fraction * width)), width);
        if (length > 0)
            fillBox(painter, EdgeBox { rect.left, rect.top, length, height }, m_foreColor);
    } else {
        int length = static_cast<int>(std::floor(fraction * height));
        if (length >= height)
            length = height - 1;
        fillBox(painter, EdgeBox { rect.left, height - length, width, height }, m_foreColor);
    }
}

void TKodraGauge::PaintAsPie(QPainter& painter, const EdgeBox& rect) const
{
    const int extra = m_borderStyle == bsSingle ? 1 : 0;
    const EdgeBox oval { rect.left, rect.top, rect.right - rect.left + extra,
        rect.bottom - rect.top + extra };
    const int percent = filledPercent();
    painter.fillRect(rect.toRect(), surroundColor());
    painter.setPen(linePen(m_foreColor, kThinPen));
    painter.setBrush(ColorFromRef(m_backColor));
    painter.drawEllipse(outlineRect(oval, kThinPen));
    if (percent < 1)
        return;
    // The filled sector grows clockwise from 12 o'clock; at 100 % it is the whole face.
    painter.setBrush(ColorFromRef(m_foreColor));
    if (percent >= kFullPercent) {
        painter.drawEllipse(outlineRect(oval, kThinPen));
        return;
    }
    const double sweep = percent * kDegreesPerPercent;
    painter.drawPie(outlineRect(oval, kThinPen),
        static_cast<int>(std::lround((kQuarterTurnDegrees - sweep) * kQtAngleUnitsPerDegree)),
        static_cast<int>(std::lround(sweep * kQtAngleUnitsPerDegree)));
}

void TKodraGauge::PaintAsNeedle(QPainter& painter, const EdgeBox& rect) const
{
    const int extra = m_borderStyle == bsSingle ? 1 : 0;
    const int width = rect.right - rect.left + extra;
    const int height = rect.bottom - rect.top + extra;
    painter.fillRect(rect.toRect(), surroundColor());
    painter.setBrush(ColorFromRef(m_backColor));
    painter.setPen(linePen(m_borderColor, kThinPen));
    // The upper half of an ellipse standing on the bottom edge, then its base line.
    const EdgeBox oval { rect.left, rect.top, width, 2 * height - 1 };
    painter.drawPie(outlineRect(oval, kThinPen), 0, kHalfTurnDegrees * kQtAngleUnitsPerDegree);
    DrawPixelLine(painter, QPoint(rect.left, rect.bottom), QPoint(rect.left + width, rect.bottom),
        ColorFromRef(m_borderColor));
    const int percent = GetPercentDone();
    if (percent <= 0)
        return;
    const int centreX = this->width() / 2;
    const double angle = percent * kPercentToFraction * kPi;
    const QPoint tip(static_cast<int>(std::floor((1 - std::cos(angle)) * centreX)),
        static_cast<int>(std::floor((1 - std::sin(angle)) * (rect.bottom - 1))));
    DrawPixelLine(painter, QPoint(centreX, rect.bottom - 1), tip, needleColor(m_needleColor1));
}

void TKodraGauge::PaintAs270(QPainter& painter, const EdgeBox& rect) const
{
    const DialGeometry g = ComputeDialGeometry(size(), rect);
    painter.fillRect(rect.toRect(), surroundColor());

    painter.setBrush(ColorFromRef(m_backColor));
    painter.setPen(linePen(m_borderColor, kRimPen));
    painter.drawEllipse(outlineRect(g.face, kRimPen));

    paintDialBands(painter, g);

    const QColor tickColor = ColorFromRef(m_foreColor);
    for (const double angle : DialTickAngles(m_nTicks))
        DrawPixelLine(painter, g.centre, DialPoint(g.centre, angle, g.tick), tickColor);

    // The hub hides the inner part of every tick line, leaving short marks near the rim.
    painter.setPen(linePen(m_backColor, kThinPen));
    painter.drawEllipse(outlineRect(g.hub, kThinPen));

    if (!m_gTitle.isEmpty()) {
        // The title uses the default face, not the control's Font.
        painter.setFont(QApplication::font(this));
        const int titleWidth = QFontMetrics(painter.font(), painter.device()).horizontalAdvance(m_gTitle);
        drawOpaqueText(
            painter, QPoint(g.centre.x() - titleWidth / 2, g.titleTop), m_gTitle, m_foreColor, m_backColor);
    }

    const double needleAngle = DialNeedleAngle(GetPercentDone());
    // Qt strokes a wide aliased line about the pixel corners; half a pixel more puts the body's
    // middle on the pixels that the thin core runs through.
    painter.save();
    painter.translate(kPixelCentre, kPixelCentre);
    painter.setPen(linePen(needleColor(m_needleColor2), kNeedleBodyPen));
    painter.drawLine(g.centre, DialPoint(g.centre, needleAngle, g.needleBody));
    painter.restore();
    DrawPixelLine(
        painter, g.centre, DialPoint(g.centre, needleAngle, g.needleCore), needleColor(m_needleColor1));

    paintDialValue(painter, g);
}

void TKodraGauge::paintDialBands(QPainter& painter, const DialGeometry& g) const
{
    const EdgeBox ring { g.face.left + kBandInset, g.face.top + kBandInset, g.face.right - kBandInset,
        g.face.bottom - kBandInset };
    if (ring.isEmpty())
        return;
    // The hub drawn after the bands fills with the face's brush: it must find it as it was.
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const BandArc& arc : BandArcs(m_bands, m_minValue, m_maxValue)) {
        painter.setPen(linePen(arc.alarm ? kColorRed : kColorAmber, kBandPen));
        // The dial's angles run clockwise from 9 o'clock; Qt's counter-clockwise from 3 o'clock.
        const double start = kHalfTurnDegrees - qRadiansToDegrees(DialScaleAngle(arc.from));
        const double sweep = qRadiansToDegrees(DialScaleAngle(arc.to) - DialScaleAngle(arc.from));
        painter.drawArc(outlineRect(ring, kBandPen),
            static_cast<int>(std::lround(start * kQtAngleUnitsPerDegree)),
            -static_cast<int>(std::lround(sweep * kQtAngleUnitsPerDegree)));
    }
    painter.restore();
}

void TKodraGauge::paintDialValue(QPainter& painter, const DialGeometry& g) const
{
    ColorRef boxColor = m_lcdColor;
    if (m_hasValue && m_alert != GaugeAlert::None)
        boxColor = m_alert == GaugeAlert::Alarm ? kColorRed : kColorAmber;
    painter.setPen(linePen(boxColor, kThinPen));
    painter.setBrush(ColorFromRef(boxColor));
    painter.drawRoundedRect(
        outlineRect(g.valueBox, kThinPen), g.boxCorner.width() / 2.0, g.boxCorner.height() / 2.0);
    if (g.digitPixelSize <= 0)
        return;

    QFont digits = QApplication::font(this);
    digits.setPixelSize(g.digitPixelSize);
    painter.setFont(digits);
    const QString text = m_hasValue ? QString::number(m_progress) : QString(kNoValueText);
    const int textWidth = QFontMetrics(digits, painter.device()).horizontalAdvance(text);
    // A font's line is taller than its pixel size; keep its opaque background within the
    // box's rows instead of letting it spill below the box.
    painter.save();
    painter.setClipRect(QRect(0, g.valueBox.top, width(), g.valueBox.height()));
    drawOpaqueText(painter,
        QPoint(g.valueBox.right - textWidth - kValueRightInset, g.valueBox.top + kValueTopInset), text,
        m_backColor, boxColor);
    painter.restore();
}
