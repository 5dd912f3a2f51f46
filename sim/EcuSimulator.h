#pragma once

#include "link/EcuFrame.h"
#include "sim/EngineModel.h"
#include "sim/FaultInjector.h"
#include "sim/LineResponder.h"
#include "sim/RequestAssembler.h"
#include "sim/SceneEncoder.h"
#include "sim/SimClock.h"
#include "sim/SimulatorOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The ECU at the far end of the line, with the interface's echo: every written byte comes back at
// once, followed by the replies to the requests those bytes complete. Its memory holds the engine
// scene of its ECU row as of the clock's time, with the bytes fixed by the settings on top, and
// its replies suffer the faults the settings ask for. Not thread-safe: one caller at a time.
class EcuSimulator : public LineResponder {
public:
    // `ecuId` is the ID to answer with: four hexadecimal digits (see NormalizedEcuId).
    EcuSimulator(
        std::string_view ecuId, const SimulatorSettings& settings, SimClock clock = SteadySimClock());

    std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) override;

    const std::string& EcuId() const { return m_ecuId; }
    const SimulatorSettings& Settings() const { return m_settings; }
    const SimulatorCounters& Counters() const { return m_faults.Counters(); }
    int RejectedRequests() const { return m_assembler.RejectedFrames(); }
    // The last actuator request received, as it arrived.
    const std::optional<EcuFrame>& LastActuatorRequest() const { return m_lastActuatorRequest; }
    // What a data read would return now, for every address.
    EcuMemory MemoryNow() const;
    // Seconds since the simulator was made, by its clock.
    double SecondsNow() const;

private:
    std::optional<EcuFrame> ReplyTo(const EcuFrame& request);

    std::string m_ecuId;
    std::array<std::uint8_t, 2> m_idBytes {};
    SimulatorSettings m_settings;
    SimClock m_clock;
    double m_startSeconds;
    RequestAssembler m_assembler;
    FaultInjector m_faults;
    EngineModel m_engine;
    SceneEncoder m_encoder;
    std::optional<EcuFrame> m_lastActuatorRequest;
};
