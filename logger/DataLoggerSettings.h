#pragma once

#include "ini/IniFile.h"
#include "logger/DataLog.h"

#include <QString>
#include <array>
#include <filesystem>

// What the data logger keeps in "bin/kodralog.ini" between runs, with the defaults that a
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

    static DataLoggerSettings Read(const IniFile& ini);
    void Write(IniFile& ini) const;
};

// "bin/kodralog.ini" under the settings folder (the working directory unless told otherwise).
std::filesystem::path DataLoggerSettingsFile(const QString& settingsDir);
