#include "controls/KodraGauge.h"

#include "controls/OffscreenImage.h"

#include <QEvent>
#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kConstructionSide = 120;
constexpr int kConstructionMaxValue = 255;
constexpr int kConstructionTicks = 11;
constexpr double kPercentScale = 100.0;
// The outermost bounds the range messages quote; the lowest 32-bit value is left out.
constexpr long long kLowestBound = -std::numeric_limits<int>::max();
constexpr long long kHighestBound = std::numeric_limits<int>::max();

QString rangeMessage(long long low, long long high)
{
    return TKodraGauge::tr("Value must be between %1 and %2").arg(low).arg(high);
}

// A refused bound is ignored, as Qt's own widgets do: the setters are slots, and an exception
// escaping a slot would end the program.
void warnRefused(const QString& problem)
{
    qWarning().noquote() << "TKodraGauge:" << problem;
}

} // namespace

TKodraGauge::TKodraGauge(QWidget* owner)
    : QWidget(owner)
    , m_minValue(0)
    , m_maxValue(kConstructionMaxValue)
    , m_progress(0)
    , m_kind(kgk270)
    , m_showText(true)
    , m_borderStyle(bsSingle)
    , m_foreColor(kColorWhite)
    , m_backColor(kColorBlack)
    , m_needleColor1(kColorRed)
    , m_needleColor2(kColorYellow)
    , m_borderColor(kColorGrey)
    , m_lcdColor(kColorSilver)
    , m_nTicks(kConstructionTicks)
    , m_color(kColorSystemWindow)
    , m_parentColor(true)
{
    // Every pixel is painted from the composed picture, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(kConstructionSide, kConstructionSide);
    compose();
}

void TKodraGauge::SetTKodraGaugeKind(TKodraGaugeKind kind)
{
    storeAndPaint(m_kind, kind);
}
void TKodraGauge::SetnTicks(int ticks)
{
    storeAndPaint(m_nTicks, ticks);
}
void TKodraGauge::SetGTitle(const QString& title)
{
    storeAndPaint(m_gTitle, title);
}
void TKodraGauge::SetShowText(bool show)
{
    storeAndPaint(m_showText, show);
}
void TKodraGauge::SetBorderStyle(TBorderStyle style)
{
    storeAndPaint(m_borderStyle, style);
}
void TKodraGauge::SetForeColor(ColorRef color)
{
    storeAndPaint(m_foreColor, color);
}
void TKodraGauge::SetBackColor(ColorRef color)
{
    storeAndPaint(m_backColor, color);
}
void TKodraGauge::SetNeedleColor1(ColorRef color)
{
    storeAndPaint(m_needleColor1, color);
}
void TKodraGauge::SetNeedleColor2(ColorRef color)
{
    storeAndPaint(m_needleColor2, color);
}
void TKodraGauge::SetBorderColor(ColorRef color)
{
    storeAndPaint(m_borderColor, color);
}
void TKodraGauge::SetLCDColor(ColorRef color)
{
    storeAndPaint(m_lcdColor, color);
}
void TKodraGauge::SetParentColor(bool follow)
{
    storeAndPaint(m_parentColor, follow);
}

void TKodraGauge::SetColor(ColorRef color)
{
    if (color == m_color && !m_parentColor)
        return;
    m_color = color;
    m_parentColor = false;
    Paint();
}

std::optional<QString> TKodraGauge::MinValueProblem(int value, int maxValue)
{
    if (value > maxValue)
        return rangeMessage(kLowestBound, static_cast<long long>(maxValue) - 1);
    return std::nullopt;
}

std::optional<QString> TKodraGauge::MaxValueProblem(int value, int minValue)
{
    if (value < minValue)
        return rangeMessage(static_cast<long long>(minValue) + 1, kHighestBound);
    return std::nullopt;
}

void TKodraGauge::SetMinValue(int value)
{
    if (value == m_minValue)
        return;
    if (const auto problem = MinValueProblem(value, m_maxValue)) {
        warnRefused(*problem);
        return;
    }
    m_minValue = value;
    m_progress = std::max(m_progress, value);
    Paint();
}

void TKodraGauge::SetMaxValue(int value)
{
    // Layouts leave an unset maximum at 0; it must not collapse the range.
    if (value == 0)
        return;
    if (const auto problem = MaxValueProblem(value, m_minValue)) {
        warnRefused(*problem);
        return;
    }
    m_maxValue = value;
    m_progress = std::min(m_progress, value);
    Paint();
}

void TKodraGauge::SetProgress(int value)
{
    // The needle moves by whole percents, but the value box shows the value itself: any change
    // is painted, or the box would hold a number the ECU no longer says.
    const int before = m_progress;
    if (storeProgress(value) || m_progress != before)
        Paint();
}

void TKodraGauge::SetHasValue(bool hasValue)
{
    storeAndPaint(m_hasValue, hasValue);
}

void TKodraGauge::SetBands(const GaugeBands& bands)
{
    storeAndPaint(m_bands, bands);
}

void TKodraGauge::SetAlert(GaugeAlert alert)
{
    storeAndPaint(m_alert, alert);
}

void TKodraGauge::AddProgress(int delta)
{
    storeProgress(static_cast<long long>(m_progress) + delta);
    Paint();
}

bool TKodraGauge::storeProgress(long long value)
{
    const int percentBefore = GetPercentDone();
    m_progress = static_cast<int>(std::clamp<long long>(value, m_minValue, m_maxValue));
    return GetPercentDone() != percentBefore;
}

int TKodraGauge::GetPercentDone() const
{
    if (m_maxValue == m_minValue)
        return 0;
    const double span = static_cast<double>(m_maxValue) - m_minValue;
    const double offset = static_cast<double>(m_progress) - m_minValue;
    return static_cast<int>(std::floor(offset * kPercentScale / span));
}

void TKodraGauge::Paint()
{
    compose();
    update();
}

void TKodraGauge::compose()
{
    if (!pictureFits())
        m_picture = ImageForWidget(*this);
    PaintBackground(m_picture);
    if (!m_picture.isNull()) {
        QPainter painter(&m_picture);
        // Aliased drawing puts every pixel where the geometry says it goes.
        painter.setRenderHint(QPainter::Antialiasing, false);
        const EdgeBox rect = GaugePaintRect(size(), m_borderStyle);
        switch (m_kind) {
        case kgkText:
            PaintAsNothing(painter, rect);
            break;
        case kgkHorizontalBar:
        case kgkVerticalBar:
            PaintAsBar(painter, rect);
            break;
        case kgkPie:
            PaintAsPie(painter, rect);
            break;
        case kgkNeedle:
            PaintAsNeedle(painter, rect);
            break;
        case kgk270:
            PaintAs270(painter, rect);
            break;
        }
    }
    ++m_composeCount;
}

bool TKodraGauge::pictureFits() const
{
    return ImageFitsWidget(m_picture, *this);
}

QColor TKodraGauge::surroundColor() const
{
    return m_parentColor ? palette().color(backgroundRole()) : ColorFromRef(m_color);
}

void TKodraGauge::paintEvent(QPaintEvent*)
{
    // Qt has no event for a move to a screen of another pixel ratio, and a hidden widget
    // gets its resize event late: compose here only when the picture no longer fits.
    if (!pictureFits())
        compose();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

void TKodraGauge::resizeEvent(QResizeEvent*)
{
    if (!pictureFits())
        compose();
}

void TKodraGauge::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && m_parentColor) {
        compose();
        update();
    }
    QWidget::changeEvent(event);
}
