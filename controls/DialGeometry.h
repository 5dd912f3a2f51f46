#pragma once

#include "controls/GaugeKinds.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// A rectangle given by its edges, the right and bottom edges exclusive, the way the drawing
// rules of the controls state their boxes.
struct EdgeBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    QRect toRect() const { return QRect(left, top, width(), height()); }
    bool operator==(const EdgeBox&) const = default;
};

struct Radii {
    int x = 0;
    int y = 0;
    bool operator==(const Radii&) const = default;
};

// Everything the 270-degree dial needs to know about where things go, in logical pixels.
struct DialGeometry {
    QPoint centre;
    int quarter = 0; // a quarter of the half height: the value box height
    EdgeBox face; // the paint rectangle; the face ellipse is inscribed in it
    EdgeBox hub; // covers the inner part of the tick lines
    Radii tick;
    Radii needleBody;
    Radii needleCore;
    EdgeBox valueBox;
    QSize boxCorner; // corner ellipse of the value box
    int digitPixelSize = 0;
    int titleTop = 0;
};

// The paint rectangle: the whole control, less a 1-pixel margin for bsSingle.
EdgeBox GaugePaintRect(QSize control, TBorderStyle style);

DialGeometry ComputeDialGeometry(QSize control, const EdgeBox& paintRect);

// Angles are in radians from the 9 o'clock direction, increasing clockwise on screen.
// The tick angles, first to last; empty for fewer than one tick.
std::vector<double> DialTickAngles(int nTicks);
double DialNeedleAngle(int percent);
// The angle of a point `fraction` along the scale (0: its start, 1: its end), not wrapped: the
// start lies just below 9 o'clock, at a small negative angle.
double DialScaleAngle(double fraction);
QPoint DialPoint(QPoint centre, double angle, Radii radii);
