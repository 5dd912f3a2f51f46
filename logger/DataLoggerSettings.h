#pragma once

#include "ini/IniFile.h"
#include "logfile/DataLog.h"
#include "logfile/LogTrigger.h"

#include <QString>
#include <array>
#include <filesystem>

// What the data logger keeps in "kodralog.ini" between runs, with the defaults that a
// missing file or key gives. A value the window would refuse (a time base that is no whole
// number from 1 up, an "Address" beyond RawDataTable) also gives the default.
struct DataLoggerSettings {
    int top = 50;
    int left = 50;
    bool initMax = false;
    QString filePath = QStringLiteral("C://");
    std::array<QString, kLoggedChannels> channels
        = { QStringLiteral("RPM"), QStringLiteral("MAP"), QStringLiteral("CTS"), QStringLiteral("IAT") };
    QString timeBase = QStringLiteral("10");
    bool allValues = false; // "Record all values"
    // What Start waits for and when it stops; all empty: no trigger. Texts that do not read as
    // a trigger give none.
    TriggerTexts trigger;

    // `logFolder`, when given, is the "File Path" of a file that has none.
    static DataLoggerSettings Read(const IniFile& ini, const QString& logFolder = QString());
    void Write(IniFile& ini) const;
};

// "kodralog.ini" in the folder that holds the settings files (empty: the working directory).
std::filesystem::path DataLoggerSettingsFile(const QString& settingsFolder);
