#pragma once

#include <QObject>

#include <array>
#include <csignal>
#include <functional>

class QSocketNotifier;

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

    // Whether a signal has asked the program to end: then nobody may be there to answer a question.
    bool Received() const { return m_received; }

signals:
    void EndRequested(int signal);

private:
    void ReadSignal();

    std::array<int, 2> m_pipe { -1, -1 };
    bool m_received = false;
    QSocketNotifier* m_notifier = nullptr;
};

// While an object lives, an exit of the process from anywhere (the toolkit ends the program with
// exit() when the X display goes away) first runs `ending`: the recording finished and the
// settings saved, as at a close, but with no window left to speak through.
class EndInOrderAtExit {
public:
    explicit EndInOrderAtExit(std::function<void()> ending);
    ~EndInOrderAtExit();
    EndInOrderAtExit(const EndInOrderAtExit&) = delete;
    EndInOrderAtExit& operator=(const EndInOrderAtExit&) = delete;
};
