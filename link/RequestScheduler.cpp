#include "link/RequestScheduler.h"

void RequestScheduler::WantActuator(ActuatorCommand command)
{
    m_actuator = command;
    m_wanted.set(Actuator);
}

void RequestScheduler::StartReads()
{
    m_wanted.set(Read);
    m_sweepStarted = false;
}

void RequestScheduler::LineLost()
{
    m_wanted.reset(Read);
    m_wanted.set(Identification);
}

void RequestScheduler::Clear()
{
    m_wanted.reset();
    m_sweepStarted = false;
}

RequestScheduler::ActuatorCommand RequestScheduler::ActuatorAnswered()
{
    if (m_sentActuator == m_actuator)
        m_wanted.reset(Actuator);
    return m_sentActuator;
}

bool RequestScheduler::TickedReadAnswered()
{
    if (m_lastWindow == 0)
        m_sweepStarted = true;
    if (!m_sweepStarted || !m_range.IsLast(m_lastWindow))
        return false;
    m_sweepStarted = false;
    return true;
}

template <typename PickRead> std::optional<EcuFrame> RequestScheduler::TakeNext(PickRead pickRead)
{
    if (m_wanted.test(Identification))
        return IdentifyRequest();
    if (m_wanted.test(Reset))
        return ResetRequest();
    if (m_wanted.test(Actuator)) {
        m_sentActuator = m_actuator;
        return ActuatorRequest(ActuatorPatternOfTest(m_actuator.test), m_actuator.value);
    }
    if (m_wanted.test(Read)) {
        m_readAddresses = pickRead();
        return ReadDataRequest(m_readAddresses);
    }
    return std::nullopt;
}

std::optional<EcuFrame> RequestScheduler::TakeNextTicked()
{
    return TakeNext([this] {
        m_lastWindow = m_nextWindow;
        m_nextWindow = m_range.After(m_nextWindow);
        return m_range.WindowAddresses(m_lastWindow);
    });
}

std::optional<EcuFrame> RequestScheduler::TakeNextFast(
    FastPollSchedule& fast, const std::function<Clock::time_point()>& clock)
{
    return TakeNext([&] {
        const FastPollSchedule::Read read = fast.NextRead(clock());
        if (read.window != FastPollSchedule::Read::Gathered)
            m_lastWindow = read.window;
        return read.addresses;
    });
}
