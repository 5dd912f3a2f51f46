#pragma once

#include "link/EcuFrame.h"
#include "link/FastPollSchedule.h"
#include "link/PollRange.h"

#include <bitset>
#include <functional>
#include <optional>

// What the connection asks the ECU next, in both polling modes: a wanted identification first,
// then a confirmed reset, then an actuator command, then a read of the poll range. A ticked read
// is the sweep's next window (after a failed exchange the last one again); a fast read is the one
// FastPollSchedule picks. When a request may leave is the caller's to decide.
class RequestScheduler {
public:
    using Clock = FastPollSchedule::Clock;

    struct ActuatorCommand {
        int test = 0; // the actuator window's test number 1..8, 0 = Cancel
        int value = 0; // goes out as its low eight bits
        bool operator==(const ActuatorCommand&) const = default;
    };

    // What is wanted.
    void WantIdentification() { m_wanted.set(Identification); }
    void WantReset() { m_wanted.set(Reset); }
    void WantActuator(ActuatorCommand command);
    // Reads of the range go out from now on; the ticked sweep is counted afresh.
    void StartReads();
    // The ECU is gone: it is identified again before anything is read.
    void LineLost();
    // Nothing is wanted any more.
    void Clear();
    bool SomethingWanted() const { return m_wanted.any(); }

    // What the ECU answered.
    void IdentificationAnswered() { m_wanted.reset(Identification); }
    void ResetAnswered() { m_wanted.reset(Reset); }
    // The command the reply answers. The actuator is no longer wanted, unless another command was
    // asked for while this one was on the line: that one is still to go out.
    ActuatorCommand ActuatorAnswered();
    // Tick mode: the latest window read was answered. True when that completed a sweep, window 0
    // to the last in turn since reads started.
    bool TickedReadAnswered();

    // The next request, taken; nothing while nothing is wanted.
    std::optional<EcuFrame> TakeNextTicked();
    // The same in fast mode, whose read `fast` picks at the time `clock` gives.
    std::optional<EcuFrame> TakeNextFast(
        FastPollSchedule& fast, const std::function<Clock::time_point()>& clock);
    // Tick mode: an exchange failed, so the sweep asks its last window again.
    void RepeatLastWindow() { m_nextWindow = m_lastWindow; }

    // The ECU's range; the sweep goes on from where it was.
    void SetRange(PollRange range) { m_range = range; }
    const PollRange& Range() const { return m_range; }
    // The addresses the latest read asked for: those its reply's bytes are of.
    const PollAddressList& ReadAddresses() const { return m_readAddresses; }

private:
    // In the order they go out.
    enum Kind { Identification, Reset, Actuator, Read, KindCount };

    template <typename PickRead> std::optional<EcuFrame> TakeNext(PickRead pickRead);

    std::bitset<KindCount> m_wanted;
    ActuatorCommand m_actuator;
    // The command last sent: the one that a reply answers.
    ActuatorCommand m_sentActuator;
    PollRange m_range;
    PollAddressList m_readAddresses {};
    int m_nextWindow = 0; // of the ticked sweep
    int m_lastWindow = 0; // the latest window read, in either mode
    bool m_sweepStarted = false; // window 0 of the ticked sweep has been answered
};
