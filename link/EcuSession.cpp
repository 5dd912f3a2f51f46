#include "link/EcuSession.h"

#include <QTimer>

class EcuSession::Relay final : public EcuConnectionListener {
public:
    explicit Relay(EcuSession& session)
        : m_session(session)
    {
    }

    void LinkStatusChanged(const QString& statusText) override
    {
        emit m_session.LinkStatusChanged(statusText);
    }
    void ConnectTextChanged(const QString& connectText) override
    {
        emit m_session.ConnectTextChanged(connectText);
    }
    void SampleRateChanged(int ms) override { emit m_session.SampleRateChanged(ms); }
    void RxErrorCountChanged(int count) override { emit m_session.RxErrorCountChanged(count); }
    void EcuIdentified(const IdentifiedEcu& ecu) override { emit m_session.EcuIdentified(ecu); }
    void ResetFinished(bool succeeded) override { emit m_session.ResetFinished(succeeded); }
    void ActuatorReplied(int test, int value) override { emit m_session.ActuatorReplied(test, value); }
    void PortPermissionDenied(const QString& message) override
    {
        emit m_session.PortPermissionDenied(message);
    }
    // A replay speaks for the values until it ends.
    void ValueChanged(LiveValueKind kind) override
    {
        if (!m_session.IsReplaying())
            emit m_session.ValueChanged(kind, m_session.m_connection->Values());
    }
    void LiveValuesChanged(bool live) override
    {
        if (!m_session.IsReplaying())
            emit m_session.LiveValuesChanged(live);
    }

private:
    EcuSession& m_session;
};

EcuSession::EcuSession(LinkFactory makeLink, Ticking ticking, QObject* parent)
    : QObject(parent)
    , m_relay(std::make_unique<Relay>(*this))
    , m_link(makeLink())
    , m_connection(std::make_unique<EcuConnection>(*m_link, m_relay.get()))
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
}

EcuSession::~EcuSession()
{
    // The connection refers to the link; it goes first, after what reads it.
    m_queries.reset();
    m_connection.reset();
    m_link.reset();
}

QString EcuSession::SetBaudText(const QString& baudText)
{
    return m_connection->SetBaudText(baudText);
}

QString EcuSession::SetSampleRate(int ms)
{
    return m_connection->SetSampleRate(ms);
}

QString EcuSession::SetSampleRateText(const QString& msText)
{
    return m_connection->SetSampleRateText(msText);
}

void EcuSession::SetTempUnits(const std::string& unit)
{
    m_connection->SetTempUnits(unit);
}

void EcuSession::SetSpeedUnits(const std::string& unit)
{
    m_connection->SetSpeedUnits(unit);
}

void EcuSession::SetIdleGaugeMode(const std::string& mode)
{
    m_connection->SetIdleGaugeMode(mode);
}

void EcuSession::SetInjectorFlow(int flow)
{
    m_connection->SetInjectorFlow(flow);
}

void EcuSession::Tick()
{
    // A replay stands in for the ECU: nothing is sent to it meanwhile.
    if (!IsReplaying())
        m_connection->Tick();
}

void EcuSession::BeginReplay(const QString& name)
{
    m_replayName = name;
    ReplayedValues nothingYet;
    nothingYet.live = false;
    m_queries->Show(nothingYet);
    m_queries->Begin();
    emit ReplayChanged(name);
    emit LiveValuesChanged(false);
}

void EcuSession::ShowReplayed(const ReplayedValues& values)
{
    if (!IsReplaying())
        return;
    const bool wasLive = m_queries->HasLiveValues();
    m_queries->Show(values);
    if (values.live != wasLive)
        emit LiveValuesChanged(values.live);
    EmitEveryValue();
}

void EcuSession::EndReplay()
{
    if (!IsReplaying())
        return;
    m_queries->End();
    m_replayName.clear();
    emit ReplayChanged(QString());
    emit LiveValuesChanged(m_connection->HasLiveValues());
    EmitEveryValue();
}

void EcuSession::EmitEveryValue()
{
    const LiveValues& values = m_queries->Values();
    for (int kind = static_cast<int>(LiveValueKind::FaultFlags);
         kind <= static_cast<int>(LiveValueKind::TimeFromStart); ++kind)
        emit ValueChanged(static_cast<LiveValueKind>(kind), values);
}

void EcuSession::Connect()
{
    m_connection->Connect();
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
