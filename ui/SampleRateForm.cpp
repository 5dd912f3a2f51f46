#include "ui/SampleRateForm.h"

#include "link/EcuConnection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace {

constexpr QSize kFormSize { 280, 166 };
constexpr QRect kIncreaseHintRect { 8, 8, 264, 18 };
constexpr QRect kReduceHintRect { 8, 28, 264, 18 };
constexpr QRect kComboRect { 70, 56, 100, 24 };
constexpr QRect kUnitLabelRect { 178, 59, 40, 18 };
constexpr QRect kFastCheckRect { 8, 90, 264, 22 };
constexpr QRect kOkButtonRect { 100, 122, 80, 28 };

} // namespace

TSampleRateForm::TSampleRateForm(QWidget* parent)
    : SettingsDialog("SampleRateForm", tr("Sample Rate"), kFormSize, parent)
{

    AddLabel(tr("Increase value to reduce bad data errors"), kIncreaseHintRect);
    AddLabel(tr("Reduce value to improve refresh rate"), kReduceHintRect);
    AddLabel(tr("(ms)"), kUnitLabelRect);

    m_sampleRateCombo = new QComboBox(this);
    m_sampleRateCombo->setObjectName(QStringLiteral("SampleRateCB"));
    m_sampleRateCombo->setGeometry(kComboRect);
    m_sampleRateCombo->setEditable(true);
    m_sampleRateCombo->setInsertPolicy(QComboBox::NoInsert);
    m_sampleRateCombo->addItems({ QStringLiteral("50"), QStringLiteral("75"), QStringLiteral("100"),
        QStringLiteral("150"), QStringLiteral("200"), QStringLiteral("250"), QStringLiteral("500") });
    m_sampleRateCombo->setCurrentText(QString::number(EcuConnection::DefaultSampleRate));

    // Fast polling ignores the period: each request follows the reply before it.
    m_fastCheck = new QCheckBox(tr("As fast as the line allows"), this);
    m_fastCheck->setObjectName(QStringLiteral("FastPollCB"));
    m_fastCheck->setGeometry(kFastCheckRect);
    connect(m_fastCheck, &QCheckBox::toggled, m_sampleRateCombo, &QWidget::setDisabled);

    QPushButton* okButton = AddButton("SampleRateBtn", tr("OK"), kOkButtonRect);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TSampleRateForm::SampleRateBtnClick);
}

void TSampleRateForm::SetShownSampleRate(int ms)
{
    m_sampleRateCombo->setCurrentText(QString::number(ms));
}

void TSampleRateForm::SetShownFastPolling(bool fast)
{
    m_fastCheck->setChecked(fast);
}

QString TSampleRateForm::SampleRateText() const
{
    return m_sampleRateCombo->currentText();
}

void TSampleRateForm::SampleRateBtnClick()
{
    if (m_fastCheck->isChecked()) {
        emit FastPollingChosen(true);
        hide();
        return;
    }
    const QString text = SampleRateText();
    bool ok = false;
    const int ms = text.trimmed().toInt(&ok);
    if (!ok) {
        ShowMessage(tr("'%1' is not a valid integer value").arg(text));
        return;
    }
    // The main window polls once per period counted in its 50 ms ticks: a shorter period would
    // give it no ticks at all.
    if (ms < EcuConnection::MinSampleRate || ms > EcuConnection::MaxSampleRate) {
        ShowMessage(tr("'%1' is not a valid sample rate: enter a whole number of milliseconds from %2 to %3")
                        .arg(text, QString::number(EcuConnection::MinSampleRate),
                            QString::number(EcuConnection::MaxSampleRate)));
        return;
    }
    emit SampleRateChosen(ms);
    emit FastPollingChosen(false);
    hide();
}
