#pragma once

#include <QMetaType>
#include <QString>

// Where the numbers of the session come from at this moment. The session holds the one value;
// every window and the command-line tool read it and make their own texts from it.
enum class SessionStage {
    // No interface cable has been found, or nobody has asked to connect yet.
    NoCable,
    // The cable is there and the ECU is asked for, but it has not yet answered a whole sweep.
    LookingForEcu,
    // The ECU answers: its values are current.
    Live,
    // It answered before and has stopped: the cable was pulled, or a sweep's worth of requests
    // went unanswered. The values held are the last ones received.
    LinkLost,
    // A log's rows stand in for the ECU; the link is not polled.
    ReplayingLog,
    // A capture file stands in for the cable and answers as the ECU did.
    ReplayingCapture,
    // The capture has no answers left: the replayed cable is silent for good.
    CaptureEnded,
};

struct SessionState {
    SessionStage stage = SessionStage::NoCable;
    // The log or capture being replayed (or whose replay ended); empty otherwise.
    QString file;

    bool operator==(const SessionState&) const = default;

    // Whether what the session's queries hold stands for the ECU now (from the car or from a
    // replay of it). In every other stage the windows show that they have no current value.
    bool Current() const
    {
        return stage == SessionStage::Live || stage == SessionStage::ReplayingLog
            || stage == SessionStage::ReplayingCapture;
    }
};

Q_DECLARE_METATYPE(SessionState)
