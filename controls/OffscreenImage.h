#pragma once

#include <QImage>

class QWidget;

// The off-screen picture of a control: the control's size in device pixels, tagged with the
// device pixel ratio, so that drawing in logical pixels stays sharp on high-DPI screens.
bool ImageFitsWidget(const QImage& image, const QWidget& widget);
QImage ImageForWidget(const QWidget& widget);
