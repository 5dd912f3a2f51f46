#include "controls/OffscreenImage.h"

#include <QWidget>

bool ImageFitsWidget(const QImage& image, const QWidget& widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    return image.size() == widget.size() * ratio && image.devicePixelRatio() == ratio;
}

QImage ImageForWidget(const QWidget& widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}
