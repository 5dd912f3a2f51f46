#include "ui/MakerLogo.h"

#include "controls/ColorRef.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal RingPenWidth = 3.0;
constexpr qreal RingInset = 2.0;
constexpr qreal BoltPenWidth = 2.0;
constexpr int LetterPixelDivisor = 3; // letter height as a part of the logo's height

// The lightning stroke, top right to bottom left, as fractions of the ring's box.
constexpr QPointF BoltShape[] { { 0.62, 0.12 }, { 0.36, 0.55 }, { 0.58, 0.50 }, { 0.38, 0.88 } };

} // namespace

QPixmap MakerLogo(QSize size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    PaintMakerLogo(painter, size);
    return pixmap;
}

void PaintMakerLogo(QPainter& painter, QSize size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), ColorFromRef(kColorBlack));
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal side = qMin(size.width(), size.height());
    const QRectF ring(RingInset, RingInset, side - 2 * RingInset, side - 2 * RingInset);
    painter.setPen(QPen(ColorFromRef(kColorRed), RingPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);

    QPainterPath bolt;
    for (const QPointF& fraction : BoltShape) {
        const QPointF point(
            ring.left() + ring.width() * fraction.x(), ring.top() + ring.height() * fraction.y());
        if (bolt.elementCount() == 0)
            bolt.moveTo(point);
        else
            bolt.lineTo(point);
    }
    painter.setPen(
        QPen(ColorFromRef(kColorYellow), BoltPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(bolt);

    // The letters beside the ring, when the picture is wide enough for them.
    const QRectF letters(side, 0, size.width() - side, size.height());
    if (letters.width() > 0) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(qMax(1, size.height() / LetterPixelDivisor * 2));
        painter.setFont(font);
        painter.setPen(ColorFromRef(kColorWhite));
        painter.drawText(letters, Qt::AlignCenter, QStringLiteral("KP"));
    }
}
