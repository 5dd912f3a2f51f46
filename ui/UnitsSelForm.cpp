#include "ui/UnitsSelForm.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kFontPx = 16;
constexpr QSize kFormSize { 220, 220 };
constexpr QRect kTempGroupRect { 8, 8, 204, 76 };
constexpr QRect kSpeedGroupRect { 8, 92, 204, 76 };
constexpr QRect kFirstButtonRect { 12, 26, 180, 22 };
constexpr QRect kSecondButtonRect { 12, 50, 180, 22 };
constexpr QRect kCloseButtonRect { 70, 180, 80, 30 };

const char* const kFahrenheit = "F";
const char* const kCelsius = "C";
const char* const kKph = "KPH";
const char* const kMph = "MPH";

QRadioButton* AddUnitButton(const char* name, const QString& text, const QRect& rect, QGroupBox* group)
{
    auto* button = new QRadioButton(text, group);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    return button;
}

} // namespace

TUnitsSelForm::TUnitsSelForm(QWidget* parent)
    : SettingsDialog("UnitsSelForm", tr("Units"), kFormSize, parent)
{
    QFont formFont = font();
    formFont.setPixelSize(kFontPx);
    setFont(formFont);

    // The layouts also hold a "Select" button in each group, placed below the visible part of
    // the group and without an action; they are left out.
    auto* tempGroup = new QGroupBox(tr("Temperature"), this);
    tempGroup->setObjectName(QStringLiteral("Temp_GP_Box"));
    tempGroup->setGeometry(kTempGroupRect);
    m_tempF = AddUnitButton("TempF_RB", tr("degs F"), kFirstButtonRect, tempGroup);
    m_tempC = AddUnitButton("TempC_RB", tr("degs C"), kSecondButtonRect, tempGroup);
    m_tempC->setChecked(true);
    connect(m_tempF, &QRadioButton::clicked, this, &TUnitsSelForm::TempF_RBClick);
    connect(m_tempC, &QRadioButton::clicked, this, &TUnitsSelForm::TempC_RBClick);

    auto* speedGroup = new QGroupBox(tr("Speed"), this);
    speedGroup->setObjectName(QStringLiteral("SpeedSelectGB"));
    speedGroup->setGeometry(kSpeedGroupRect);
    m_kph = AddUnitButton("KPK_RB", tr("KPH"), kFirstButtonRect, speedGroup);
    m_mph = AddUnitButton("MPH_RB", tr("MPH"), kSecondButtonRect, speedGroup);
    m_mph->setChecked(true);
    connect(m_kph, &QRadioButton::clicked, this, &TUnitsSelForm::KPH_RBClick);
    connect(m_mph, &QRadioButton::clicked, this, &TUnitsSelForm::MPH_RBClick);

    QPushButton* closeButton = AddButton("UnitsSelectBtn", tr("Close"), kCloseButtonRect);
    connect(closeButton, &QPushButton::clicked, this, &TUnitsSelForm::UnitsSelectBtnClick);
}

void TUnitsSelForm::SetShownUnits(const QString& tempUnits, const QString& speedUnits)
{
    // setChecked does not emit clicked, so nothing is handed back.
    (tempUnits == QLatin1String(kFahrenheit) ? m_tempF : m_tempC)->setChecked(true);
    (speedUnits == QLatin1String(kKph) ? m_kph : m_mph)->setChecked(true);
}

QString TUnitsSelForm::ShownTempUnits() const
{
    return QString::fromLatin1(m_tempF->isChecked() ? kFahrenheit : kCelsius);
}

QString TUnitsSelForm::ShownSpeedUnits() const
{
    return QString::fromLatin1(m_mph->isChecked() ? kMph : kKph);
}

// Each handler also checks its button, so that a call from code acts as the click does.
void TUnitsSelForm::TempF_RBClick()
{
    m_tempF->setChecked(true);
    emit TempUnitsChosen(QString::fromLatin1(kFahrenheit));
}

void TUnitsSelForm::TempC_RBClick()
{
    m_tempC->setChecked(true);
    emit TempUnitsChosen(QString::fromLatin1(kCelsius));
}

void TUnitsSelForm::KPH_RBClick()
{
    m_kph->setChecked(true);
    emit SpeedUnitsChosen(QString::fromLatin1(kKph));
}

void TUnitsSelForm::MPH_RBClick()
{
    m_mph->setChecked(true);
    emit SpeedUnitsChosen(QString::fromLatin1(kMph));
}

void TUnitsSelForm::UnitsSelectBtnClick()
{
    emit TempUnitsChosen(ShownTempUnits());
    emit SpeedUnitsChosen(ShownSpeedUnits());
    hide();
}
