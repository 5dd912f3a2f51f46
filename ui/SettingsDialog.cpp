#include "ui/SettingsDialog.h"

#include "controls/ColorRef.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

// The design's margin between the texts and the window's edges.
constexpr int kEdgeMargin = 8;

} // namespace

SettingsDialog::SettingsDialog(const char* objectName, const QString& caption, QSize size, QWidget* parent)
    : QDialog(parent)
    , m_designWidth(size.width())
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    resize(size);
    QPalette palette;
    palette.setColor(QPalette::Window, ColorFromRef(kColorBlack));
    palette.setColor(QPalette::WindowText, ColorFromRef(kColorWhite));
    setPalette(palette);
}

QLabel* SettingsDialog::AddLabel(const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(rect.adjusted(0, 0, std::max(0, label->sizeHint().width() - rect.width()), 0));
    Hold(label->geometry());
    return label;
}

QLabel* SettingsDialog::AddWrappedLabel(const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setGeometry(rect);
    return label;
}

QPushButton* SettingsDialog::AddButton(const char* objectName, const QString& text, const QRect& rect)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(objectName));
    // The style's least width for any button is no part of what the text needs.
    const int textWidth = button->fontMetrics().horizontalAdvance(text)
        + 2
            * (style()->pixelMetric(QStyle::PM_ButtonMargin)
                + style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    QRect placed = rect;
    placed.setWidth(std::max(rect.width(), textWidth));
    placed.moveCenter(rect.center() + QPoint((width() - m_designWidth) / 2, 0));
    button->setGeometry(placed);
    Hold(placed);
    return button;
}

void SettingsDialog::Hold(const QRect& rect)
{
    if (rect.right() + 1 + kEdgeMargin > width())
        resize(rect.right() + 1 + kEdgeMargin, height());
}

void SettingsDialog::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
