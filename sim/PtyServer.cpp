#include "sim/PtyServer.h"

#include "sim/LinePacing.h"
#include "sim/ReceiveHold.h"
#include "sim/SimulatorStats.h"

#include <cerrno>
#include <cmath>
#include <ctime>
#include <fstream>
#include <poll.h>

namespace {

constexpr long NanosecondsPerSecond = 1'000'000'000;
constexpr double MsPerSecond = 1000.0;

timespec ToTimespec(double seconds)
{
    const double whole = std::floor(seconds);
    return { static_cast<time_t>(whole), static_cast<long>((seconds - whole) * NanosecondsPerSecond) };
}

void SleepUntil(double steadySeconds)
{
    const timespec until = ToTimespec(steadySeconds);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) { }
}

} // namespace

PtyServer::PtyServer(const EcusimArguments& arguments, std::ostream& out, std::ostream& err)
    : m_clock(SteadySimClock())
    , m_startSeconds(m_clock())
    , m_unplug(arguments.simulator.unplug)
    , m_pace(arguments.simulator.pace)
    , m_latencySeconds(arguments.simulator.latencyMs / MsPerSecond)
    , m_simulator(arguments.ecuId, arguments.simulator, m_clock)
    , m_out(out)
    , m_err(err)
{
    if (arguments.linkPath)
        m_link.emplace(*arguments.linkPath);
    m_statsPath = arguments.statsPath;
    if (arguments.replay)
        m_replay.emplace(arguments.replay);
    m_replayTiming = arguments.replayTiming;
}

double PtyServer::Seconds() const
{
    return m_clock() - m_startSeconds;
}

bool PtyServer::PlugIn()
{
    std::string error;
    m_pty = PseudoTerminal::Open(error);
    if (!m_pty) {
        m_err << "dazederir-ecusim: cannot open a pseudo-terminal: " << error << std::endl;
        return false;
    }
    // The link first, so that whoever reads the printed path finds the link already in place.
    if (m_link && !m_link->PointAt(m_pty->SlavePath(), error))
        m_err << "dazederir-ecusim: " << error << std::endl;
    m_out << m_pty->SlavePath() << std::endl;
    return true;
}

void PtyServer::Pull()
{
    // The link goes first, so whoever sees the line hang up finds the link already gone.
    if (m_link)
        m_link->Remove();
    m_pty.reset();
}

void PtyServer::Send(const std::vector<std::uint8_t>& bytes)
{
    if (m_latencySeconds > 0) {
        SendHeld(bytes);
        return;
    }
    if (!m_pace) {
        m_pty->Write(bytes);
        return;
    }
    const double byteSeconds = LineByteSeconds(m_pty->ClientBaud());
    const double start = m_clock();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        m_pty->Write(std::span(bytes).subspan(i, 1));
        SleepUntil(start + static_cast<double>(i + 1) * byteSeconds);
    }
}

void PtyServer::SendHeld(const std::vector<std::uint8_t>& bytes)
{
    // Each byte reaches the interface chip once it is whole on the line (at once, unpaced), and
    // the chip passes it on as its latency timer allows. The program waits for the reply before
    // its next request, so answering that only after this costs nothing.
    const double byteSeconds = m_pace ? LineByteSeconds(m_pty->ClientBaud()) : 0.0;
    const double start = m_clock();
    ReceiveHold hold(m_latencySeconds);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        hold.Arrive(start + static_cast<double>(i + 1) * byteSeconds);
    std::size_t sent = 0;
    while (const std::optional<double> next = hold.NextRelease()) {
        SleepUntil(*next);
        const std::size_t count = hold.Release(m_clock());
        m_pty->Write(std::span(bytes).subspan(sent, count));
        sent += count;
    }
}

void PtyServer::Exchange()
{
    const auto written = m_pty->ReadAvailable();
    if (written.empty())
        return;
    if (!m_replay) {
        Send(m_simulator.Transfer(written));
        return;
    }
    const double writtenAt = m_clock();
    for (TimedBytes& answer : m_replay->Transfer(written)) {
        const double due = m_replayTiming ? writtenAt + answer.delayMs / MsPerSecond : writtenAt;
        // Recorded delays never go back within an answer; a later answer never overtakes one queued.
        const double after = m_dueAnswers.empty() ? due : std::max(due, m_dueAnswers.back().dueSeconds);
        m_dueAnswers.push_back({ after, std::move(answer.bytes) });
    }
}

std::optional<double> PtyServer::SendDueAnswers()
{
    while (!m_dueAnswers.empty() && m_dueAnswers.front().dueSeconds <= m_clock()) {
        if (m_pty)
            Send(m_dueAnswers.front().bytes);
        m_dueAnswers.pop_front();
    }
    if (m_dueAnswers.empty())
        return std::nullopt;
    return m_dueAnswers.front().dueSeconds;
}

int PtyServer::Run(const volatile std::sig_atomic_t& stop, const sigset_t& waitMask)
{
    if (m_link) {
        std::string error;
        if (!m_link->CheckPathFree(error)) {
            m_err << "dazederir-ecusim: " << error << std::endl;
            return ExitUsage;
        }
    }
    while (stop == 0) {
        const double now = Seconds();
        const bool pluggedIn = !m_unplug || m_unplug->IsPluggedIn(now);
        if (pluggedIn && !m_pty && !PlugIn())
            return ExitFailure;
        if (!pluggedIn && m_pty) {
            Pull();
            ++m_pulls;
        }

        std::optional<double> waitSeconds;
        if (m_unplug)
            waitSeconds = m_unplug->NextChangeAfter(now) - now;
        if (const std::optional<double> due = SendDueAnswers()) {
            const double untilDue = *due - m_clock();
            waitSeconds = std::min(waitSeconds.value_or(untilDue), untilDue);
        }
        timespec wait {};
        const timespec* timeout = nullptr;
        if (waitSeconds) {
            wait = ToTimespec(std::max(0.0, *waitSeconds));
            timeout = &wait;
        }
        pollfd line { m_pty ? m_pty->MasterFd() : -1, POLLIN, 0 };
        const int ready = ppoll(&line, 1, timeout, &waitMask);
        if (ready > 0 && m_pty && (line.revents & POLLIN))
            Exchange();
    }
    Pull();
    WriteStats();
    return ExitDone;
}

void PtyServer::WriteStats() const
{
    if (!m_statsPath)
        return;
    std::ofstream file(*m_statsPath, std::ios::binary | std::ios::trunc);
    file << StatsText({ m_simulator.Counters(), m_simulator.RejectedRequests(), m_pulls });
    if (!file.flush())
        m_err << "dazederir-ecusim: cannot write " << *m_statsPath << std::endl;
}
