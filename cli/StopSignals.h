#pragma once

#include <csignal>

// While an object lives, SIGINT, SIGTERM and SIGHUP (the terminal closed) no longer end the
// process at once: they only note that an end was asked for, so that a recording can stop
// sampling and finish its file. The earlier handlers come back when it goes.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool Requested() const;

private:
    struct sigaction m_oldInterrupt { };
    struct sigaction m_oldTerminate { };
    struct sigaction m_oldHangUp { };
};
