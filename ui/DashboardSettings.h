#pragma once

#include "defs/ValueLimits.h"
#include "ini/IniFile.h"
#include "link/EcuConnection.h"
#include "settings/SettingsFile.h"
#include "translations/ProgramLanguage.h"

#include <QString>

#include <filesystem>

// The main window's settings as kept in "kodradash.ini". Reading never fails: a missing key
// or a value the program cannot use gives the key's default, so a hand-edited file cannot stall
// the poll cycle or leave a gauge without a scale.
struct DashboardSettings {
    static constexpr const char* FileName = "kodradash.ini";

    int top = 50;
    int left = 50;
    bool initMax = false;
    QString baudText = QString::fromLatin1(EcuConnection::DefaultBaudText);
    int sampleRate = EcuConnection::DefaultSampleRate;
    // "As fast as the line allows" instead of one request per sample period.
    bool fastPolling = false;
    int fastPollGapMicroseconds = static_cast<int>(FastPollSchedule::DefaultGap.count());
    QString tempUnits = QStringLiteral("C");
    QString speedUnits = QStringLiteral("MPH");
    QString mpgDial = QStringLiteral("IAC");
    int flowRate = 210;
    // Options > Language: a code of LanguageChoices(), applied at the next start.
    QString language = QString::fromLatin1(SystemLanguage);
    // Options > Limits: the warning and alarm limits of the live values.
    LimitTable limits = DefaultLimits();

    // The idle gauge shows the fuel figure rather than the idle valve.
    bool MpgMode() const;
    // The unit choices as the value scaling takes them.
    LiveSettings Units() const;

    bool operator==(const DashboardSettings&) const = default;
};

// The settings file in the folder that holds the settings files (empty: the working directory).
std::filesystem::path DashboardSettingsPath(const QString& settingsFolder);

DashboardSettings ReadDashboardSettings(const IniFile& ini);

// The settings file and what it held, read once at start-up: the language must be known before
// the first window is made, and the file is read (and a problem with it said) only once.
struct LoadedDashboardSettings {
    SettingsFile file;
    DashboardSettings settings;
};
LoadedDashboardSettings LoadDashboardSettings(const QString& settingsFolder);
// Writes every key, leaving the file's other lines as they are.
void WriteDashboardSettings(IniFile& ini, const DashboardSettings& settings);

// The units and modes the window knows; any other text gives the default one, so that what a
// dial is labelled always matches how its values are scaled.
QString KnownTempUnits(const QString& text); // "F" or "C"
QString KnownSpeedUnits(const QString& text); // "KPH" or "MPH"
QString KnownIdleGaugeMode(const QString& text); // "MPG" or "IAC"
