#pragma once

#include "capture/CaptureReader.h"
#include "capture/SessionRecorder.h"
#include "port/CaptureProgress.h"
#include "port/D2xxThread.h"
#include "sim/CableKind.h"
#include "sim/SimulatedEnvironment.h"
#include "sim/SimulatorOptions.h"

#include <QString>

#include <memory>
#include <string>

// The chosen cable and what it needs besides its kind.
struct CableChoice {
    CableKind kind = CableKind::Search;
    std::string simulatedEcuId; // Simulated
    SimulatorSettings simulator; // Simulated
    QString portPath; // Port
    std::shared_ptr<const CaptureSource> replay; // Replay
    bool replayTiming = false; // Replay: keep the recorded delays
};

// The link thread's drivers for a chosen cable, and what stands behind them.
struct CableDrivers {
    TD2xxThread::DriverFactory factory;
    // Simulated: the cable and its ECU, to keep for as long as the link runs; null otherwise.
    std::unique_ptr<SimulatedEnvironment> simulation;
    // Replay: hears when the capture has run out; null otherwise.
    std::shared_ptr<CaptureProgress> captureProgress;
};

// Every driver the factory makes passes each byte on the line to `recorder`, when there is one.
CableDrivers MakeCableDrivers(const CableChoice& choice, std::shared_ptr<SessionRecorder> recorder);
