#include "ui/SampleRateForm.h"

#include "link/EcuConnection.h"

#include <QComboBox>
#include <QPushButton>

namespace {

constexpr QSize kFormSize { 280, 140 };
constexpr QRect kIncreaseHintRect { 8, 8, 264, 18 };
constexpr QRect kReduceHintRect { 8, 28, 264, 18 };
constexpr QRect kComboRect { 70, 56, 100, 24 };
constexpr QRect kUnitLabelRect { 178, 59, 40, 18 };
constexpr QRect kOkButtonRect { 100, 96, 80, 28 };

} // namespace

TSampleRateForm::TSampleRateForm(QWidget* parent)
    : SettingsDialog("SampleRateForm", QStringLiteral("Sample Rate"), kFormSize, parent)
{

    AddLabel(QStringLiteral("Increase value to reduce bad data errors"), kIncreaseHintRect);
    AddLabel(QStringLiteral("Reduce value to improve refresh rate"), kReduceHintRect);
    AddLabel(QStringLiteral("(ms)"), kUnitLabelRect);

    m_sampleRateCombo = new QComboBox(this);
    m_sampleRateCombo->setObjectName(QStringLiteral("SampleRateCB"));
    m_sampleRateCombo->setGeometry(kComboRect);
    m_sampleRateCombo->setEditable(true);
    m_sampleRateCombo->setInsertPolicy(QComboBox::NoInsert);
    m_sampleRateCombo->addItems({ QStringLiteral("50"), QStringLiteral("75"), QStringLiteral("100"),
        QStringLiteral("150"), QStringLiteral("200"), QStringLiteral("250"), QStringLiteral("500") });
    m_sampleRateCombo->setCurrentText(QString::number(EcuConnection::DefaultSampleRate));

    QPushButton* okButton = AddButton("SampleRateBtn", QStringLiteral("OK"), kOkButtonRect);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TSampleRateForm::SampleRateBtnClick);
}

void TSampleRateForm::SetShownSampleRate(int ms)
{
    m_sampleRateCombo->setCurrentText(QString::number(ms));
}

QString TSampleRateForm::SampleRateText() const
{
    return m_sampleRateCombo->currentText();
}

void TSampleRateForm::SampleRateBtnClick()
{
    const QString text = SampleRateText();
    bool ok = false;
    const int ms = text.trimmed().toInt(&ok);
    if (!ok) {
        ShowMessage(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return;
    }
    // The main window polls once per period counted in its 50 ms ticks: a shorter period would
    // give it no ticks at all.
    if (ms < EcuConnection::MinSampleRate || ms > EcuConnection::MaxSampleRate) {
        ShowMessage(QStringLiteral(
            "'%1' is not a valid sample rate: enter a whole number of milliseconds from %2 to %3")
                        .arg(text, QString::number(EcuConnection::MinSampleRate),
                            QString::number(EcuConnection::MaxSampleRate)));
        return;
    }
    emit SampleRateChosen(ms);
    hide();
}
