#pragma once

#include "link/EcuFrame.h"
#include "sim/SimulatorOptions.h"

#include <cstdint>
#include <random>
#include <vector>

// What the simulated ECU did, for tests and the soak run to compare with the program's own count.
struct SimulatorCounters {
    int requests = 0; // valid requests received
    int repliesSent = 0; // replies put on the line, whole or spoiled
    int identifyIgnored = 0; // identification requests left unanswered before the Nth
    int dropped = 0; // replies not sent
    int corrupted = 0; // replies sent with a wrong checksum
    int cut = 0; // replies sent cut short
    int spoiled = 0; // replies sent corrupted, cut or both: each counts once here
    int noiseBytes = 0; // stray bytes sent ahead of a reply
    int resetFailures = 0; // reset replies reporting failure

    // Requests that got no valid reply, which the program counts as failed exchanges.
    int FailedExchanges() const { return identifyIgnored + dropped + spoiled; }
};

// Decides, from one seeded generator, what goes wrong with each reply. The same seed and the same
// sequence of replies give the same faults. Raw generator output is used rather than the standard
// distributions, whose results differ between standard libraries.
class FaultInjector {
public:
    explicit FaultInjector(const SimulatorSettings& settings);

    // Counts an identification request; false while it is to be ignored (before the Nth).
    bool AnswerIdentification();
    // The bytes that reach the line for `reply`: nothing, or the frame with the configured faults.
    std::vector<std::uint8_t> Deliver(const EcuFrame& reply);

    void CountRequest() { ++m_counters.requests; }
    void CountResetFailure() { ++m_counters.resetFailures; }
    const SimulatorCounters& Counters() const { return m_counters; }

private:
    bool Chance(double probability);
    std::uint32_t Below(std::uint32_t bound); // uniform enough in 0..bound-1 for small bounds
    std::uint8_t NoiseByte();

    double m_dropChance;
    double m_corruptChance;
    double m_cutChance;
    double m_noiseChance;
    int m_identifyAfter;
    int m_identifyRequests = 0;
    std::mt19937 m_random;
    SimulatorCounters m_counters;
};
