#pragma once

#include <QString>

// Where the program keeps its two settings files and, until the user chooses another folder, its
// logs.
//
// Run from a build tree (or from an unpacked package anywhere but its install folder) the program
// works as it always has: "bin/" below the working directory, logs in the working directory. Run
// from the folder it was installed to (started from the desktop menu, whose working directory is
// the home folder), it keeps its settings in the user's configuration folder and its logs in the
// user's documents folder instead of creating "~/bin". "--settings-dir DIR" always means DIR/bin.
struct ProgramPlaces {
    QString settingsFolder; // holds kodradash.ini and kodralog.ini
    QString defaultLogFolder; // made when the first recording starts; empty: the working directory

    bool operator==(const ProgramPlaces&) const = default;
};

struct PlaceFacts {
    QString settingsDirOption; // "--settings-dir", absolute; empty when not given
    QString executableFolder; // where the running program is
    QString installFolder; // where installing puts the program (fixed when it was built)
    QString workingFolder;
};

// True when the program runs from the folder it is installed to (links and "." resolved).
bool RunsInstalled(const QString& executableFolder, const QString& installFolder);

// The folder names below the configuration and documents folders (QStandardPaths, so that
// XDG_CONFIG_HOME and the user's own documents folder are honoured).
ProgramPlaces ChooseProgramPlaces(const PlaceFacts& facts);
