#include "link/EcuSession.h"

#include <QAbstractEventDispatcher>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <thread>

EcuSession::EcuSession(LinkFactory makeLink, Ticking ticking, QObject* parent)
    : ConnectionEvents(parent)
    , m_link(makeLink())
    , m_connection(std::make_unique<EcuConnection>(*m_link, *this))
    , m_queries(std::make_unique<ReplayedQueries>(*m_connection))
{
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &EcuSession::Tick);
    // Started now, before any event loop runs: the first tick comes after every subscriber has
    // been built and has applied its settings.
    if (ticking == Ticking::ByTimer)
        m_timer->start();

    m_deadlineTimer = new QTimer(this);
    m_deadlineTimer->setSingleShot(true);
    m_deadlineTimer->setTimerType(Qt::PreciseTimer);
    connect(m_deadlineTimer, &QTimer::timeout, this, &EcuSession::Service);
    m_link->SetArrivalNotifier([this] { BytesArrived(); });
    qRegisterMetaType<SessionState>();
    m_state = CurrentState();
}

EcuSession::~EcuSession()
{
    m_link->SetArrivalNotifier({});
    // The connection refers to the link; it goes first, after what reads it.
    m_queries.reset();
    m_connection.reset();
    m_link.reset();
}

void EcuSession::SetPollMode(EcuConnection::PollMode mode)
{
    m_fast.store(mode == EcuConnection::PollMode::Fast);
    m_connection->SetPollMode(mode);
    ArmDeadline();
}

void EcuSession::Tick()
{
    // A replay stands in for the ECU: nothing is sent to it meanwhile.
    if (!IsReplaying()) {
        m_connection->Tick();
        ArmDeadline();
    }
    UpdateState();
    ReportReceiveLatency();
}

void EcuSession::ReportReceiveLatency()
{
    const std::optional<OpenPortDetails> port = m_link->GetOpenPort();
    const std::optional<int> latency = port ? port->latencyMs : std::nullopt;
    if (latency == m_receiveLatencyMs)
        return;
    m_receiveLatencyMs = latency;
    emit ReceiveLatencyChanged(latency);
}

void EcuSession::SetReplayedCapture(const QString& file, std::shared_ptr<const CaptureProgress> progress)
{
    m_captureName = file;
    m_captureProgress = std::move(progress);
    UpdateState();
}

SessionStage EcuSession::ConnectionStage() const
{
    const EcuConnection& connection = *m_connection;
    if (connection.HasLiveValues())
        return SessionStage::Live;
    if (connection.WaitingForCable() || (connection.Connected() && connection.CompletedSweeps() > 0))
        return SessionStage::LinkLost;
    if (!connection.CableFound() || !connection.ConnectWanted())
        return SessionStage::NoCable;
    return SessionStage::LookingForEcu;
}

SessionState EcuSession::CurrentState() const
{
    if (IsReplaying())
        return { SessionStage::ReplayingLog, m_replayName };
    if (m_captureProgress) {
        if (m_captureProgress->Ended())
            return { SessionStage::CaptureEnded, m_captureName };
        return { SessionStage::ReplayingCapture, m_captureName };
    }
    return { ConnectionStage(), {} };
}

void EcuSession::UpdateState()
{
    const SessionState state = CurrentState();
    // An ended capture leaves the connection a while before it notices the silence: the values
    // are not current from the moment the cable has nothing more to say.
    m_queries->SetSourceSilent(state.stage == SessionStage::CaptureEnded);
    if (state != m_state) {
        m_state = state;
        emit StateChanged(m_state);
    }
    const bool live = m_queries->HasLiveValues();
    if (live != m_liveReported) {
        m_liveReported = live;
        emit LiveValuesChanged(live);
    }
}

bool EcuSession::BeginReplay(const QString& name)
{
    if (m_recordingLog)
        return false;
    m_replayName = name;
    ReplayedValues nothingYet;
    nothingYet.live = false;
    m_queries->Show(nothingYet);
    m_queries->Begin();
    emit ReplayChanged(name);
    UpdateState();
    return true;
}

void EcuSession::ShowReplayed(const ReplayedValues& values)
{
    if (!IsReplaying())
        return;
    m_queries->Show(values);
    UpdateState();
    EmitEveryValue();
}

void EcuSession::EndReplay()
{
    if (!IsReplaying())
        return;
    m_queries->End();
    m_replayName.clear();
    emit ReplayChanged(QString());
    UpdateState();
    EmitEveryValue();
}

void EcuSession::EmitEveryValue()
{
    const LiveValues& values = m_queries->Values();
    for (int kind = static_cast<int>(LiveValueKind::FaultFlags);
         kind <= static_cast<int>(LiveValueKind::TimeFromStart); ++kind)
        emit ValueChanged(static_cast<LiveValueKind>(kind), values);
}

void EcuSession::Service()
{
    if (IsReplaying())
        return;
    m_connection->Service();
    ArmDeadline();
    UpdateState();
}

void EcuSession::BytesArrived()
{
    if (!m_fast.load())
        return;
    {
        const std::lock_guard lock(m_arrivalMutex);
        m_bytesArrived = true;
    }
    m_arrival.notify_all();
    // One posted call at a time: it takes every byte that has arrived by then.
    if (!m_servicePosted.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_servicePosted.store(false);
                Service();
            },
            Qt::QueuedConnection);
    }
}

void EcuSession::ArmDeadline()
{
    const auto next = m_connection->NextServiceTime();
    // Without an event loop (an owner that calls ServiceUntil) there is no timer to start.
    if (!next || !thread()->eventDispatcher()) {
        m_deadlineTimer->stop();
        return;
    }
    // Compared first: a deadline long past may lie too far back to subtract from.
    const auto now = EcuConnection::Clock::now();
    const auto wait = *next <= now ? std::chrono::milliseconds(0)
                                   : std::chrono::ceil<std::chrono::milliseconds>(*next - now);
    m_deadlineTimer->start(static_cast<int>(wait.count()));
}

void EcuSession::ServiceUntil(std::chrono::steady_clock::time_point until)
{
    while (m_fast.load()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= until)
            return;
        const auto next = m_connection->NextServiceTime();
        const auto wakeAt = next ? std::clamp(*next, now, until) : until;
        {
            std::unique_lock lock(m_arrivalMutex);
            m_arrival.wait_until(lock, wakeAt, [this] { return m_bytesArrived; });
            m_bytesArrived = false;
        }
        if (std::chrono::steady_clock::now() >= until)
            return;
        Service();
    }
    std::this_thread::sleep_until(until);
}

void EcuSession::Connect()
{
    m_connection->Connect();
}

void EcuSession::Disconnect()
{
    m_connection->Disconnect();
    UpdateState();
}

void EcuSession::RequestReset()
{
    m_connection->RequestReset();
}

void EcuSession::RequestActuator(int test, int value)
{
    m_connection->RequestActuator(test, value);
}

void EcuSession::CloseLink()
{
    m_connection->CloseLink();
}
