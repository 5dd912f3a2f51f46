#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

// Small readers of rendered control pictures, for checks where a drawing fault would show.

// Pixel values as the pictures hold them.
constexpr QRgb kPixelRed = 0xFFFF0000;
constexpr QRgb kPixelBlue = 0xFF0000FF;
constexpr QRgb kPixelPurple = 0xFF800080;
constexpr QRgb kPixelWhite = 0xFFFFFFFF;
constexpr QRgb kPixelBlack = 0xFF000000;

// True if any pixel within `radius` of `centre` (a square) has the colour.
bool HasColorNear(const QImage& image, QPoint centre, QRgb color, int radius);

// The rows of column x as runs of equal colour, top to bottom.
struct ColorRun {
    QRgb color;
    int first;
    int last;
    bool operator==(const ColorRun&) const = default;
};
std::vector<ColorRun> ColumnRuns(const QImage& image, int x);

// The topmost and bottommost row holding the colour within columns [left, right];
// {-1, -1} when there is none.
struct RowSpan {
    int top = -1;
    int bottom = -1;
};
RowSpan RowSpanOf(const QImage& image, QRgb color, int left, int right);

int CountColor(const QImage& image, QRgb color);

// The picture in 32-bit RGB, so pixels compare as plain numbers.
QImage AsRgb32(const QImage& image);
