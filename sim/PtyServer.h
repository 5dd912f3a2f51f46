#pragma once

#include "capture/CaptureReplay.h"
#include "sim/EcuSimulator.h"
#include "sim/EcusimArguments.h"
#include "sim/PseudoTerminal.h"
#include "sim/PtyLink.h"

#include <csignal>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>

// Serves the simulated ECU (or a replayed capture) on a pseudo-terminal: prints each slave path it opens as a
// line on `out`, keeps the optional link pointed at it, pulls and replugs the cable on the schedule.
class PtyServer {
public:
    static constexpr int ExitDone = 0;
    static constexpr int ExitFailure = 1;
    static constexpr int ExitUsage = 2;

    PtyServer(const EcusimArguments& arguments, std::ostream& out, std::ostream& err);

    // Serves until `stop` becomes non-zero; waits run under `waitMask`, so that a stop signal
    // blocked at other times can arrive only while waiting. Returns the exit status.
    int Run(const volatile std::sig_atomic_t& stop, const sigset_t& waitMask);

private:
    double Seconds() const;
    bool PlugIn();
    void Pull();
    void Exchange();
    // Sends the replayed answers whose recorded delay has passed; the time the next one is due.
    std::optional<double> SendDueAnswers();
    void Send(const std::vector<std::uint8_t>& bytes);
    // Send through a simulated interface chip that holds what it receives (--sim-latency).
    void SendHeld(const std::vector<std::uint8_t>& bytes);
    void WriteStats() const;

    SimClock m_clock;
    double m_startSeconds;
    std::optional<UnplugSchedule> m_unplug;
    bool m_pace;
    double m_latencySeconds;
    EcuSimulator m_simulator;
    std::optional<CaptureReplay> m_replay;
    bool m_replayTiming = false;
    // Replayed answers waiting for their recorded delay, in the order they fall due; served from
    // the loop's wait, so that a stop signal ends the program however late they are.
    struct DueAnswer {
        double dueSeconds = 0;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<DueAnswer> m_dueAnswers;
    std::optional<PtyLink> m_link;
    std::optional<std::string> m_statsPath;
    int m_pulls = 0;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::ostream& m_out;
    std::ostream& m_err;
};
