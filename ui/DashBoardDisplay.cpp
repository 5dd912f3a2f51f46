// How units, the identified ECU and every received value reach the dials and value boxes.
#include "ui/DashBoardForm.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "locale/LocaleFixed.h"
#include "defs/EcuConstants.h"
#include "defs/FaultCodes.h"
#include "ui/ClickableLabel.h"

#include <QLabel>

#include <string_view>

namespace {

struct TempScale {
    const char* unit;
    int maxValue;
    int nTicks;
    const char* coolantTitle;
    const char* airTitle;
};

struct SpeedScale {
    const char* unit;
    int maxValue;
    int nTicks;
    int figureStep;
};

struct NamedScale {
    std::string_view kind; // the name the ECU tables give; empty matches any other
    const char* title;
    int maxValue;
};

// clang-format off
constexpr TempScale Fahrenheit { "F", 250, 11, "CTS (F)", "IAT (F)" };
constexpr TempScale Celsius    { "C", 120, 13, "CTS (C)", "IAT (C)" };

constexpr SpeedScale Kph { "KPH", 240, 13, 20 };
constexpr SpeedScale Mph { "MPH", 120, 13, 10 };

// The load dial by the ECU's load sensor.
constexpr NamedScale LoadScales[] {
    { "MAF", "MAF(g/s)",  500 },
    { "VAF", "AFM(l/m)",  1800 },
    { "",    "MAP(mbar)", 1100 },
};
// The idle dial by the ECU's idle air actuator, in "IAC" mode.
constexpr int IdleScaleMax = 100;
constexpr int IdleScaleTicks = 10;
constexpr NamedScale IdleScales[] {
    { "FLOW", "IAC Flow", IdleScaleMax },
    { "DC",   "IAC Duty", IdleScaleMax },
    { "",     "IAC Pos",  IdleScaleMax },
};

// Value boxes: decimals shown, at most four significant digits.
constexpr int ValuePrecision = 4;
constexpr int O2Decimals = 3;
constexpr int TwoDecimals = 2;

constexpr QLatin1String NoValueText("--");
constexpr std::string_view MapLoadSensor = "MAP";

// Colour limits of the value boxes, in volts.
constexpr float O2Rich = 0.9f;
constexpr float O2Switching = 0.45f;
constexpr float BatteryHigh = 14.8f;
constexpr float BatteryLow = 9.0f;
// clang-format on

const NamedScale& ScaleOf(const auto& scales, std::string_view kind)
{
    for (const NamedScale& scale : scales) {
        if (scale.kind == kind || scale.kind.empty())
            return scale;
    }
    return scales[std::size(scales) - 1];
}

void ShowScale(TKodraGauge* dial, const char* title, int maxValue, int nTicks)
{
    dial->SetGTitle(QString::fromLatin1(title));
    dial->SetMaxValue(maxValue);
    dial->SetnTicks(nTicks);
}

} // namespace

void TDashBoardForm::SetTempUnits(const QString& units)
{
    m_settings.tempUnits = KnownTempUnits(units);
    const TempScale& scale = m_settings.tempUnits == QLatin1String(Fahrenheit.unit) ? Fahrenheit : Celsius;
    ShowScale(m_ctsGauge, scale.coolantTitle, scale.maxValue, scale.nTicks);
    ShowScale(m_atsGauge, scale.airTitle, scale.maxValue, scale.nTicks);
    // Called once before the connection exists, while the window is built; it gets the unit then.
    if (m_connection)
        m_connection->SetTempUnits(m_settings.tempUnits.toStdString());
}

void TDashBoardForm::SetSpeedUnits(const QString& units)
{
    m_settings.speedUnits = KnownSpeedUnits(units);
    const SpeedScale& scale = m_settings.speedUnits == QLatin1String(Kph.unit) ? Kph : Mph;
    ShowScale(m_speedo, scale.unit, scale.maxValue, scale.nTicks);
    // SpeedoLbl0 keeps "0".
    for (std::size_t i = 1; i < m_speedoLabels.size(); ++i)
        m_speedoLabels[i]->setText(QString::number(static_cast<int>(i) * scale.figureStep));
    PlaceDialLabels(*m_speedo, m_speedoLabels);
    if (m_connection)
        m_connection->SetSpeedUnits(m_settings.speedUnits.toStdString());
}

void TDashBoardForm::SetupGaugesForEcu()
{
    const EcuConstantsRow& constants = m_connection->Constants();
    const NamedScale& load = ScaleOf(LoadScales, LoadSensorName(constants));
    m_afmGauge->SetGTitle(QString::fromLatin1(load.title));
    m_afmGauge->SetMaxValue(load.maxValue);
    if (!m_settings.MpgMode()) {
        const NamedScale& idle = ScaleOf(IdleScales, IacKindName(constants));
        ShowScale(m_mpgGauge, idle.title, idle.maxValue, IdleScaleTicks);
    }
}

void TDashBoardForm::ShowMil()
{
    ColorRef colour = kColorBlack;
    switch (MilColourOf(m_connection->Values().faultBytes)) {
    case MilColour::Red:
        colour = kColorRed;
        break;
    case MilColour::Yellow:
        colour = kColorYellow;
        break;
    case MilColour::Black:
        break;
    }
    SetTextColour(m_milLabel, colour);
}

void TDashBoardForm::ShowFixed(QLabel* label, float value, int precision, int decimals, const QString& suffix)
{
    label->setText(LocaleFixed(value, precision, decimals) + suffix);
}

void TDashBoardForm::ShowO2Volts(float volts)
{
    ShowFixed(m_o2B1VoltsLabel, volts, ValuePrecision, O2Decimals, QStringLiteral("V"));
    const ColorRef colour = volts > O2Rich ? kColorRed : volts >= O2Switching ? kColorGreen : kColorYellow;
    SetTextColour(m_o2B1VoltsLabel, colour);
}

void TDashBoardForm::ShowBatteryVolts(float volts)
{
    ShowFixed(m_battVoltsLabel, volts, ValuePrecision, TwoDecimals, QStringLiteral("V"));
    const bool outOfRange = volts > BatteryHigh || volts < BatteryLow;
    SetTextColour(m_battVoltsLabel, outOfRange ? kColorRed : kColorGreen);
}

void TDashBoardForm::ShowValuesState()
{
    const bool live = m_connection->HasLiveValues() && m_connection->GetEcuSupport() == SupportFull;
    if (live == m_valuesShown)
        return;
    m_valuesShown = live;
    for (TKodraGauge* dial :
        { m_tpsGauge, m_afmGauge, m_ctsGauge, m_atsGauge, m_mpgGauge, m_revCounter, m_speedo })
        dial->SetHasValue(live);
    if (!live) {
        for (QLabel* box : { m_battVoltsLabel, m_o2B1VoltsLabel, m_ignAdvanceLabel, m_injPwB1Label,
                 m_tftLabel, m_ltftLabel }) {
            box->setText(NoValueText);
            SetTextColour(box, kColorBlack);
        }
        return;
    }
    // Back to live: every dial and box from the values as they are now.
    const bool mapLoad = LoadSensorName(m_connection->Constants()) == MapLoadSensor;
    for (const LiveValueKind kind :
        { LiveValueKind::Rpm, LiveValueKind::RoadSpeed, LiveValueKind::CoolantTemp, LiveValueKind::AirTemp,
            mapLoad ? LiveValueKind::Load8 : LiveValueKind::Load16, LiveValueKind::TpsPercent,
            LiveValueKind::O2Bank1, LiveValueKind::Iac, LiveValueKind::InjectorPw1, LiveValueKind::Advance,
            LiveValueKind::Ltft1, LiveValueKind::Tft1, LiveValueKind::Battery })
        OnValueChanged(kind);
}

void TDashBoardForm::OnValueChanged(LiveValueKind kind)
{
    // The fault lamp follows every fault byte; the dials and boxes only live values.
    if (!m_valuesShown && kind != LiveValueKind::FaultFlags)
        return;
    const LiveValues& v = m_connection->Values();
    const bool mpgMode = m_settings.MpgMode();
    // Scaled values reach the dials truncated toward zero.
    switch (kind) {
    case LiveValueKind::FaultFlags:
        ShowMil();
        break;
    case LiveValueKind::Rpm:
        m_revCounter->SetProgress(v.rpm);
        break;
    case LiveValueKind::RoadSpeed:
        m_speedo->SetProgress(v.roadSpeed);
        if (mpgMode)
            m_mpgGauge->SetProgress(static_cast<int>(v.mpg));
        break;
    case LiveValueKind::CoolantTemp:
        m_ctsGauge->SetProgress(static_cast<int>(v.coolantTemp));
        break;
    case LiveValueKind::AirTemp:
        m_atsGauge->SetProgress(static_cast<int>(v.airTemp));
        break;
    case LiveValueKind::Load8:
        m_afmGauge->SetProgress(v.load8);
        break;
    case LiveValueKind::Load16:
        m_afmGauge->SetProgress(v.load16);
        break;
    case LiveValueKind::TpsPercent:
        m_tpsGauge->SetProgress(static_cast<int>(v.tpsPercent));
        break;
    case LiveValueKind::O2Bank1:
        ShowO2Volts(v.o2Volts[0]);
        break;
    case LiveValueKind::Iac:
        if (!mpgMode)
            m_mpgGauge->SetProgress(v.iac);
        break;
    case LiveValueKind::InjectorPw1:
        ShowFixed(m_injPwB1Label, v.injectorPw[0], ValuePrecision, TwoDecimals);
        break;
    case LiveValueKind::Advance:
        m_ignAdvanceLabel->setText(QString::number(v.advance));
        break;
    case LiveValueKind::Ltft1:
        ShowFixed(m_ltftLabel, v.ltft[0], ValuePrecision, TwoDecimals);
        break;
    case LiveValueKind::Tft1:
        ShowFixed(m_tftLabel, v.tft[0], ValuePrecision, TwoDecimals);
        break;
    case LiveValueKind::Battery:
        ShowBatteryVolts(v.batteryVolts);
        break;
    default:
        // Every other value is only kept for the queries of the other windows.
        break;
    }
}
