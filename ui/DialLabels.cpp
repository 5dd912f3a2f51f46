#include "ui/DialLabels.h"

#include "controls/DialGeometry.h"

#include <algorithm>
#include <cmath>

QRect DialLabelRect(QPoint centre, int clearRadius, double angle, QSize textSize)
{
    // Direction from the centre towards the tick, in the dial's convention (angle from 9 o'clock,
    // clockwise on screen).
    const double dx = -std::cos(angle);
    const double dy = -std::sin(angle);
    // Half the box's extent along that direction: the distance from the box centre to the box
    // edge nearest the dial centre.
    const double halfExtent = (std::abs(dx) * textSize.width() + std::abs(dy) * textSize.height()) / 2.0;
    const double distance = clearRadius + halfExtent;
    const double cx = centre.x() + dx * distance;
    const double cy = centre.y() + dy * distance;
    const int left = static_cast<int>(std::lround(cx - textSize.width() / 2.0));
    const int top = static_cast<int>(std::lround(cy - textSize.height() / 2.0));
    return QRect(QPoint(left, top), textSize);
}

std::vector<QRect> DialLabelRects(
    QPoint centre, int clearRadius, int nTicks, const std::vector<QSize>& textSizes)
{
    const std::vector<double> angles = DialTickAngles(nTicks);
    const std::size_t count = std::min(angles.size(), textSizes.size());
    std::vector<QRect> rects;
    rects.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        rects.push_back(DialLabelRect(centre, clearRadius, angles[i], textSizes[i]));
    return rects;
}
