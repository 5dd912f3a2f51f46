#include "ui/CommsForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <optional>

namespace {

constexpr QSize kFormSize { 200, 124 };
constexpr QRect kGroupRect { 8, 8, 184, 60 };
constexpr QRect kComboRect { 12, 24, 160, 24 };
constexpr QRect kOkButtonRect { 60, 80, 80, 28 };

// The link opens the cable at whatever rate it is given, so only a positive whole number may
// reach it; the text is passed on in its plain form ("07812" becomes "7812").
std::optional<QString> BaudTextOf(const QString& text)
{
    bool ok = false;
    const int baud = text.trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return std::nullopt;
    return QString::number(baud);
}

} // namespace

TCommsForm::TCommsForm(QWidget* parent)
    : SettingsDialog("CommsForm", tr("Comms"), kFormSize, parent)
{

    auto* group = new QGroupBox(tr("Baud Rate"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(kGroupRect);

    m_baudCombo = new QComboBox(group);
    m_baudCombo->setObjectName(QStringLiteral("CommsBaudCombo"));
    m_baudCombo->setGeometry(kComboRect);
    m_baudCombo->setEditable(true);
    m_baudCombo->setInsertPolicy(QComboBox::NoInsert);
    m_baudCombo->addItems({ QStringLiteral("7812"), QStringLiteral("15625") });
    m_baudCombo->setCurrentText(QStringLiteral("7812"));
    // A speed takes effect when it is chosen from the list or when typing is finished (Enter or
    // leaving the box), never digit by digit: "1", "15", "156" are no line speeds to switch to.
    connect(m_baudCombo, &QComboBox::currentIndexChanged, this,
        [this](int index) { CommsBaudComboChange(m_baudCombo->itemText(index)); });
    connect(m_baudCombo->lineEdit(), &QLineEdit::editingFinished, this,
        [this] { CommsBaudComboChange(m_baudCombo->currentText()); });

    QPushButton* okButton = AddButton("ComsSelBtn", tr("OK"), kOkButtonRect);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TCommsForm::ComsSelBtnClick);
}

void TCommsForm::SetShownBaudText(const QString& text)
{
    const QSignalBlocker blocker(m_baudCombo);
    m_baudCombo->setCurrentText(text);
    m_appliedBaudText = text;
}

QString TCommsForm::BaudText() const
{
    return m_baudCombo->currentText();
}

void TCommsForm::CommsBaudComboChange(const QString& text)
{
    // Mistyped text is not applied; OK reports it.
    const auto baudText = BaudTextOf(text);
    if (!baudText || *baudText == m_appliedBaudText)
        return;
    m_appliedBaudText = *baudText;
    emit BaudTextChosen(*baudText);
}

void TCommsForm::ComsSelBtnClick()
{
    const auto baudText = BaudTextOf(BaudText());
    if (!baudText) {
        ShowMessage(tr("'%1' is not a valid baud rate: enter a positive whole number").arg(BaudText()));
        return;
    }
    m_appliedBaudText = *baudText;
    emit BaudTextChosen(*baudText);
    hide();
}
