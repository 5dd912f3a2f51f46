#pragma once

#include <QPainter>
#include <QPixmap>
#include <QSize>

// The side of the square logo its pens were drawn for; other sizes scale it from this one.
inline constexpr int MakerLogoDesignSide = 32;

// The maker's logo of the main window: a red ring with a lightning stroke and the letters "KP".
QPixmap MakerLogo(QSize size);
// The same picture on any device (an image of another size, a vector file), from (0, 0).
void PaintMakerLogo(QPainter& painter, QSize size);
