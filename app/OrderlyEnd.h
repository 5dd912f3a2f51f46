#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;
class TDataLoggerForm;

// SIGTERM, SIGINT and SIGHUP (logging out, shutting down, Ctrl-C in the terminal) become a
// queued EndRequested on the event loop, so the program ends by the same path as closing its
// main window: the recording finished, the settings saved. A signal handler may do next to
// nothing, so it only writes the signal's number into a pipe that the event loop watches.
class OrderlyEndSignals : public QObject {
    Q_OBJECT

public:
    explicit OrderlyEndSignals(QObject* parent = nullptr);
    ~OrderlyEndSignals() override;
    OrderlyEndSignals(const OrderlyEndSignals&) = delete;
    OrderlyEndSignals& operator=(const OrderlyEndSignals&) = delete;

signals:
    void EndRequested(int signal);

private:
    void ReadSignal();

    std::array<int, 2> m_pipe { -1, -1 };
    QSocketNotifier* m_notifier = nullptr;
};

// While an object lives, an exit of the process from anywhere (the toolkit ends the program with
// exit() when the X display goes away) first finishes the data logger's recording. Only the
// recording: a display that is gone can show no message about a settings file.
class FinishRecordingAtExit {
public:
    explicit FinishRecordingAtExit(TDataLoggerForm& logger);
    ~FinishRecordingAtExit();
    FinishRecordingAtExit(const FinishRecordingAtExit&) = delete;
    FinishRecordingAtExit& operator=(const FinishRecordingAtExit&) = delete;
};
