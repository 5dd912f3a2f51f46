#include "logger/DataLoggerSettings.h"

#include "logfile/ChannelLists.h"
#include "logfile/SampleInterval.h"

namespace {

constexpr const char* kFormSection = "Form";
constexpr const char* kFileSection = "File";
constexpr const char* kLogSection = "Log";
constexpr const char* kAllValuesKey = "AllValues";
constexpr std::array<const char*, kLoggedChannels> kChannelKeys = { "Ch1", "Ch2", "Ch3", "Ch4" };
constexpr const char* kTriggerSection = "Trigger";

struct TriggerKey {
    const char* key;
    std::string TriggerTexts::*text;
};
// clang-format off
constexpr std::array<TriggerKey, 5> kTriggerKeys { {
    { "StartWhen",  &TriggerTexts::startWhen },
    { "StopWhen",   &TriggerTexts::stopWhen },
    { "StopDelay",  &TriggerTexts::stopDelay },
    { "PreTrigger", &TriggerTexts::preTrigger },
    { "StopAfter",  &TriggerTexts::stopAfter },
} };
// clang-format on

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
    TriggerTexts trigger;
    for (const TriggerKey& key : kTriggerKeys)
        trigger.*key.text = ini.ReadString(kTriggerSection, key.key, {});
    if (TriggerPlan plan; !TriggerPlan::Read(trigger, plan))
        settings.trigger = trigger;
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
    // A file of a logger that never had a trigger stays as it was.
    if (trigger == TriggerTexts {} && !ini.Value(kTriggerSection, kTriggerKeys.front().key))
        return;
    for (const TriggerKey& key : kTriggerKeys)
        ini.WriteString(kTriggerSection, key.key, trigger.*key.text);
}

std::filesystem::path DataLoggerSettingsFile(const QString& settingsFolder)
{
    return std::filesystem::path(settingsFolder.toStdString()) / "kodralog.ini";
}
