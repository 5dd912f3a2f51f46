#pragma once

#include "defs/LiveValues.h"
#include "link/ConnectionEvents.h"
#include "link/EcuConnection.h"
#include "link/ReplayedQueries.h"
#include "link/SessionState.h"
#include "port/CaptureProgress.h"
#include "port/InterfaceLink.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QTimer;

// One session with the ECU: the link to the cable, the connection that drives it and the 50 ms
// tick. The program's shell owns it; every window, the command-line tool and the soak subscribe to
// its signals as peers and send it their requests. It publishes what the connection reports (the
// connection emits ConnectionEvents on it) and what it decides itself: where the numbers come
// from, whether they are current, a replay and the port's receive latency. The signals are
// emitted on the thread that owns the session, in the order they happen (from a tick, or from a
// setter), so a subscriber connected earlier hears each report first. During a replay the
// connection is neither ticked nor served, so no value or read of it can be reported then.
class EcuSession final : public ConnectionEvents {
    Q_OBJECT

public:
    // Makes the link to the cable (the link thread, or a fake in tests); called once, by the
    // constructor.
    using LinkFactory = std::function<std::unique_ptr<InterfaceLink>()>;

    // Whether the session's own timer ticks it, or its owner calls Tick (the command-line tool
    // keeps its own rhythm; tests tick it explicitly).
    enum class Ticking { ByTimer, ByCaller };

    static constexpr int TickMs = EcuConnection::TickMs;

    explicit EcuSession(LinkFactory makeLink, Ticking ticking = Ticking::ByTimer, QObject* parent = nullptr);
    ~EcuSession() override;
    EcuSession(const EcuSession&) = delete;
    EcuSession& operator=(const EcuSession&) = delete;

    const EcuConnection& Connection() const { return *m_connection; }
    // The connection's settings, for the windows and tools to change. Only these: its driving
    // (Tick, Service, the commands, the polling mode) goes through the session, which skips it
    // during a replay and arms its deadline timer for fast polling.
    ConnectionSettings& Settings() { return *m_connection; }
    // The port open now, with what the user may want to know of it.
    std::optional<OpenPortDetails> OpenPort() const { return m_link->GetOpenPort(); }
    // The values the windows show: the connection's, or a replayed log's.
    const EcuQueries& Queries() const { return *m_queries; }

    // Replay of a log: the link is not polled, and the values and signals come from the log
    // (ShowReplayed) as they would from the ECU, until EndReplay gives them back to the link.
    // False, and nothing changes, while a log is being recorded from the session.
    bool BeginReplay(const QString& name);
    void ShowReplayed(const ReplayedValues& values);
    void EndReplay();
    bool IsReplaying() const { return m_queries->Replaying(); }
    const QString& ReplayName() const { return m_replayName; }

    // The cable is a replayed capture of `file`, whose replayed cable tells `progress` when it has
    // run out of answers. Said once, before the first tick.
    void SetReplayedCapture(const QString& file, std::shared_ptr<const CaptureProgress> progress);

    // A log is being recorded from the session: a log replay cannot begin meanwhile, or the
    // log's values would be recorded as the car's.
    void SetRecordingLog(bool recording) { m_recordingLog = recording; }
    bool RecordingLog() const { return m_recordingLog; }

    // Where the open port is; empty while none is open.
    QString PortInUse() const
    {
        const std::optional<OpenPortDetails> port = m_link->GetOpenPort();
        return port ? QString::fromStdString(port->location) : QString();
    }

    // Where the numbers come from now; StateChanged tells every change.
    const SessionState& State() const { return m_state; }

    // Fast polling (see EcuConnection::Service): received bytes and the schedule's deadlines
    // drive the connection between ticks; the ticks keep supervising the link.
    void SetPollMode(EcuConnection::PollMode mode);

    // For an owner that runs no event loop while it waits for its next tick: in fast mode, serves
    // the connection as bytes arrive and deadlines pass until `until`; in tick mode only waits.
    void ServiceUntil(std::chrono::steady_clock::time_point until);

public slots:
    // One 50 ms tick of the connection (the timer's, or the owner's).
    void Tick();
    void Connect();
    // Comms > Disconnect: the port is closed and the windows show that nothing is connected.
    void Disconnect();
    // The user confirmed the reset; it goes out once the ECU has been identified.
    void RequestReset();
    void RequestActuator(int test, int value);
    // The program is ending: the port is closed if it is open.
    void CloseLink();
    // Fast mode: received bytes or a deadline of the schedule.
    void Service();

signals:
    // How long the open port's interface holds received bytes (ms), when it changes; nothing
    // while no port is open or where the port has no such setting.
    void ReceiveLatencyChanged(std::optional<int> ms);
    // Queries().HasLiveValues() changed.
    void LiveValuesChanged(bool live);
    // State() changed; emitted before the LiveValuesChanged of the same change.
    void StateChanged(const SessionState& state);
    // A replay began (the log's name) or ended (empty).
    void ReplayChanged(const QString& name);

private:
    // Every value again, so that windows showing one value per signal show them all.
    void EmitEveryValue();
    void ReportReceiveLatency();
    SessionState CurrentState() const;
    SessionStage ConnectionStage() const;
    // Tells what changed in the state and in whether the values are current.
    void UpdateState();

    std::unique_ptr<InterfaceLink> m_link;
    std::unique_ptr<EcuConnection> m_connection;
    std::unique_ptr<ReplayedQueries> m_queries;
    QString m_replayName;
    QString m_captureName;
    std::shared_ptr<const CaptureProgress> m_captureProgress;
    SessionState m_state;
    bool m_liveReported = false;
    bool m_recordingLog = false;
    QTimer* m_timer = nullptr;
    std::optional<int> m_receiveLatencyMs;

    // Called on the link thread.
    void BytesArrived();
    // Starts the deadline timer for the connection's next service time.
    void ArmDeadline();

    QTimer* m_deadlineTimer = nullptr;
    std::atomic<bool> m_fast { false };
    std::atomic<bool> m_servicePosted { false };
    std::mutex m_arrivalMutex;
    std::condition_variable m_arrival;
    bool m_bytesArrived = false; // guarded by m_arrivalMutex
};
