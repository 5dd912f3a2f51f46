#pragma once

#include <QLabel>

// One panel of a status bar: at least its design width, and wider whenever its text needs it,
// so that a status such as a long log path or "Connected to ECU" is never cut off.
class StatusPanel final : public QLabel {
public:
    StatusPanel(int designWidth, const QString& text, QWidget* parent)
        : QLabel(text, parent)
        , m_designWidth(designWidth)
    {
    }

    QSize minimumSizeHint() const override
    {
        const QSize needed = QLabel::minimumSizeHint();
        return { qMax(m_designWidth, needed.width()), needed.height() };
    }
    QSize sizeHint() const override { return minimumSizeHint(); }

private:
    int m_designWidth;
};
