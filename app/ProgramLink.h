#pragma once

#include "app/AppOptions.h"
#include "link/EcuSession.h"
#include "sim/SimulatedEnvironment.h"

#include <memory>

// The link thread over the driver the options choose: the machine's USB serial ports, one given
// port, or the simulated cable with its ECU (kept here for as long as the program runs).
struct ProgramLink {
    std::unique_ptr<SimulatedEnvironment> simulation;
    EcuSession::LinkFactory factory;
};

ProgramLink MakeProgramLink(const AppOptions& options);
