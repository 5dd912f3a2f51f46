#pragma once

#include "capture/SessionRecorder.h"
#include "cli/CliOptions.h"
#include "link/EcuSession.h"
#include "link/RequestScheduler.h"
#include "sim/SimulatedEnvironment.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The ECU session the program runs, without a window: the simulated environment when asked for,
// and the 50 ms ticks, run by waits that end when their goal is met or their time is up.
class CliSession final {
public:
    explicit CliSession(const CliOptions& options);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Each wait returns false when its goal was not met in time, with the reason in Failure().
    bool WaitForIdentification();
    bool PollSweeps(int sweeps);
    // `succeeded` gets the ECU's verdict.
    bool Reset(bool& succeeded);
    bool RunActuatorTest(int test, int value);
    // Keeps polling while calling `sample` every `interval`, `samples` times, as the data logger's
    // own timer samples beside the session's ticks. Ends sooner when `sample` returns false
    // or, checked at every tick, `stopWanted` returns true.
    void Record(int samples, std::chrono::milliseconds interval, const std::function<bool()>& sample,
        const std::function<bool()>& stopWanted);

    // Fast polling: keeps polling while calling `row` each time every priority value (the log's
    // channels) has been read again, with the time the last of their replies was taken in, `rows`
    // times. Ends sooner when `row` returns false or, checked at every tick, `stopWanted` holds.
    void RecordAsRead(int rows, const std::function<bool(std::chrono::steady_clock::time_point)>& row,
        const std::function<bool()>& stopWanted);

    // Why the capture file asked for by --record could not be made; empty when recording (or
    // not asked to).
    const std::string& RecordingProblem() const { return m_recordingProblem; }
    // Ends the session and the recording with every byte of it on the disk; why the capture file
    // could not be written, or empty. The session is over afterwards.
    std::string FinishRecording();
    // What fast polling reads more often (the log's channels).
    void SetPollPriority(EcuConnection::PollPriority priority);

    const EcuConnection& Connection() const { return m_session->Connection(); }
    const EcuSession& Session() const { return *m_session; }
    std::optional<OpenPortDetails> OpenPort() const { return m_session->OpenPort(); }
    const std::string& Failure() const { return m_failure; }
    // "the capture ended after N sweeps" once a replayed capture has given all its answers.
    std::optional<std::string> CaptureEndedText() const;

private:
    using Clock = std::chrono::steady_clock;

    // Ticks at the 50 ms rhythm until `done` holds or `deadline` passes (also after a failure
    // that waiting cannot mend). Whether `done` came to hold.
    bool TickUntil(const std::function<bool()>& done, Clock::time_point deadline);
    void Tick();
    void CountSweeps();
    std::string DeviceName() const;
    std::string TimeoutText() const;

    void Subscribe();

    const CliOptions& m_options;
    std::unique_ptr<SimulatedEnvironment> m_simulation;
    std::shared_ptr<SessionRecorder> m_recorder;
    std::string m_recordingProblem;
    std::unique_ptr<EcuSession> m_session;
    Clock::time_point m_nextTick;
    bool m_cableSeen = false;
    // Complete sweeps since the start, across identifications.
    int m_sweeps = 0;
    int m_lastCompleted = 0;
    std::optional<bool> m_resetResult;
    bool m_actuatorReplied = false;
    RequestScheduler::ActuatorCommand m_actuatorAsked;
    bool m_permissionDenied = false;
    std::string m_failure;
};
