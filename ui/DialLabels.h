#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Where the figures around a 270-degree dial go: each figure's box is centred on the radial line
// through its tick mark, pushed out just far enough that no corner of the box reaches inside
// `clearRadius`. `centre` is the dial's centre in the coordinates the boxes are wanted in.
QRect DialLabelRect(QPoint centre, int clearRadius, double angle, QSize textSize);

// One box per tick, first tick first; `textSizes` holds the size of each figure's text (extra
// ticks or extra sizes are left out).
std::vector<QRect> DialLabelRects(
    QPoint centre, int clearRadius, int nTicks, const std::vector<QSize>& textSizes);
