#include "ui/DashboardSettings.h"

#include "link/EcuConnection.h"
#include "ui/LimitSettings.h"

#include <string>

namespace {

constexpr const char* FormSection = "Form";
constexpr const char* CommsSection = "Comms";
constexpr const char* DisplaySection = "Display";
constexpr const char* InjFlowSection = "InjFlow";

constexpr const char* TopKey = "Top";
constexpr const char* LeftKey = "Left";
constexpr const char* InitMaxKey = "InitMax";
constexpr const char* BaudRateKey = "BaudRate";
constexpr const char* SampleRateKey = "SampleRate";
constexpr const char* FastPollingKey = "FastPolling";
constexpr const char* FastPollGapKey = "FastPollGapMicroseconds";
constexpr const char* TempUnitsKey = "TempUnits";
constexpr const char* SpeedUnitsKey = "SpeedUnits";
constexpr const char* MpgDialKey = "MPGDial";
constexpr const char* FlowRateKey = "FlowRate";
constexpr const char* LanguageKey = "Language";

constexpr const char* MpgDialMode = "MPG";

QString ReadText(const IniFile& ini, const char* section, const char* key, const QString& fallback)
{
    return QString::fromStdString(ini.ReadString(section, key, fallback.toStdString()));
}

std::string Text(const QString& text)
{
    return text.toStdString();
}

QString OneOf(const QString& text, const char* other, const char* fallback)
{
    return text == QLatin1String(other) ? text : QString::fromLatin1(fallback);
}

} // namespace

std::filesystem::path DashboardSettingsPath(const QString& settingsFolder)
{
    return std::filesystem::path(settingsFolder.toStdString()) / DashboardSettings::FileName;
}

QString KnownTempUnits(const QString& text)
{
    return OneOf(text, "F", "C");
}

QString KnownSpeedUnits(const QString& text)
{
    return OneOf(text, "KPH", "MPH");
}

QString KnownIdleGaugeMode(const QString& text)
{
    return OneOf(text, MpgDialMode, "IAC");
}

bool DashboardSettings::MpgMode() const
{
    return mpgDial == QLatin1String(MpgDialMode);
}

LiveSettings DashboardSettings::Units() const
{
    LiveSettings units;
    units.temperatureUnit = tempUnits.toStdString();
    units.speedUnit = speedUnits.toStdString();
    return units;
}

DashboardSettings ReadDashboardSettings(const IniFile& ini)
{
    const DashboardSettings defaults;
    DashboardSettings s;
    s.top = ini.ReadInteger(FormSection, TopKey, defaults.top);
    s.left = ini.ReadInteger(FormSection, LeftKey, defaults.left);
    s.initMax = ini.ReadBool(FormSection, InitMaxKey, defaults.initMax);

    // The baud rate is read as a number, so "015625" and " 15625" come back as "15625".
    const int baud = ini.ReadInteger(CommsSection, BaudRateKey, 0);
    const QString baudText = QString::number(baud);
    s.baudText = EcuConnection::BaudTextProblem(baudText).isEmpty() ? baudText : defaults.baudText;

    const int rate = ini.ReadInteger(CommsSection, SampleRateKey, defaults.sampleRate);
    s.sampleRate
        = EcuConnection::SampleRateProblem(QString::number(rate)).isEmpty() ? rate : defaults.sampleRate;

    s.fastPolling = ini.ReadBool(CommsSection, FastPollingKey, defaults.fastPolling);
    const int gap = ini.ReadInteger(CommsSection, FastPollGapKey, defaults.fastPollGapMicroseconds);
    const bool gapUsable = gap >= 0 && gap <= FastPollSchedule::MaxGap.count();
    s.fastPollGapMicroseconds = gapUsable ? gap : defaults.fastPollGapMicroseconds;

    s.tempUnits = KnownTempUnits(ReadText(ini, DisplaySection, TempUnitsKey, defaults.tempUnits));
    s.speedUnits = KnownSpeedUnits(ReadText(ini, DisplaySection, SpeedUnitsKey, defaults.speedUnits));
    s.mpgDial = KnownIdleGaugeMode(ReadText(ini, DisplaySection, MpgDialKey, defaults.mpgDial));

    // No flow means no fuel: the MPG figure would divide by zero.
    const int flow = ini.ReadInteger(InjFlowSection, FlowRateKey, defaults.flowRate);
    s.flowRate = flow > 0 ? flow : defaults.flowRate;

    s.language = KnownLanguage(ReadText(ini, DisplaySection, LanguageKey, defaults.language));
    s.limits = ReadLimits(ini);
    return s;
}

LoadedDashboardSettings LoadDashboardSettings(const QString& settingsFolder)
{
    SettingsFile file(DashboardSettingsPath(settingsFolder));
    const DashboardSettings settings = ReadDashboardSettings(file.Read());
    return { std::move(file), settings };
}

void WriteDashboardSettings(IniFile& ini, const DashboardSettings& s)
{
    ini.WriteInteger(FormSection, TopKey, s.top);
    ini.WriteInteger(FormSection, LeftKey, s.left);
    ini.WriteBool(FormSection, InitMaxKey, s.initMax);
    ini.WriteString(CommsSection, BaudRateKey, Text(s.baudText));
    ini.WriteInteger(CommsSection, SampleRateKey, s.sampleRate);
    // The fast polling keys are added only once they differ from their defaults, so that a file
    // written by a program that does not know them comes back as it was.
    const DashboardSettings defaults;
    if (ini.Value(CommsSection, FastPollingKey) || s.fastPolling != defaults.fastPolling)
        ini.WriteBool(CommsSection, FastPollingKey, s.fastPolling);
    if (ini.Value(CommsSection, FastPollGapKey)
        || s.fastPollGapMicroseconds != defaults.fastPollGapMicroseconds)
        ini.WriteInteger(CommsSection, FastPollGapKey, s.fastPollGapMicroseconds);
    ini.WriteString(DisplaySection, TempUnitsKey, Text(s.tempUnits));
    ini.WriteString(DisplaySection, SpeedUnitsKey, Text(s.speedUnits));
    ini.WriteString(DisplaySection, MpgDialKey, Text(s.mpgDial));
    ini.WriteInteger(InjFlowSection, FlowRateKey, s.flowRate);
    // Added once chosen, like the fast polling keys.
    if (ini.Value(DisplaySection, LanguageKey) || s.language != defaults.language)
        ini.WriteString(DisplaySection, LanguageKey, Text(s.language));
    WriteLimits(ini, s.limits);
}
