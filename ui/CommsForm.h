#pragma once

#include "ui/SettingsDialog.h"

#include <QString>

class QComboBox;

// The line speed dialog. Every valid change of the baud box is handed on at once, so choosing
// "15625" changes the line speed before OK is pressed; OK hands the shown text on once more.
class TCommsForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit TCommsForm(QWidget* parent = nullptr);

    // Shows the baud text in force (the main window's GetBaudText) without handing it back.
    void SetShownBaudText(const QString& text);
    QString BaudText() const;

signals:
    void BaudTextChosen(const QString& text);

private slots:
    void CommsBaudComboChange(const QString& text);
    void ComsSelBtnClick();

private:
    QComboBox* m_baudCombo = nullptr;
    QString m_appliedBaudText; // what the last change applied, so one edit is applied once
};
