#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// What the settings windows share: a black window with white texts, shown modelessly and
// hidden (never destroyed) when it is closed or confirmed, which reports refused input in a
// message box that tests capture instead.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(const char* objectName, const QString& caption, QSize size, QWidget* parent);

protected:
    QLabel* AddLabel(const QString& text, const QRect& rect);
    QPushButton* AddButton(const char* objectName, const QString& text, const QRect& rect);
    virtual void ShowMessage(const QString& text);
};
