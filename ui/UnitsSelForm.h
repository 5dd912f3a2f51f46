#pragma once

#include "ui/SettingsDialog.h"

#include <QString>

class QRadioButton;

// The display units dialog. A click on a unit hands it on at once; Close hands on the shown
// state of both groups once more and hides the dialog.
class TUnitsSelForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit TUnitsSelForm(QWidget* parent = nullptr);

    // Shows the units in force ("F"/"C", "KPH"/"MPH") without handing them back, so that Close
    // never changes a unit the user did not touch.
    void SetShownUnits(const QString& tempUnits, const QString& speedUnits);
    QString ShownTempUnits() const;
    QString ShownSpeedUnits() const;

signals:
    void TempUnitsChosen(const QString& units);
    void SpeedUnitsChosen(const QString& units);

private slots:
    void TempF_RBClick();
    void TempC_RBClick();
    void KPH_RBClick();
    void MPH_RBClick();
    void UnitsSelectBtnClick();

private:
    QRadioButton* m_tempF = nullptr;
    QRadioButton* m_tempC = nullptr;
    QRadioButton* m_kph = nullptr;
    QRadioButton* m_mph = nullptr;
};
