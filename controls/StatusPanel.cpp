#include "controls/StatusPanel.h"

#include <QPainter>
#include <QStyle>

StatusPanel::StatusPanel(int designWidth, const QString& text, QWidget* parent)
    : QLabel(text, parent)
    , m_designWidth(designWidth)
{
}

QSize StatusPanel::minimumSizeHint() const
{
    const QSize needed = QLabel::minimumSizeHint();
    return { qMax(m_designWidth, needed.width()), needed.height() };
}

int StatusPanel::TextRoom() const
{
    return contentsRect().width() - 2 * margin();
}

QString StatusPanel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextRoom());
}

void StatusPanel::paintEvent(QPaintEvent* event)
{
    UpdateToolTip();
    const QString shown = ShownText();
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect().adjusted(margin(), margin(), -margin(), -margin()),
        QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(), shown,
        foregroundRole());
}

void StatusPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void StatusPanel::UpdateToolTip()
{
    // A tool tip the panel's owner set is left alone; only the one that shows a shortened text whole
    // comes and goes with the shortening.
    if (ShownText() != text()) {
        if (toolTip().isEmpty() || toolTip() == m_wholeTextTip) {
            m_wholeTextTip = text();
            setToolTip(m_wholeTextTip);
        }
    } else if (!m_wholeTextTip.isEmpty() && toolTip() == m_wholeTextTip) {
        m_wholeTextTip.clear();
        setToolTip({});
    }
}
