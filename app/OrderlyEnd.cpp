#include "app/OrderlyEnd.h"

#include "logger/DataLoggerForm.h"

#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kEndSignals = { SIGTERM, SIGINT, SIGHUP };

// What a signal handler and an exit handler can reach: static objects only.
int g_signalPipeWrite = -1;
TDataLoggerForm* g_loggerAtExit = nullptr;

extern "C" void WriteSignalNumber(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipeWrite, &number, 1);
    errno = saved;
}

extern "C" void FinishRecordingNow()
{
    TDataLoggerForm* logger = g_loggerAtExit;
    g_loggerAtExit = nullptr;
    if (!logger)
        return;
    if (const std::optional<std::string> problem = logger->FinishForExit())
        std::fprintf(stderr, "dazederir: %s\n", problem->c_str());
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
    while (::read(m_pipe[0], &number, 1) == 1)
        emit EndRequested(number);
}

FinishRecordingAtExit::FinishRecordingAtExit(TDataLoggerForm& logger)
{
    static const bool registered = std::atexit(FinishRecordingNow) == 0;
    if (registered)
        g_loggerAtExit = &logger;
}

FinishRecordingAtExit::~FinishRecordingAtExit()
{
    g_loggerAtExit = nullptr;
}
