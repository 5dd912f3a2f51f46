#include "link/EcuConnection.h"

#include "defs/WholeNumber.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// A whole number written with decimal digits only (blanks around it allowed); nullopt for
// anything else, a sign or a number too large for an int included.
std::optional<int> WholeNumber(const QString& text)
{
    return ParseWholeNumber(text.toStdString());
}

QString SampleRateMessage(const QString& text)
{
    return QCoreApplication::translate(
        "EcuConnection", "Sample rate \"%1\" is not a whole number of milliseconds from %2 to %3")
        .arg(text)
        .arg(EcuConnection::MinSampleRate)
        .arg(EcuConnection::MaxSampleRate);
}

} // namespace

EcuConnection::EcuConnection(InterfaceLink& link, ConnectionEvents& events, PollClock clock)
    : m_link(link)
    , m_events(events)
    , m_replyHandler(
          [this](EcuFrameType type, std::span<const std::uint8_t> data) { HandleReply(type, data); })
    , m_clock(clock ? std::move(clock) : PollClock([] { return Clock::now(); }))
{
}

void EcuConnection::Tick()
{
    // A message box opened by a notification runs a nested event loop whose timer ticks must not
    // run the receiver or the period step again before this tick has finished.
    if (m_inTick)
        return;
    m_inTick = true;
    if (SuperviseLink()) {
        if (m_pollMode == PollMode::Fast) {
            FastStep();
        } else {
            if (ReceiveStep().end == FrameReceiver::ExchangeEnd::Refused) {
                ExchangeFailed();
                m_requests.RepeatLastWindow();
            }
            if (StartsPeriod())
                PeriodStep();
        }
    }
    ++m_tickCount;
    if (m_pollMode == PollMode::Fast && m_tickCount % RateReportTicks == 0)
        emit m_events.SweepRateMeasured(SweepsPerSecond());
    DeliverAfterTick();
    m_inTick = false;
}

bool EcuConnection::SuperviseLink()
{
    const QString status = m_link.GetStatusText();
    SetLinkStatus(status);
    const bool cableFound = status == QLatin1String(InterfaceLink::VadInterface);
    m_cableFound = cableFound;

    bool openWanted = false;
    if (m_connect == ConnectStage::Asked && cableFound) {
        openWanted = true;
        m_requests.WantIdentification();
        m_lineState = LineState::TryingToConnect;
    } else if (!cableFound && m_lineState == LineState::ConnectedToEcu) {
        // Lost cable. "Bad Driver" counts as lost too: the link closes the port then as well,
        // and waiting here for "No Interface" would leave the connection dead for good.
        m_connected = false;
        m_requests.LineLost();
        m_lineState = LineState::WaitingForCable;
    } else if (cableFound && m_lineState == LineState::WaitingForCable) {
        if (m_connected)
            m_lineState = LineState::ConnectedToEcu;
        else
            openWanted = true;
    } else if (cableFound && m_lineState == LineState::TryingToConnect && m_connected) {
        m_lineState = LineState::ConnectedToEcu;
    }

    if (openWanted && !m_link.IsPortOpen())
        m_link.OpenPort(m_baudText);
    ReportPermissionProblem();
    // A port still open for a moment after Disconnect has nothing to say that anyone asked for.
    return ConnectWanted() && m_link.IsPortOpen();
}

void EcuConnection::ReportPermissionProblem()
{
    if (m_link.IsPortOpen()) {
        m_permissionReported = false;
        return;
    }
    const PortOpenError error = m_link.GetOpenError();
    if (!error.permissionDenied || m_permissionReported)
        return;
    // Retrying cannot help here, only the user can: reported once.
    m_permissionReported = true;
    ReportAfterTick(
        [this, reason = QString::fromStdString(error.text)] { emit m_events.PortPermissionDenied(reason); });
}

EcuConnection::Receipt EcuConnection::ReceiveStep()
{
    std::uint8_t count = 0;
    m_link.ReceiveBytes(m_receiveBuffer, count);
    const int errorsBefore = m_receiver.RxErrorCount();
    const FrameReceiver::ExchangeEnd end
        = m_receiver.Feed(std::span<const std::uint8_t>(m_receiveBuffer.data(), count), m_replyHandler);
    // Frames nobody asked for are counted as they are dropped.
    if (m_receiver.RxErrorCount() != errorsBefore)
        emit m_events.RxErrorCountChanged(m_receiver.RxErrorCount());
    return { count > 0, end };
}

bool EcuConnection::StartsPeriod() const
{
    // A period starts at the first tick at or after each whole multiple of the sample period, so
    // that a period the tick does not divide (75 ms) is kept on average rather than rounded to a
    // whole number of ticks: 75 ms starts periods at 0, 100, 150, 250, 300 ... ms.
    if (m_tickCount == 0)
        return true;
    const std::int64_t now = m_tickCount * TickMs;
    return now / m_sampleRate != (now - TickMs) / m_sampleRate;
}

void EcuConnection::PeriodStep()
{
    if (m_receiver.AwaitingReply()) {
        m_receiver.TimeOut();
        ExchangeFailed();
        m_requests.RepeatLastWindow();
        return;
    }
    Send(m_requests.TakeNextTicked());
}

bool EcuConnection::Send(const std::optional<EcuFrame>& request)
{
    if (!request)
        return false;
    m_receiver.RequestSent(*request);
    m_link.SendBytes(request->Bytes());
    return true;
}

void EcuConnection::ExchangeFailed()
{
    ++m_failedExchanges;
    emit m_events.RxErrorCountChanged(m_receiver.RxErrorCount());
}

bool EcuConnection::HasLiveValues() const
{
    return m_connected && m_lineState == LineState::ConnectedToEcu && m_completedSweeps > 0
        && m_failedExchanges < m_requests.Range().WindowCount();
}

void EcuConnection::HandleReply(EcuFrameType type, std::span<const std::uint8_t> data)
{
    m_failedExchanges = 0;
    switch (type) {
    case etIdentify:
        HandleIdentification(data);
        break;
    case etReadData:
        HandleData(data);
        break;
    case etResetEcu:
        HandleResetReply(data);
        break;
    case etActuator:
        HandleActuatorReply();
        break;
    }
}

void EcuConnection::HandleIdentification(std::span<const std::uint8_t> data)
{
    m_requests.IdentificationAnswered();
    if (m_connect == ConnectStage::Asked)
        m_connect = ConnectStage::Identified;
    m_connected = true;
    m_ecuId = HexByteText(data[0]) + HexByteText(data[1]);
    const EcuFrame request = IdentifyRequest();
    const EcuFrame reply = MakeEcuFrame(etIdentify, data);
    IdentificationExchange exchange { { request.Bytes().begin(), request.Bytes().end() }, {},
        std::chrono::system_clock::now() };
    exchange.answer = exchange.request;
    exchange.answer.insert(exchange.answer.end(), reply.Bytes().begin(), reply.Bytes().end());
    m_identification = std::move(exchange);
    m_lineState = LineState::ConnectedToEcu;
    SetupForEcu();
    m_fast.SetRange(m_requests.Range());
    ApplyPollPriority();
    if (m_values.faultBytes[FaultByteCount - 1] != 0) {
        m_values.faultBytes[FaultByteCount - 1] = 0;
        emit m_events.ValueChanged(LiveValueKind::FaultFlags, m_values);
    }
    m_requests.StartReads();
    m_ecuFeatureFlags = FeatureFlagsOf(m_ecuId);
    m_completedSweeps = 0;
    ReportAfterTick([this, ecu = IdentifiedEcu { m_ecuId, m_ecuSupport, m_ecuFeatureFlags }] {
        emit m_events.EcuIdentified(ecu);
    });
}

void EcuConnection::SetupForEcu()
{
    m_ecuSupport = ClassifyEcuId(m_ecuId);
    if (m_ecuSupport == SupportNone)
        return; // the windows show the message and the raw data; the copies stay as they were
    m_ecuFeatureFlags = FeatureFlagsOf(m_ecuId);
    if (m_ecuSupport != SupportFull)
        return;
    const int row = EcuRowOf(m_ecuId);
    m_roles = RoleRowAt(row);
    m_constants = ConstantsRowAt(row);
    m_requests.SetRange(PollRange::Of(m_constants));
}

void EcuConnection::HandleData(std::span<const std::uint8_t> data)
{
    const PollAddressList& addresses = m_requests.ReadAddresses();
    const std::size_t count = std::min(data.size(), addresses.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int offset = addresses[i] - m_requests.Range().Base();
        // Offsets beyond a table cannot come from the shipped ECU ranges; they are dropped rather
        // than written past its end.
        if (offset < 0 || offset >= RawTableSize)
            continue;
        m_rawDataTable[static_cast<std::size_t>(offset)] = data[i];
        m_priorityRefresh.Read(offset);
        if (offset >= RoleOffsetCount)
            continue;
        const LiveValueKind kind = ApplyRoleUpdate(
            m_values, m_roles[static_cast<std::size_t>(offset)], data[i], m_constants, m_settings);
        if (kind != LiveValueKind::None)
            emit m_events.ValueChanged(kind, m_values);
    }
    if (m_priorityRefresh.TakeComplete())
        emit m_events.PriorityValuesRead(m_clock());

    if (m_pollMode == PollMode::Fast) {
        if (m_fast.LastReadAnswered(m_clock()))
            ++m_completedSweeps;
        return;
    }
    if (m_requests.TickedReadAnswered())
        ++m_completedSweeps;
}

void EcuConnection::HandleResetReply(std::span<const std::uint8_t> data)
{
    m_requests.ResetAnswered();
    const bool succeeded = data[0] == 0;
    ReportAfterTick([this, succeeded] { emit m_events.ResetFinished(succeeded); });
}

void EcuConnection::HandleActuatorReply()
{
    // A Cancel pressed while a test was on the line is still sent after this reply.
    const RequestScheduler::ActuatorCommand answered = m_requests.ActuatorAnswered();
    ReportAfterTick([this, answered] { emit m_events.ActuatorReplied(answered.test, answered.value); });
}

void EcuConnection::SetLinkStatus(const QString& text)
{
    if (m_linkStatus == text)
        return;
    m_linkStatus = text;
    emit m_events.LinkStatusChanged(m_linkStatus);
}

void EcuConnection::ReportAfterTick(std::function<void()> report)
{
    if (m_inTick)
        m_afterTick.push_back(std::move(report));
    else
        report();
}

void EcuConnection::DeliverAfterTick()
{
    // Taken out first: a subscriber may issue commands while it is being told.
    const auto reports = std::exchange(m_afterTick, {});
    for (const auto& report : reports)
        report();
}

void EcuConnection::Connect()
{
    m_connect = ConnectStage::Asked;
}

void EcuConnection::Disconnect()
{
    m_connect = ConnectStage::NotWanted;
    m_connected = false;
    m_requests.Clear();
    m_completedSweeps = 0;
    m_receiver.Abandon();
    m_fast.ForgetExchange();
    CloseLink();
    m_lineState = LineState::NotConnected;
}

void EcuConnection::RequestReset()
{
    m_requests.WantReset();
}

void EcuConnection::RequestActuator(int test, int value)
{
    m_requests.WantActuator({ test, value });
}

QString EcuConnection::BaudTextProblem(const QString& baudText)
{
    const std::optional<int> baud = WholeNumber(baudText);
    if (!baud || *baud <= 0)
        return QCoreApplication::translate("EcuConnection", "Baud rate \"%1\" is not a positive whole number")
            .arg(baudText);
    return {};
}

QString EcuConnection::SampleRateProblem(const QString& msText)
{
    const std::optional<int> ms = WholeNumber(msText);
    if (!ms || *ms < MinSampleRate || *ms > MaxSampleRate)
        return SampleRateMessage(msText);
    return {};
}

QString EcuConnection::SetBaudText(const QString& baudText)
{
    if (QString problem = BaudTextProblem(baudText); !problem.isEmpty())
        return problem;
    const QString text = QString::number(*WholeNumber(baudText));
    m_link.SetBaudRate(text);
    m_baudText = text;
    return {};
}

QString EcuConnection::SetSampleRate(int ms)
{
    if (ms < MinSampleRate || ms > MaxSampleRate)
        return SampleRateMessage(QString::number(ms));
    m_sampleRate = ms;
    emit m_events.SampleRateChanged(m_sampleRate);
    return {};
}

QString EcuConnection::SetSampleRateText(const QString& msText)
{
    if (QString problem = SampleRateProblem(msText); !problem.isEmpty())
        return problem;
    return SetSampleRate(*WholeNumber(msText));
}

void EcuConnection::SetTempUnits(const std::string& unit)
{
    m_settings.temperatureUnit = unit;
}

void EcuConnection::SetSpeedUnits(const std::string& unit)
{
    m_settings.speedUnit = unit;
}

void EcuConnection::SetIdleGaugeMode(const std::string& mode)
{
    m_settings.idleGaugeMode = mode;
}

void EcuConnection::SetInjectorFlow(int flow)
{
    m_settings.injectorFlow = flow;
}

void EcuConnection::CloseLink()
{
    if (m_link.IsPortOpen())
        m_link.ClosePort();
}
