#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class QColor;
class QPainter;

// One-pixel lines with exact, direction-independent pixel rules: one pixel per step along the
// longer axis, from the start towards the end point with the end point itself left out. (Qt's
// aliased lines leave out whichever end lies lower or further right.)
//
// Rounding the other coordinate towards the start keeps every pixel in the half-open box from
// the start to the end point, so segments joined end to start meet without overlap and a chart
// segment ending on its column's right edge never spills into the next column. Rounding to the
// nearest pixel follows the ideal line most closely, and centres a thin line on a wide one.
enum class PixelRounding : unsigned char { TowardStart, Nearest };

//
// The pixels come grouped into straight runs, which paint as rectangles in logical pixels and
// so stay sharp at any device pixel ratio. Only the part of the line whose steps along the
// longer axis fall within `clip` is produced, so a line running far outside costs nothing.
std::vector<QRect> PixelLineRuns(QPoint from, QPoint to, const QRect& clip, PixelRounding rounding);

// Draws within the painter's device.
void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color,
    PixelRounding rounding = PixelRounding::Nearest);
