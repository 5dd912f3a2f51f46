#include "cli/StopSignals.h"

namespace {

// A signal handler can reach nothing but a static object, and only one of this type.
volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void NoteStop(int /*signal*/)
{
    g_stopRequested = 1;
}

} // namespace

StopSignals::StopSignals()
{
    g_stopRequested = 0;
    struct sigaction action { };
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_oldInterrupt);
    sigaction(SIGTERM, &action, &m_oldTerminate);
    sigaction(SIGHUP, &action, &m_oldHangUp);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &m_oldInterrupt, nullptr);
    sigaction(SIGTERM, &m_oldTerminate, nullptr);
    sigaction(SIGHUP, &m_oldHangUp, nullptr);
}

bool StopSignals::Requested() const
{
    return g_stopRequested != 0;
}
