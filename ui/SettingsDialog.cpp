#include "ui/SettingsDialog.h"

#include "controls/ColorRef.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

SettingsDialog::SettingsDialog(const char* objectName, const QString& caption, QSize size, QWidget* parent)
    : QDialog(parent)
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
    label->setGeometry(rect);
    return label;
}

QPushButton* SettingsDialog::AddButton(const char* objectName, const QString& text, const QRect& rect)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(rect);
    return button;
}

void SettingsDialog::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
