#include "controls/PixelLine.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

std::vector<QRect> PixelLineRuns(QPoint from, QPoint to, const QRect& clip, PixelRounding rounding)
{
    const long long dx = to.x() - static_cast<long long>(from.x());
    const long long dy = to.y() - static_cast<long long>(from.y());
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long major = alongX ? std::llabs(dx) : std::llabs(dy);
    const long long minor = alongX ? std::llabs(dy) : std::llabs(dx);
    const int majorStep = (alongX ? dx : dy) >= 0 ? 1 : -1;
    const int minorStep = (alongX ? dy : dx) >= 0 ? 1 : -1;
    const auto pixelAt = [&](long long i) {
        const int along = static_cast<int>(i) * majorStep;
        const long long scaled = rounding == PixelRounding::Nearest ? 2 * i * minor + major : 2 * i * minor;
        const int across = static_cast<int>(scaled / (2 * major)) * minorStep;
        return alongX ? from + QPoint(along, across) : from + QPoint(across, along);
    };

    // The steps whose coordinate along the longer axis lies within the clip.
    const long long start = alongX ? from.x() : from.y();
    const long long clipLow = alongX ? clip.left() : clip.top();
    const long long clipHigh = alongX ? clip.right() : clip.bottom();
    const long long first = std::max(0LL, majorStep > 0 ? clipLow - start : start - clipHigh);
    const long long last = std::min(major, (majorStep > 0 ? clipHigh - start : start - clipLow) + 1);

    std::vector<QRect> runs;
    if (first >= last)
        return runs;
    QPoint runStart = pixelAt(first);
    for (long long i = first + 1; i <= last; ++i) {
        // A run ends where the other coordinate moves on, or at the end of the line.
        const QPoint next = i < major ? pixelAt(i) : to;
        const QPoint previous = pixelAt(i - 1);
        const bool moved = alongX ? next.y() != previous.y() : next.x() != previous.x();
        if (moved || i == last) {
            runs.push_back(spanning(runStart, previous));
            runStart = next;
        }
    }
    return runs;
}

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color, PixelRounding rounding)
{
    const QPaintDevice* device = painter.device();
    const qreal ratio = device->devicePixelRatioF();
    const QRect area(0, 0, static_cast<int>(std::ceil(device->width() / ratio)),
        static_cast<int>(std::ceil(device->height() / ratio)));
    for (const QRect& run : PixelLineRuns(from, to, area, rounding))
        painter.fillRect(run, color);
}
