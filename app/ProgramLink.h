#pragma once

#include "app/AppOptions.h"
#include "capture/SessionRecorder.h"
#include "link/EcuSession.h"
#include "sim/SimulatedEnvironment.h"

#include <memory>

// The link thread over the driver the options choose: the machine's USB serial ports, one given
// port, a replayed capture, or the simulated cable with its ECU (kept here for as long as the
// program runs). Every byte on the line passes the session recorder, which records when asked.
struct ProgramLink {
    std::unique_ptr<SimulatedEnvironment> simulation;
    std::shared_ptr<SessionRecorder> recorder = std::make_shared<SessionRecorder>();
    EcuSession::LinkFactory factory;
    // A replayed capture tells here when it has run out; null for any other cable.
    std::shared_ptr<CaptureProgress> captureProgress;
};

// Tells the session which capture, if any, stands in for the cable.
void DescribeCable(EcuSession& session, const ProgramLink& link, const AppOptions& options);

ProgramLink MakeProgramLink(const AppOptions& options);
