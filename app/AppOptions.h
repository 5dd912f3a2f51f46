#pragma once

#include "capture/CaptureReader.h"
#include "sim/CableKind.h"
#include "sim/SimulatorOptions.h"

#include <QString>

#include <memory>
#include <span>
#include <string>
#include <vector>

// What the dazederir command line asks for.
struct AppOptions {
    static constexpr const char* DefaultSimulatedEcu = "1103";
    static constexpr int DefaultScreenshotAfterMs = 2000;
    // Between two screenshots of one run.
    static constexpr int ScreenshotSpacingMs = 1000;

    CableKind cable = CableKind::Search;
    std::string simulatedEcuId = DefaultSimulatedEcu;
    SimulatorSettings simulator;
    QString portPath;
    std::shared_ptr<const CaptureSource> replay; // read when the options were
    QString replayPath; // the file it was read from
    bool replayTiming = false; // keep the recorded delays
    QString recordPath; // record the session from the start; empty: not
    QString settingsDir; // empty: where the program keeps them (ProgramPlaces)
    bool startLogging = false; // open the data logger and press its Start
    QString openLog; // show this log in the log viewer
    bool help = false;
    bool version = false;

    // Debugging aids: pictures of the main window, and the time to its first paint.
    std::vector<QString> screenshots;
    int screenshotAfterMs = DefaultScreenshotAfterMs;
    bool reportStartup = false;
};

struct AppOptionsParse {
    AppOptions options;
    std::string error; // one line naming the bad input; empty when every option was good
    bool Ok() const { return error.empty(); }
};

// `args` are the arguments after the program name.
AppOptionsParse ParseAppOptions(std::span<const std::string> args);
std::string AppUsage();
