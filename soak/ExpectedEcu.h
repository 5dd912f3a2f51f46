#pragma once

#include "defs/LiveValueCatalogue.h"
#include "link/EcuConnection.h"
#include "logfile/DataLog.h"
#include "sim/EcuSimulator.h"
#include "soak/SoakLogger.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IdealLine;

// The bytes a soak run fixes in the simulated ECU (every address the connection polls, from a
// seed) and what every query may answer for them. The answers come from a reference connection
// that polls the same bytes over a perfect line; at start it is held against the tables and
// formulas applied to the bytes directly, so that the reference itself is known to be right.
// Where an ECU's role table gives one value two addresses (1901 takes the engine speed's low byte
// from offsets 7 and 35), the value rightly changes within a sweep, so every value the reference
// shows in the course of a settled sweep is allowed.
class ExpectedEcu {
public:
    using FieldChoices = SoakLogger::FieldChoices;
    // Two sweeps settle every value: a low byte polled before its high byte needs the second.
    static constexpr int SettledSweeps = 2;

    ExpectedEcu(const std::string& ecuId, std::uint32_t seed, const QString& baudText,
        const LogChannelNames& channels);
    ~ExpectedEcu();
    ExpectedEcu(const ExpectedEcu&) = delete;
    ExpectedEcu& operator=(const ExpectedEcu&) = delete;

    const std::vector<std::uint8_t>& PolledAddresses() const { return m_polled; }
    // The simulator settings with every polled byte fixed.
    SimulatorSettings FixedInto(SimulatorSettings settings) const;
    // Why the reference cannot be trusted, or nothing when it agrees with the tables and formulas.
    const std::optional<std::string>& SelfCheckProblem() const { return m_selfCheckProblem; }

    // The first query of `ecu` whose answer is not one the bytes give, or nothing.
    std::optional<std::string> QueryMismatch(const EcuQueries& ecu) const;
    // Before a first complete sweep a raw entry may still be 0; any other value must be the byte.
    std::optional<std::string> PartialRawMismatch(const EcuQueries& ecu) const;
    const FieldChoices& LogFieldChoices() const { return m_fieldChoices; }

private:
    std::optional<std::string> CheckAgainstFormulas() const;
    void CollectSettledSweep(const LogChannelNames& channels);

    std::string m_ecuId;
    std::vector<std::uint8_t> m_polled;
    EcuMemory m_memory {};
    std::unique_ptr<EcuSimulator> m_simulator;
    std::unique_ptr<IdealLine> m_line;
    ConnectionEvents m_unheard; // the reference connection's reports: nobody needs them
    std::unique_ptr<EcuConnection> m_reference;
    std::optional<std::string> m_selfCheckProblem;
    std::vector<std::vector<LiveNumber>>
        m_allowed; // by raw entry and live value, in the order of ForEachQuery
    FieldChoices m_fieldChoices;
};
