#include "cli/CliSession.h"

#include "locale/ConnectionTexts.h"
#include "port/D2xxThread.h"
#include "sim/CableDrivers.h"

#include <algorithm>
#include <charconv>
#include <thread>

namespace {

constexpr std::chrono::milliseconds TickInterval { EcuConnection::TickMs };
// A sweep may take each window twice (one lost reply each) and then some.
constexpr int SweepAllowanceInPeriodsPerWindow = 4;

std::chrono::steady_clock::time_point SecondsFromNow(double seconds)
{
    const std::chrono::duration<double> wait(seconds);
    return std::chrono::steady_clock::now()
        + std::chrono::duration_cast<std::chrono::steady_clock::duration>(wait);
}

std::string SecondsText(double seconds)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), seconds);
    return std::string(text, result.ptr) + " s";
}

} // namespace

CliSession::CliSession(const CliOptions& options)
    : m_options(options)
{
    if (!options.recordPath.empty()) {
        m_recorder = std::make_shared<SessionRecorder>();
        m_recordingProblem = m_recorder->Start(options.recordPath);
    }
    CableDrivers cable = MakeCableDrivers(
        { options.source, options.simulateId, options.simulator, QString::fromStdString(options.portPath),
            options.replay, options.replayTiming },
        m_recorder);
    m_simulation = std::move(cable.simulation);
    m_session = std::make_unique<EcuSession>(
        [drivers = std::move(cable.factory)]() -> std::unique_ptr<InterfaceLink> {
            return std::make_unique<TD2xxThread>(drivers);
        },
        EcuSession::Ticking::ByCaller);
    if (cable.captureProgress)
        m_session->SetReplayedCapture(QString::fromStdString(options.replayPath), cable.captureProgress);
    Subscribe();
    // The options were checked when they were read, so these setters take them.
    ConnectionSettings& settings = m_session->Settings();
    settings.SetBaudText(options.baudText);
    settings.SetSampleRateText(options.sampleRateText);
    settings.SetTempUnits(options.tempUnits);
    settings.SetSpeedUnits(options.speedUnits);
    settings.SetIdleGaugeMode(options.idleGauge);
    settings.SetInjectorFlow(options.injectorFlow);
    settings.SetFastGap(options.pollGap);
    settings.SetGatherReads(options.gatherReads);
    m_session->SetPollMode(options.pollMode);
    m_nextTick = Clock::now();
}

CliSession::~CliSession()
{
    FinishRecording();
}

std::string CliSession::FinishRecording()
{
    if (m_session) {
        m_session->CloseLink();
        m_session.reset(); // joins the link thread, which closes the port
    }
    return m_recorder ? m_recorder->Stop() : std::string();
}

void CliSession::Subscribe()
{
    EcuSession* session = m_session.get();
    QObject::connect(session, &EcuSession::LinkStatusChanged, session, [this](const QString& statusText) {
        m_cableSeen = m_cableSeen || statusText == QLatin1String(InterfaceLink::VadInterface);
    });
    QObject::connect(
        session, &EcuSession::ResetFinished, session, [this](bool succeeded) { m_resetResult = succeeded; });
    QObject::connect(session, &EcuSession::ActuatorReplied, session, [this](int test, int value) {
        m_actuatorReplied
            = m_actuatorReplied || RequestScheduler::ActuatorCommand { test, value } == m_actuatorAsked;
    });
    QObject::connect(
        session, &EcuSession::PortPermissionDenied, session, [this] { m_permissionDenied = true; });
}

bool CliSession::WaitForIdentification()
{
    const auto deadline = SecondsFromNow(m_options.timeoutSeconds);
    m_session->Connect();
    if (TickUntil([this] { return Connection().Connected(); }, deadline))
        return true;
    if (m_failure.empty()) {
        m_failure = m_cableSeen ? "no identification from the ECU within " + TimeoutText()
                                : "no interface found within " + TimeoutText() + " (" + DeviceName() + ")";
    }
    return false;
}

void CliSession::SetPollPriority(EcuConnection::PollPriority priority)
{
    m_session->Settings().SetPollPriority(std::move(priority));
}

bool CliSession::PollSweeps(int sweeps)
{
    const EcuConnection& c = Connection();
    const int windows = c.Range().WindowCount();
    constexpr double MsPerSecond = 1000.0;
    const double allowance = std::max(
        m_options.timeoutSeconds, c.SampleRate() * windows * SweepAllowanceInPeriodsPerWindow / MsPerSecond);
    // A pulled and replaced cable identifies the ECU again, which starts its count of sweeps
    // afresh: the sweeps before it count too, or a cable pulled more often than N sweeps take
    // would keep the tool waiting for ever.
    int polled = 0;
    int seen = c.CompletedSweeps();
    while (polled < sweeps) {
        if (!TickUntil([&] { return c.CompletedSweeps() != seen; }, SecondsFromNow(allowance))) {
            if (m_failure.empty())
                m_failure = "the ECU stopped answering: no complete sweep within " + SecondsText(allowance);
            return false;
        }
        polled += std::max(0, c.CompletedSweeps() - seen);
        seen = c.CompletedSweeps();
    }
    return true;
}

bool CliSession::Reset(bool& succeeded)
{
    const auto deadline = SecondsFromNow(m_options.timeoutSeconds);
    m_resetResult.reset();
    m_session->RequestReset();
    if (!TickUntil([this] { return m_resetResult.has_value(); }, deadline)) {
        if (m_failure.empty())
            m_failure = "no reply to the reset request within " + TimeoutText();
        return false;
    }
    succeeded = *m_resetResult;
    return true;
}

bool CliSession::RunActuatorTest(int test, int value)
{
    const auto deadline = SecondsFromNow(m_options.timeoutSeconds);
    m_actuatorReplied = false;
    m_actuatorAsked = { test, value };
    m_session->RequestActuator(test, value);
    if (!TickUntil([this] { return m_actuatorReplied; }, deadline)) {
        if (m_failure.empty())
            m_failure = "no reply to the actuator request within " + TimeoutText();
        return false;
    }
    return true;
}

void CliSession::Record(int samples, std::chrono::milliseconds interval, const std::function<bool()>& sample,
    const std::function<bool()>& stopWanted)
{
    Clock::time_point nextSample = Clock::now() + interval;
    for (int taken = 0; taken < samples && !stopWanted();) {
        if (nextSample < m_nextTick) {
            m_session->ServiceUntil(nextSample);
            if (!sample())
                return;
            ++taken;
            nextSample = std::max(nextSample + interval, Clock::now());
        } else {
            Tick();
        }
    }
}

void CliSession::RecordAsRead(
    int rows, const std::function<bool(Clock::time_point)>& row, const std::function<bool()>& stopWanted)
{
    int taken = 0;
    bool ended = false;
    const QMetaObject::Connection connection = QObject::connect(
        m_session.get(), &EcuSession::PriorityValuesRead, m_session.get(), [&](Clock::time_point at) {
            if (ended || taken >= rows)
                return;
            ended = !row(at);
            ++taken;
        });
    while (taken < rows && !ended && !stopWanted())
        Tick();
    QObject::disconnect(connection);
}

bool CliSession::TickUntil(const std::function<bool()>& done, Clock::time_point deadline)
{
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        Tick();
        if (const std::optional<std::string> ended = CaptureEndedText(); ended && !done()) {
            // Its answers are all given: waiting longer cannot bring the goal nearer.
            m_failure = *ended;
            return false;
        }
        if (m_permissionDenied) {
            // Nothing changes by waiting: say what to do instead.
            m_failure = "cannot open " + DeviceName() + ": permission denied. " + PortPermissionInstruction;
            return false;
        }
    }
    return true;
}

std::optional<std::string> CliSession::CaptureEndedText() const
{
    if (m_session->State().stage != SessionStage::CaptureEnded)
        return std::nullopt;
    return "the capture ended after " + std::to_string(m_sweeps) + " sweeps";
}

void CliSession::Tick()
{
    m_session->ServiceUntil(m_nextTick);
    m_session->Tick();
    CountSweeps();
    // Keep the 50 ms rhythm, but after a stall start afresh rather than catch up in a burst.
    m_nextTick = std::max(m_nextTick + TickInterval, Clock::now());
}

void CliSession::CountSweeps()
{
    // A fresh identification starts the connection's count afresh.
    const int completed = Connection().CompletedSweeps();
    m_sweeps += std::max(0, completed < m_lastCompleted ? completed : completed - m_lastCompleted);
    m_lastCompleted = completed;
}

std::string CliSession::DeviceName() const
{
    switch (m_options.source) {
    case CableKind::Simulated:
        return "the simulated cable";
    case CableKind::Port:
        return m_options.portPath;
    case CableKind::Replay:
        return "the replayed capture";
    case CableKind::Search:
        break;
    }
    return "the \"VAD Interface\" cable";
}

std::string CliSession::TimeoutText() const
{
    return SecondsText(m_options.timeoutSeconds);
}
