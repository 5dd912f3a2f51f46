#pragma once

#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"
#include "defs/RoleTable.h"
#include "link/ConnectionEvents.h"
#include "link/ConnectionSettings.h"
#include "link/EcuFrame.h"
#include "link/EcuQueries.h"
#include "link/FastPollSchedule.h"
#include "link/FrameReceiver.h"
#include "link/PollRange.h"
#include "link/PriorityRefresh.h"
#include "link/RequestScheduler.h"
#include "port/InterfaceLink.h"

#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The connection to the ECU and its poll cycle, driven by one Tick() every 50 ms: it asks the link
// to open the cable, identifies the ECU, polls its data addresses eight at a time at the sample
// period, sends the reset and actuator requests of the other windows, keeps the latest raw bytes
// and scaled values and answers the queries every window reads them with. It reaches the link
// only through InterfaceLink and tells the windows through ConnectionEvents. Which request goes
// next, in both polling modes, is RequestScheduler's to say; which addresses, PollRange's.
//
// In fast mode the tick keeps its link supervision, and Service() (called whenever bytes arrive
// and at the schedule's deadlines) sends each request as soon as the exchange before it is over;
// see FastPollSchedule.
class EcuConnection final : public EcuQueries, public ConnectionSettings {
public:
    // The identification exchange as it went over the line: the request, then what was read
    // for it (the interface's echo of the request and the ECU's reply), and when.
    struct IdentificationExchange {
        std::vector<std::uint8_t> request;
        std::vector<std::uint8_t> answer;
        std::chrono::system_clock::time_point madeAt;
    };

    enum class PollMode { Tick, Fast };
    using Clock = FastPollSchedule::Clock;
    // Where fast polling takes the time from; tests give their own.
    using PollClock = std::function<Clock::time_point()>;

    // Beyond the echo and the reply on the wire, what a reply may take before its exchange
    // counts as failed in fast mode: the interface's receive latency and the event loop's delay.
    // Generous: bytes that come after their exchange was given up could be taken for those of the
    // next request when it asks for the same addresses again.
    static constexpr std::chrono::milliseconds FastReplySlack { 100 };
    // How often, in ticks, fast mode reports its measured sweep rate.
    static constexpr int RateReportTicks = 10;

    static constexpr int TickMs = 50;
    static constexpr int MinSampleRate = TickMs; // a shorter period would be 0 ticks long
    static constexpr int MaxSampleRate = 500;
    static constexpr int DefaultSampleRate = 100;
    static constexpr const char* DefaultBaudText = "15625";

    // What the connection is doing with the ECU; the windows name it from the session's state.
    enum class LineState { NotConnected, TryingToConnect, ConnectedToEcu, WaitingForCable };

    using RawTable = std::array<int, RawTableSize>;

    // What the connection reports is emitted on `events` (the session, or a test's own object).
    EcuConnection(InterfaceLink& link, ConnectionEvents& events, PollClock clock = {});
    EcuConnection(const EcuConnection&) = delete;
    EcuConnection& operator=(const EcuConnection&) = delete;

    // One 50 ms tick: link supervision, receiving and, at the start of a sample period, at most
    // one request. The receiver takes only the reply to the outstanding request (see
    // FrameReceiver); identification and reset replies therefore always carry their bytes. A call
    // made while a tick runs (from a subscriber's nested event loop) returns at once.
    void Tick();

    // Fast mode: takes the bytes that arrived, ends an exchange whose reply is overdue and sends
    // the next request once the gap has passed. Does nothing in tick mode or during a tick.
    void Service();
    // When Service has something to do even if no byte arrives; nothing in tick mode or while
    // nothing is to be sent.
    std::optional<Clock::time_point> NextServiceTime() const;

    // Commands.
    void Connect();
    // The user closes the line: the port is closed and nothing is asked of the ECU until Connect.
    void Disconnect();
    // The user confirmed the reset; it goes out once the ECU has been identified.
    void RequestReset();
    // `test` is the actuator window's test number 1..8 (0 = Cancel); `value` goes out as its low
    // eight bits.
    void RequestActuator(int test, int value);
    // ConnectionSettings.
    QString SetBaudText(const QString& baudText) override;
    QString SetSampleRate(int ms) override;
    QString SetSampleRateText(const QString& msText) override;
    // What those setters would answer, without changing anything (for checking options first).
    static QString BaudTextProblem(const QString& baudText);
    static QString SampleRateProblem(const QString& msText);
    void SetTempUnits(const std::string& unit) override;
    void SetSpeedUnits(const std::string& unit) override;
    void SetIdleGaugeMode(const std::string& mode) override;
    void SetInjectorFlow(int flow) override;
    void SetFastGap(FastPollSchedule::Duration gap) override;
    void SetGatherReads(bool gather) override;
    void SetPollPriority(PollPriority priority) override;
    // The session's to change: it serves fast mode between ticks.
    void SetPollMode(PollMode mode);
    // The main window is closing: the port is closed if it is open.
    void CloseLink();

    // State.
    LineState State() const { return m_lineState; }
    // Whether the cable was there at the last tick.
    bool CableFound() const { return m_cableFound; }
    // The cable went while connected: the connection waits for it to come back.
    bool WaitingForCable() const { return m_lineState == LineState::WaitingForCable; }
    bool ConnectWanted() const { return m_connect != ConnectStage::NotWanted; }
    bool Connected() const { return m_connected; }
    std::int64_t TickCount() const { return m_tickCount; }
    int SampleRate() const { return m_sampleRate; }
    const QString& BaudText() const { return m_baudText; }
    EcuSupport GetEcuSupport() const { return m_ecuSupport; }
    int GetEcuFeatureFlags() const { return m_ecuFeatureFlags; }
    // The addresses polled: those of the latest fully supported ECU identified.
    const PollRange& Range() const { return m_requests.Range(); }
    const EcuConstantsRow& Constants() const { return m_constants; }
    const RawTable& RawDataTable() const { return m_rawDataTable; }
    const LiveSettings& Settings() const override { return m_settings; }
    const FrameReceiver& Receiver() const { return m_receiver; }
    int RxErrorCount() const { return m_receiver.RxErrorCount(); }
    // The latest identification; none before the first.
    const std::optional<IdentificationExchange>& LastIdentification() const { return m_identification; }
    // Complete passes over the poll windows, from window 0 to the last, since the latest
    // identification.
    int CompletedSweeps() const { return m_completedSweeps; }
    PollMode GetPollMode() const { return m_pollMode; }

    // EcuQueries.
    bool HasLiveValues() const override;
    const LiveValues& Values() const override { return m_values; }
    int GetRawValue(int offset) const override;
    std::string GetLoadSensorName() const override;
    std::string GetIacKindName() const override;
    std::string GetEgrKindName() const override;
    std::string GetEcuId() const override;
    std::string GetBaudText() const override;

private:
    bool SuperviseLink();
    void ReportPermissionProblem();
    struct Receipt {
        bool bytesCame = false;
        FrameReceiver::ExchangeEnd end = FrameReceiver::ExchangeEnd::Open;
    };
    Receipt ReceiveStep();
    bool StartsPeriod() const;
    void PeriodStep();
    // Sends the request, if there is one; whether one went out.
    bool Send(const std::optional<EcuFrame>& request);
    void ExchangeFailed();
    void FastStep();
    void FastExchangeFailed(Clock::time_point now);
    FastPollSchedule::Duration FastReplyTimeout() const;
    void ApplyPollPriority();

    void HandleReply(EcuFrameType type, std::span<const std::uint8_t> data);
    void HandleIdentification(std::span<const std::uint8_t> data);
    void HandleData(std::span<const std::uint8_t> data);
    void HandleResetReply(std::span<const std::uint8_t> data);
    void HandleActuatorReply();
    void SetupForEcu();
    // Fast mode: complete sweeps a second, measured.
    double SweepsPerSecond() const { return m_fast.SweepsPerSecond(m_clock()); }

    void SetLinkStatus(const QString& text);
    // Runs `report` after the tick when a tick is running, at once otherwise.
    void ReportAfterTick(std::function<void()> report);
    void DeliverAfterTick();

    InterfaceLink& m_link;
    ConnectionEvents& m_events;

    QString m_linkStatus;
    bool m_cableFound = false;
    bool m_permissionReported = false; // until the port opens again
    LineState m_lineState = LineState::NotConnected;
    // Connect asks for the ECU, its identification answers, Disconnect withdraws the wish.
    enum class ConnectStage { NotWanted, Asked, Identified };
    ConnectStage m_connect = ConnectStage::NotWanted;
    bool m_connected = false;
    RequestScheduler m_requests;
    // 64 bits: a 32-bit count of 50 ms ticks would overflow after three years of running.
    std::int64_t m_tickCount = 0;
    int m_sampleRate = DefaultSampleRate;
    QString m_baudText { QString::fromLatin1(DefaultBaudText) };

    std::string m_ecuId;
    std::optional<IdentificationExchange> m_identification;
    EcuSupport m_ecuSupport = SupportNone;
    int m_ecuFeatureFlags = 0;
    // No role until a fully supported ECU is identified, so that polled bytes are kept as raw
    // values only instead of being taken for fault flags.
    RoleRow m_roles = EmptyRoleRow();
    EcuConstantsRow m_constants;
    RawTable m_rawDataTable {};
    LiveValues m_values;
    LiveSettings m_settings;

    FrameReceiver m_receiver;
    const FrameReceiver::ReplyHandler m_replyHandler;
    InterfaceLink::ReceiveBuffer m_receiveBuffer {};

    int m_completedSweeps = 0;
    // Exchanges in a row that got no usable reply; a sweep's worth of them means the ECU is silent.
    int m_failedExchanges = 0;

    PollMode m_pollMode = PollMode::Tick;
    PollClock m_clock;
    FastPollSchedule m_fast;
    bool m_gatherReads = false;
    PollPriority m_priority;
    PriorityRefresh m_priorityRefresh;

    bool m_inTick = false;
    std::vector<std::function<void()>> m_afterTick;
};
