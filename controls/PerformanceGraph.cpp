#include "controls/PerformanceGraph.h"

#include "controls/OffscreenImage.h"
#include "controls/PixelLine.h"

#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kConstructionSide = 100;
constexpr int kConstructionGridSize = 15;
constexpr int kConstructionStepSize = 3;
constexpr int kConstructionScale = 1000;
constexpr int kConstructionGradient = 100;
constexpr int kConstructionPenWidth = 2;
constexpr int kSmallestGridSize = 2;
constexpr int kSmallestStepSize = 1;
// Slots beyond the visible bands: the band being filled and one that has scrolled out.
constexpr int kExtraBandSlots = 2;
// Pixel heights are clamped to this far outside the chart: far enough that a clipped line
// keeps its visible slope, near enough for the rasteriser's coordinates.
constexpr double kFarOutside = 1 << 15;
constexpr int kBytesPerPixel = 4;

void drawHorizontalGridLine(QPainter& painter, int left, int right, int y, const QColor& color)
{
    painter.fillRect(QRect(left, y, right - left, 1), color);
}

void drawVerticalGridLine(QPainter& painter, int x, int height, const QColor& color)
{
    painter.fillRect(QRect(x, 0, 1, height), color);
}

} // namespace

TPerformanceGraph::TPerformanceGraph(QWidget* owner)
    : QWidget(owner)
    , m_kind(pgLine)
    , m_foreColor(kColorGreen)
    , m_backColor(kColorBlack)
    , m_gridSize(kConstructionGridSize)
    , m_stepSize(kConstructionStepSize)
    , m_scale(kConstructionScale)
    , m_gradient(kConstructionGradient)
    , m_gridlines(true)
    , m_penWidth(kConstructionPenWidth)
    , m_bands(kConstructionSide / kConstructionStepSize + kExtraBandSlots)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kConstructionSide, kConstructionSide);
    Initialize(m_gridSize - 1);
}

void TPerformanceGraph::SetGraphKind(TGraphKind kind)
{
    storeAndReplay(m_kind, kind);
}
void TPerformanceGraph::SetForeColor(ColorRef color)
{
    storeAndReplay(m_foreColor, color);
}
void TPerformanceGraph::SetBackColor(ColorRef color)
{
    storeAndReplay(m_backColor, color);
}
void TPerformanceGraph::SetGridSize(int size)
{
    storeAndReplay(m_gridSize, std::max(size, kSmallestGridSize));
}
void TPerformanceGraph::SetGradient(int gradient)
{
    storeAndReplay(m_gradient, gradient);
}
void TPerformanceGraph::SetGridlines(bool show)
{
    storeAndReplay(m_gridlines, show);
}
void TPerformanceGraph::SetPenWidth(int width)
{
    storeAndReplay(m_penWidth, width);
}

void TPerformanceGraph::SetStepSize(int size)
{
    const int step = std::max(size, kSmallestStepSize);
    if (step == m_stepSize)
        return;
    m_stepSize = step;
    ReallocHistory();
    Replay();
}

void TPerformanceGraph::SetScale(int scale)
{
    const int rounded = RoundUp(scale, m_gradient);
    if (rounded == m_scale)
        return;
    m_scale = rounded;
    emit OnScaleChange(this);
    Replay();
}

int TPerformanceGraph::RoundUp(int value, int multiple)
{
    if (multiple == 0)
        return value;
    // 64-bit: INT_MIN % -1 and rounding up near INT_MAX must not overflow.
    const long long wide = value;
    if (wide % multiple == 0)
        return value;
    const long long rounded = (wide / multiple + 1) * multiple;
    return static_cast<int>(
        std::clamp<long long>(rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int TPerformanceGraph::GetBandCount() const
{
    return width() / m_stepSize;
}

void TPerformanceGraph::DataPoint(ColorRef color, int value)
{
    if (!m_bands.DataPoint(color, value))
        qWarning() << "TPerformanceGraph: a band holds at most" << GraphBand::kCapacity << "points";
}

void TPerformanceGraph::Update()
{
    syncToSize();
    ScrollGraph();
    m_bands.ShiftY();
    const int scale = RoundUp(m_bands.LargestValue(), m_gradient);
    if (scale != m_scale) {
        SetScale(scale);
        return;
    }
    if (hasColumns()) {
        QPainter painter(&m_graphBitmap);
        DisplayPoints(painter, m_bands.LastY(m_bands.CurrentBand()));
    }
    update();
}

void TPerformanceGraph::Replay()
{
    rebuildPicture();
    update();
}

void TPerformanceGraph::Clear()
{
    m_bands = BandRing(m_bands.BandSlots());
    Replay();
}

void TPerformanceGraph::Paint()
{
    syncToSize();
    update();
}

void TPerformanceGraph::paintEvent(QPaintEvent*)
{
    // A hidden widget gets its resize event late; never show a picture of the wrong size.
    syncToSize();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_graphBitmap);
}

void TPerformanceGraph::resizeEvent(QResizeEvent*)
{
    syncToSize();
}

bool TPerformanceGraph::bitmapFits() const
{
    return ImageFitsWidget(m_graphBitmap, *this);
}

void TPerformanceGraph::syncToSize()
{
    if (m_bands.BandSlots() != GetBandCount() + kExtraBandSlots)
        ReallocHistory();
    if (!bitmapFits())
        rebuildPicture();
}

void TPerformanceGraph::ReallocHistory()
{
    m_bands.Resize(GetBandCount() + kExtraBandSlots);
}

void TPerformanceGraph::rebuildPicture()
{
    Initialize((width() + m_gridPhase) % m_gridSize);
    if (!hasColumns() || m_graphBitmap.isNull())
        return;
    const EdgeBox newColumn = m_newColumn;
    QPainter painter(&m_graphBitmap);
    // Oldest first; the band being filled lands just beyond the right edge, so the newest
    // completed band takes the rightmost column.
    int x = width() - (m_bands.BandSlots() - kExtraBandSlots) * m_stepSize;
    for (int band = m_bands.NextY(m_bands.OldestBand()); band != -1; band = m_bands.NextY(band)) {
        m_newColumn = EdgeBox { x, 0, x + m_stepSize, height() };
        DisplayPoints(painter, band);
        x += m_stepSize;
    }
    m_newColumn = newColumn;
}

void TPerformanceGraph::Initialize(int gridOffset)
{
    if (!bitmapFits())
        m_graphBitmap = ImageForWidget(*this);
    const int w = width();
    const int h = height();
    m_newColumn = EdgeBox { w - m_stepSize, 0, w, h };
    int x = gridOffset;
    while (x < w)
        x += m_gridSize;
    m_gridPhase = x - w;
    if (m_graphBitmap.isNull())
        return;

    m_graphBitmap.fill(ColorFromRef(m_backColor));
    // A chart narrower than one step has no columns and shows only its background.
    if (!m_gridlines || !hasColumns())
        return;
    QPainter painter(&m_graphBitmap);
    const QColor grid = ColorFromRef(m_foreColor);
    for (int y = m_gridSize; y < h; y += m_gridSize)
        drawHorizontalGridLine(painter, 0, w, y, grid);
    for (int gx = gridOffset; gx < w; gx += m_gridSize)
        drawVerticalGridLine(painter, gx, h, grid);
}

void TPerformanceGraph::ScrollGraph()
{
    if (!hasColumns() || m_graphBitmap.isNull())
        return;
    scrollBitmap();
    QPainter painter(&m_graphBitmap);
    painter.fillRect(m_newColumn.toRect(), ColorFromRef(m_backColor));
    const QColor grid = ColorFromRef(m_foreColor);
    if (m_gridlines) {
        for (int y = m_gridSize; y < height(); y += m_gridSize)
            drawHorizontalGridLine(painter, m_newColumn.left, m_newColumn.right, y, grid);
    }
    // A step wider than the grid can pass more than one grid line.
    m_gridPhase -= m_stepSize;
    while (m_gridPhase < 0) {
        if (m_gridlines)
            drawVerticalGridLine(painter, width() + m_gridPhase, height(), grid);
        m_gridPhase += m_gridSize;
    }
}

void TPerformanceGraph::scrollBitmap()
{
    const int shift = static_cast<int>(std::lround(m_stepSize * m_graphBitmap.devicePixelRatio()));
    const int kept = m_graphBitmap.width() - shift;
    if (kept <= 0)
        return;
    const auto keptBytes = static_cast<std::size_t>(kept) * kBytesPerPixel;
    const auto shiftBytes = static_cast<std::size_t>(shift) * kBytesPerPixel;
    for (int y = 0; y < m_graphBitmap.height(); ++y) {
        uchar* line = m_graphBitmap.scanLine(y);
        std::memmove(line, line + shiftBytes, keptBytes);
    }
}

void TPerformanceGraph::DisplayPoints(QPainter& painter, int band)
{
    // With no positive value in the history the scale is 0 (or was set below it); there is
    // no height to map values onto, so nothing is drawn.
    if (m_scale <= 0)
        return;
    const GraphBand& points = m_bands.Band(band);
    const GraphBand& previous = m_bands.Band(m_bands.LastY(band));
    long long base = 0;
    for (int i = 0; i < points.count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const ColorRef color = points.colors[index];
        const int value = points.values[index];
        if (value == 0)
            continue;
        if (m_kind == pgBar) {
            PaintBar(painter, color, base, value - base);
        } else if (m_kind == pgLine) {
            // A series the band before did not hold (a gap in it) starts afresh here rather
            // than with a line up from the bottom.
            int from = value;
            for (int j = 0; j < previous.count; ++j) {
                if (previous.colors[static_cast<std::size_t>(j)] == color) {
                    from = previous.values[static_cast<std::size_t>(j)];
                    break;
                }
            }
            PaintLine(painter, color, from, value);
        }
        base = value;
    }
}

int TPerformanceGraph::pixelHeight(double value) const
{
    const double pixels = value / m_scale * height();
    return static_cast<int>(std::trunc(std::clamp(pixels, -kFarOutside, kFarOutside)));
}

void TPerformanceGraph::PaintBar(QPainter& painter, ColorRef color, long long base, long long height)
{
    const int barHeight = pixelHeight(static_cast<double>(height));
    if (height == 0 || barHeight == 0)
        return;
    const int baseHeight = pixelHeight(static_cast<double>(base));
    const int chartHeight = this->height();
    const EdgeBox bar { m_newColumn.left, chartHeight - baseHeight - barHeight - 1, m_newColumn.right,
        chartHeight - baseHeight };
    if (!bar.isEmpty())
        painter.fillRect(bar.toRect(), ColorFromRef(color));
}

void TPerformanceGraph::PaintLine(QPainter& painter, ColorRef color, int from, int to)
{
    const int chartHeight = height();
    DrawPixelLine(painter, QPoint(m_newColumn.left, chartHeight - pixelHeight(from)),
        QPoint(m_newColumn.right, chartHeight - pixelHeight(to)), ColorFromRef(color),
        PixelRounding::TowardStart);
}
