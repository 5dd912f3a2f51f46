#pragma once

#include "ui/SettingsDialog.h"

#include <QString>

class QCheckBox;
class QComboBox;

// The sample period dialog: acts only on OK, and only with a period the poll cycle can keep.
class TSampleRateForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit TSampleRateForm(QWidget* parent = nullptr);

    // Shows the period in force, so that OK without a change keeps it.
    void SetShownSampleRate(int ms);
    void SetShownFastPolling(bool fast);
    QString SampleRateText() const;

signals:
    void SampleRateChosen(int ms);
    // "As fast as the line allows" ticked (true) or not, at OK.
    void FastPollingChosen(bool fast);

private slots:
    void SampleRateBtnClick();

private:
    QComboBox* m_sampleRateCombo = nullptr;
    QCheckBox* m_fastCheck = nullptr;
};
