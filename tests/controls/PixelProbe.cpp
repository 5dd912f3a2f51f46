#include "PixelProbe.h"

bool HasColorNear(const QImage& image, QPoint centre, QRgb color, int radius)
{
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y) {
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
            if (image.valid(x, y) && image.pixel(x, y) == color)
                return true;
        }
    }
    return false;
}

std::vector<ColorRun> ColumnRuns(const QImage& image, int x)
{
    std::vector<ColorRun> runs;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb color = image.pixel(x, y);
        if (!runs.empty() && runs.back().color == color)
            runs.back().last = y;
        else
            runs.push_back(ColorRun { color, y, y });
    }
    return runs;
}

RowSpan RowSpanOf(const QImage& image, QRgb color, int left, int right)
{
    RowSpan span;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = left; x <= right; ++x) {
            if (image.pixel(x, y) != color)
                continue;
            if (span.top < 0)
                span.top = y;
            span.bottom = y;
        }
    }
    return span;
}

int CountColor(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    }
    return count;
}

QImage AsRgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}
