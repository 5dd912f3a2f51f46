#pragma once

#include "port/D2xxThread.h"
#include "sim/EcuSimulator.h"
#include "sim/SimClock.h"
#include "sim/SimulatedCable.h"
#include "sim/SimulatorOptions.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The simulated interface cable with the simulated ECU on its far end, as the program's
// simulation mode and the command-line tool use them: the cable is pulled and put back by the
// unplug schedule, its bytes are paced when asked, and the link thread reaches it through the
// driver factory. Every call is safe from any thread.
class SimulatedEnvironment {
public:
    // `ecuId`: four hexadecimal digits (see NormalizedEcuId); `clock` drives the engine scene,
    // the pacing and the unplug schedule.
    SimulatedEnvironment(
        std::string_view ecuId, const SimulatorSettings& settings, SimClock clock = SteadySimClock());
    ~SimulatedEnvironment();
    SimulatedEnvironment(const SimulatedEnvironment&) = delete;
    SimulatedEnvironment& operator=(const SimulatedEnvironment&) = delete;

    // For TD2xxThread. The drivers it makes share this environment's cable and follow the unplug
    // schedule whenever the ports are listed or bytes read, so a pull is seen within one pass;
    // they keep what they use alive, so the environment may go before the thread.
    TD2xxThread::DriverFactory DriverFactory() const;

    SimulatedCable& Cable() const;
    std::string EcuId() const;
    SimulatorCounters Counters() const;
    // What a data read would return now, for every address.
    EcuMemory MemoryNow() const;

private:
    class LockedSimulator;
    class Plug;
    class CableDriver;

    std::shared_ptr<SimulatedCable> m_cable;
    std::shared_ptr<LockedSimulator> m_simulator;
    std::shared_ptr<Plug> m_plug;
};
