#include "logger/DataLoggerSettings.h"

#include "logger/ChannelLists.h"
#include "logger/SampleInterval.h"

namespace {

constexpr const char* kFormSection = "Form";
constexpr const char* kFileSection = "File";
constexpr const char* kLogSection = "Log";
constexpr const char* kAllValuesKey = "AllValues";
constexpr std::array<const char*, kLoggedChannels> kChannelKeys = { "Ch1", "Ch2", "Ch3", "Ch4" };

QString ReadText(const IniFile& ini, const char* section, const char* key, const QString& fallback)
{
    return QString::fromStdString(ini.ReadString(section, key, fallback.toStdString()));
}

} // namespace

DataLoggerSettings DataLoggerSettings::Read(const IniFile& ini, const QString& logFolder)
{
    DataLoggerSettings settings;
    if (!logFolder.isEmpty())
        settings.filePath = logFolder;
    settings.top = ini.ReadInteger(kFormSection, "Top", settings.top);
    settings.left = ini.ReadInteger(kFormSection, "Left", settings.left);
    settings.initMax = ini.ReadBool(kFormSection, "InitMax", settings.initMax);
    settings.filePath = ReadText(ini, kFileSection, "File Path", settings.filePath);
    for (std::size_t i = 0; i < kChannelKeys.size(); ++i) {
        const QString channel = ReadText(ini, kLogSection, kChannelKeys[i], settings.channels[i]);
        if (!ChannelNameProblem(channel.toStdString()))
            settings.channels[i] = channel;
    }
    const QString timeBase = ReadText(ini, kLogSection, "TimeBase", settings.timeBase);
    if (const std::optional<int> seconds = ParseTimeBase(timeBase.toStdString()))
        settings.timeBase = QString::number(*seconds);
    else if (timeBase == QLatin1String(kFastTimeBase))
        settings.timeBase = timeBase;
    settings.allValues = ini.ReadBool(kLogSection, kAllValuesKey, settings.allValues);
    return settings;
}

void DataLoggerSettings::Write(IniFile& ini) const
{
    ini.WriteInteger(kFormSection, "Top", top);
    ini.WriteInteger(kFormSection, "Left", left);
    ini.WriteBool(kFormSection, "InitMax", initMax);
    ini.WriteString(kFileSection, "File Path", filePath.toStdString());
    for (std::size_t i = 0; i < kChannelKeys.size(); ++i)
        ini.WriteString(kLogSection, kChannelKeys[i], channels[i].toStdString());
    ini.WriteString(kLogSection, "TimeBase", timeBase.toStdString());
    ini.WriteBool(kLogSection, kAllValuesKey, allValues);
}

std::filesystem::path DataLoggerSettingsFile(const QString& settingsFolder)
{
    return std::filesystem::path(settingsFolder.toStdString()) / "kodralog.ini";
}
