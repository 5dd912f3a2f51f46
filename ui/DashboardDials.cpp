// How units, the identified ECU and every received value reach the dials and value boxes.
#include "ui/DashboardDials.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "defs/AlarmWatch.h"
#include "defs/FaultCodes.h"
#include "locale/LocaleFixed.h"
#include "ui/ClickableLabel.h"

#include <QLabel>

#include <algorithm>
#include <array>
#include <optional>
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
// clang-format on

const NamedScale& ScaleOf(const auto& scales, std::string_view kind)
{
    for (const NamedScale& scale : scales) {
        if (scale.kind == kind || scale.kind.empty())
            return scale;
    }
    return scales[std::size(scales) - 1];
}

// In black, unless the caller colours it: an alarm may have made it white.
void ShowText(QLabel* label, const QString& text)
{
    label->setText(text);
    SetTextColour(label, kColorBlack);
}

void ShowFixed(QLabel* label, float value, int decimals, const QString& suffix = {})
{
    ShowText(label, LocaleFixed(value, ValuePrecision, decimals) + suffix);
}

// How a dial or box shows where its value stands: a box beyond a limit changes its text colour
// too; within them it keeps the one its value gives it.
struct LevelLook {
    GaugeAlert alert;
    ColorRef background;
    std::optional<ColorRef> text;
};

LevelLook LookOf(LimitLevel level)
{
    switch (level) {
    case LimitLevel::Alarm:
        return { GaugeAlert::Alarm, kColorRed, kColorWhite };
    case LimitLevel::Warning:
        return { GaugeAlert::Warning, kColorAmber, kColorBlack };
    case LimitLevel::Normal:
        break;
    }
    return { GaugeAlert::None, kColorSilver, std::nullopt };
}

void ShowNoValue(QLabel* box)
{
    box->setText(NoValueText);
    SetColours(box, kColorSilver, kColorBlack);
}

void ShowScale(TKodraGauge* dial, const char* title, int maxValue, int nTicks)
{
    dial->SetGTitle(QString::fromLatin1(title));
    dial->SetMaxValue(maxValue);
    dial->SetnTicks(nTicks);
}

} // namespace

DashboardDials::DashboardDials(const DashboardControls& controls)
    : m_c(controls)
{
}

void DashboardDials::ShowTempUnits(const QString& units)
{
    const TempScale& scale = units == QLatin1String(Fahrenheit.unit) ? Fahrenheit : Celsius;
    ShowScale(m_c.ctsGauge, scale.coolantTitle, scale.maxValue, scale.nTicks);
    ShowScale(m_c.atsGauge, scale.airTitle, scale.maxValue, scale.nTicks);
}

void DashboardDials::ShowSpeedUnits(const QString& units)
{
    const SpeedScale& scale = units == QLatin1String(Kph.unit) ? Kph : Mph;
    ShowScale(m_c.speedo, scale.unit, scale.maxValue, scale.nTicks);
    // SpeedoLbl0 keeps "0".
    for (std::size_t i = 1; i < m_c.speedoLabels.size(); ++i)
        m_c.speedoLabels[i]->setText(QString::number(static_cast<int>(i) * scale.figureStep));
    PlaceDialLabels(*m_c.speedo, m_c.speedoLabels);
}

void DashboardDials::SetupForEcu(const EcuConstantsRow& constants)
{
    m_mapLoad = LoadSensorName(constants) == MapLoadSensor;
    const NamedScale& load = ScaleOf(LoadScales, LoadSensorName(constants));
    m_c.afmGauge->SetGTitle(QString::fromLatin1(load.title));
    m_c.afmGauge->SetMaxValue(load.maxValue);
    if (!m_mpgMode) {
        const NamedScale& idle = ScaleOf(IdleScales, IacKindName(constants));
        ShowScale(m_c.mpgGauge, idle.title, idle.maxValue, IdleScaleTicks);
    }
    ShowLimits(m_limits, m_units); // the load dial may show the other load now
}

void DashboardDials::ShowMil(const LiveValues& values)
{
    ColorRef colour = kColorBlack;
    switch (MilColourOf(values.faultBytes)) {
    case MilColour::Red:
        colour = kColorRed;
        break;
    case MilColour::Yellow:
        colour = kColorYellow;
        break;
    case MilColour::Black:
        break;
    }
    SetTextColour(m_c.milLabel, colour);
}

void DashboardDials::ShowO2Volts(float volts)
{
    ShowFixed(m_c.o2B1VoltsLabel, volts, O2Decimals, QStringLiteral("V"));
    const ColorRef colour = volts > O2Rich ? kColorRed : volts >= O2Switching ? kColorGreen : kColorYellow;
    SetTextColour(m_c.o2B1VoltsLabel, colour);
}

void DashboardDials::ShowBatteryVolts(float volts)
{
    ShowFixed(m_c.battVoltsLabel, volts, TwoDecimals, QStringLiteral("V"));
    // Out of its range it turns red by its limits.
    SetTextColour(m_c.battVoltsLabel, kColorGreen);
}

void DashboardDials::ShowLive(bool live, const LiveValues& values, const EcuConstantsRow& constants)
{
    if (live == m_valuesShown)
        return;
    m_valuesShown = live;
    for (TKodraGauge* dial :
        { m_c.tpsGauge, m_c.afmGauge, m_c.ctsGauge, m_c.atsGauge, m_c.mpgGauge, m_c.revCounter, m_c.speedo })
        dial->SetHasValue(live);
    if (!live) {
        // The lamp says nothing about faults it has not been told of now.
        SetTextColour(m_c.milLabel, kColorGrey);
        for (QLabel* box : { m_c.battVoltsLabel, m_c.o2B1VoltsLabel, m_c.ignAdvanceLabel, m_c.injPwB1Label,
                 m_c.tftLabel, m_c.ltftLabel })
            ShowNoValue(box);
        return;
    }
    const bool mapLoad = LoadSensorName(constants) == MapLoadSensor;
    for (const LiveValueKind kind :
        { LiveValueKind::FaultFlags, LiveValueKind::Rpm, LiveValueKind::RoadSpeed, LiveValueKind::CoolantTemp,
            LiveValueKind::AirTemp, mapLoad ? LiveValueKind::Load8 : LiveValueKind::Load16,
            LiveValueKind::TpsPercent, LiveValueKind::O2Bank1, LiveValueKind::Iac, LiveValueKind::InjectorPw1,
            LiveValueKind::Advance, LiveValueKind::Ltft1, LiveValueKind::Tft1, LiveValueKind::Battery })
        ShowValue(kind, values);
}

std::array<DashboardDials::Shown, 14> DashboardDials::ShownValues() const
{
    return { {
        { LiveValueKind::Rpm, "Rpm", m_c.revCounter, nullptr },
        { LiveValueKind::RoadSpeed, m_mpgMode ? "Mpg" : "RoadSpeed", m_mpgMode ? m_c.mpgGauge : m_c.speedo,
            nullptr },
        { LiveValueKind::CoolantTemp, "CoolantTemp", m_c.ctsGauge, nullptr },
        { LiveValueKind::AirTemp, "AirTemp", m_c.atsGauge, nullptr },
        { LiveValueKind::Load8, "Load8", m_c.afmGauge, nullptr },
        { LiveValueKind::Load16, "Load16", m_c.afmGauge, nullptr },
        { LiveValueKind::TpsPercent, "TpsPercent", m_c.tpsGauge, nullptr },
        { LiveValueKind::Iac, "Iac", m_mpgMode ? nullptr : m_c.mpgGauge, nullptr },
        { LiveValueKind::O2Bank1, "O2Volts0", nullptr, m_c.o2B1VoltsLabel },
        { LiveValueKind::InjectorPw1, "InjectorPw0", nullptr, m_c.injPwB1Label },
        { LiveValueKind::Advance, "Advance", nullptr, m_c.ignAdvanceLabel },
        { LiveValueKind::Ltft1, "Ltft0", nullptr, m_c.ltftLabel },
        { LiveValueKind::Tft1, "Tft0", nullptr, m_c.tftLabel },
        { LiveValueKind::Battery, "BatteryVolts", nullptr, m_c.battVoltsLabel },
    } };
}

bool DashboardDials::ShowHeld(LiveValueKind kind)
{
    if (!m_held)
        return true;
    // One dial shows the load of the ECU's sensor; a log may hold the other load as well.
    const bool otherLoadHeld = (kind == LiveValueKind::Load8 && !m_mapLoad && m_held("Load16"))
        || (kind == LiveValueKind::Load16 && m_mapLoad && m_held("Load8"));
    if (otherLoadHeld)
        return false;
    const std::array<Shown, 14> shown = ShownValues();
    const auto found
        = std::find_if(shown.begin(), shown.end(), [kind](const Shown& s) { return s.kind == kind; });
    if (found == shown.end())
        return true;
    const bool held = m_held(found->value);
    if (found->dial)
        found->dial->SetHasValue(held);
    if (found->box && !held)
        ShowNoValue(found->box);
    return held;
}

void DashboardDials::ShowLimits(const LimitTable& kept, const LiveSettings& units)
{
    m_limits = kept;
    m_units = units;
    for (const Shown& shown : ShownValues()) {
        const LiveValueRow* row = FindLiveValue(shown.value);
        if (!shown.dial || !row || OtherLoad(shown))
            continue;
        const auto found = m_limits.find(shown.value);
        const ValueLimits limits = found == m_limits.end()
            ? ValueLimits {}
            : LimitsInChosenUnits(found->second, row->unit.choice, m_units);
        const auto wide = [](const std::optional<float>& limit) {
            return limit ? std::optional<double>(*limit) : std::nullopt;
        };
        shown.dial->SetBands(GaugeBands { wide(limits.alarmLow), wide(limits.warningLow),
            wide(limits.warningHigh), wide(limits.alarmHigh) });
    }
}

void DashboardDials::ShowLevels(const LiveValues& values)
{
    if (!m_valuesShown)
        return;
    for (const Shown& shown : ShownValues()) {
        if (!m_held || m_held(shown.value))
            ShowLevel(shown, values);
    }
}

bool DashboardDials::OtherLoad(const Shown& shown) const
{
    return (shown.kind == LiveValueKind::Load8 && !m_mapLoad)
        || (shown.kind == LiveValueKind::Load16 && m_mapLoad);
}

void DashboardDials::ShowLevel(const Shown& shown, const LiveValues& values)
{
    if (OtherLoad(shown))
        return;
    const LiveValueRow* row = FindLiveValue(shown.value);
    const auto found = m_limits.find(shown.value);
    const LimitLevel level = !row || found == m_limits.end()
        ? LimitLevel::Normal
        : ClassifyLiveValue(*row, found->second, values, m_units).level;
    const LevelLook look = LookOf(level);
    if (shown.dial)
        shown.dial->SetAlert(look.alert);
    if (shown.box && look.text)
        SetColours(shown.box, look.background, *look.text);
    else if (shown.box)
        SetBackgroundColour(shown.box, look.background);
}

void DashboardDials::ShowValue(LiveValueKind kind, const LiveValues& v)
{
    if (!m_valuesShown)
        return;
    if (!ShowHeld(kind))
        return;
    ShowFigure(kind, v);
    for (const Shown& shown : ShownValues()) {
        if (shown.kind == kind)
            ShowLevel(shown, v);
    }
}

void DashboardDials::ShowFigure(LiveValueKind kind, const LiveValues& v)
{
    // Scaled values reach the dials truncated toward zero.
    switch (kind) {
    case LiveValueKind::FaultFlags:
        ShowMil(v);
        break;
    case LiveValueKind::Rpm:
        m_c.revCounter->SetProgress(v.rpm);
        break;
    case LiveValueKind::RoadSpeed:
        m_c.speedo->SetProgress(v.roadSpeed);
        if (m_mpgMode)
            m_c.mpgGauge->SetProgress(static_cast<int>(v.mpg));
        break;
    case LiveValueKind::CoolantTemp:
        m_c.ctsGauge->SetProgress(static_cast<int>(v.coolantTemp));
        break;
    case LiveValueKind::AirTemp:
        m_c.atsGauge->SetProgress(static_cast<int>(v.airTemp));
        break;
    case LiveValueKind::Load8:
        m_c.afmGauge->SetProgress(v.load8);
        break;
    case LiveValueKind::Load16:
        m_c.afmGauge->SetProgress(v.load16);
        break;
    case LiveValueKind::TpsPercent:
        m_c.tpsGauge->SetProgress(static_cast<int>(v.tpsPercent));
        break;
    case LiveValueKind::O2Bank1:
        ShowO2Volts(v.o2Volts[0]);
        break;
    case LiveValueKind::Iac:
        if (!m_mpgMode)
            m_c.mpgGauge->SetProgress(v.iac);
        break;
    case LiveValueKind::InjectorPw1:
        ShowFixed(m_c.injPwB1Label, v.injectorPw[0], TwoDecimals);
        break;
    case LiveValueKind::Advance:
        ShowText(m_c.ignAdvanceLabel, QString::number(v.advance));
        break;
    case LiveValueKind::Ltft1:
        ShowFixed(m_c.ltftLabel, v.ltft[0], TwoDecimals);
        break;
    case LiveValueKind::Tft1:
        ShowFixed(m_c.tftLabel, v.tft[0], TwoDecimals);
        break;
    case LiveValueKind::Battery:
        ShowBatteryVolts(v.batteryVolts);
        break;
    default:
        // Every other value is only kept for the queries of the other windows.
        break;
    }
}
