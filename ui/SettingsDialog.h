#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// What the settings windows share: a black window with white texts, shown modelessly and
// hidden (never destroyed) when it is closed or confirmed, which reports refused input in a
// message box that tests capture instead.
//
// Texts are placed where the design puts them; one that a translation makes longer than its place
// widens it (and the window with it), so no text is cut.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(const char* objectName, const QString& caption, QSize size, QWidget* parent);

protected:
    // A line of text, widened to hold it whole.
    QLabel* AddLabel(const QString& text, const QRect& rect);
    // Text that wraps within `rect`, for the translations to fit its lines.
    QLabel* AddWrappedLabel(const QString& text, const QRect& rect);
    // Buttons come last: each stays centred where the design centres it in the widened window.
    QPushButton* AddButton(const char* objectName, const QString& text, const QRect& rect);
    virtual void ShowMessage(const QString& text);

private:
    // Widens the window to hold `rect` with the design's margin on its right.
    void Hold(const QRect& rect);

    int m_designWidth;
};
