#include "app/OrderlyEnd.h"

#include <QSocketNotifier>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kEndSignals = { SIGTERM, SIGINT, SIGHUP };

// What a signal handler and an exit handler can reach: static objects only.
int g_signalPipeWrite = -1;
std::function<void()>* g_endingAtExit = nullptr;

extern "C" void WriteSignalNumber(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipeWrite, &number, 1);
    errno = saved;
}

extern "C" void EndInOrderNow()
{
    std::function<void()>* ending = g_endingAtExit;
    g_endingAtExit = nullptr;
    if (ending)
        (*ending)();
}

} // namespace

OrderlyEndSignals::OrderlyEndSignals(QObject* parent)
    : QObject(parent)
{
    if (::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_signalPipeWrite = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &OrderlyEndSignals::ReadSignal);
    struct sigaction action { };
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndSignals)
        sigaction(signal, &action, nullptr);
}

OrderlyEndSignals::~OrderlyEndSignals()
{
    if (m_notifier == nullptr)
        return;
    for (const int signal : kEndSignals)
        std::signal(signal, SIG_DFL);
    g_signalPipeWrite = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void OrderlyEndSignals::ReadSignal()
{
    unsigned char number = 0;
    while (::read(m_pipe[0], &number, 1) == 1) {
        m_received = true;
        emit EndRequested(number);
    }
}

EndInOrderAtExit::EndInOrderAtExit(std::function<void()> ending)
{
    // Made before the exit handler is registered, so that it is destroyed after the handler ran.
    static std::function<void()> registeredEnding;
    static const bool registered = std::atexit(EndInOrderNow) == 0;
    if (!registered)
        return;
    registeredEnding = std::move(ending);
    g_endingAtExit = &registeredEnding;
}

EndInOrderAtExit::~EndInOrderAtExit()
{
    g_endingAtExit = nullptr;
}
