#include "app/ProgramPlaces.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Below the working directory or the settings folder given, as the program has always had it.
constexpr const char* SettingsSubfolder = "bin";
// Below the user's configuration folder (~/.config).
constexpr const char* InstalledSettingsSubfolder = "dazederir";
// Below the user's documents folder (~/Documents).
constexpr const char* InstalledLogSubfolder = "DazedErir";

QString Below(const QString& folder, const char* name)
{
    return QDir(folder).filePath(QString::fromLatin1(name));
}

} // namespace

bool RunsInstalled(const QString& executableFolder, const QString& installFolder)
{
    if (executableFolder.isEmpty() || installFolder.isEmpty())
        return false;
    // Empty when a folder does not exist, so a missing install folder never matches.
    const QString running = QFileInfo(executableFolder).canonicalFilePath();
    return !running.isEmpty() && running == QFileInfo(installFolder).canonicalFilePath();
}

ProgramPlaces ChooseProgramPlaces(const PlaceFacts& facts)
{
    ProgramPlaces places;
    const bool installed = RunsInstalled(facts.executableFolder, facts.installFolder);
    if (installed)
        places.defaultLogFolder = Below(
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), InstalledLogSubfolder);
    if (!facts.settingsDirOption.isEmpty())
        places.settingsFolder = Below(facts.settingsDirOption, SettingsSubfolder);
    else if (installed)
        places.settingsFolder = Below(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            InstalledSettingsSubfolder);
    else
        places.settingsFolder = Below(facts.workingFolder, SettingsSubfolder);
    return places;
}
