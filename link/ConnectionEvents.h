#pragma once

#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <chrono>
#include <string>

// The ECU that an identification reply named, as the windows need it.
struct IdentifiedEcu {
    std::string ecuId;
    EcuSupport support = SupportNone;
    int featureFlags = 0;
};

// Carried by a signal, so that a test can watch it and a queued connection could carry it.
Q_DECLARE_METATYPE(IdentifiedEcu)

// What the connection reports, declared once. The session is this object: the connection emits
// on it and every window subscribes to the session. A connection without a session (a test, a
// benchmark, the soak's reference) is given an object of its own. The reports that may open a
// message box (identification, reset result, actuator reply, port permission) come after the tick
// has finished its receiving and polling, so a nested event loop cannot re-enter it.
class ConnectionEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // The link's status ("No Interface", "Bad Driver" or "VAD Interface"), when it changes.
    void LinkStatusChanged(const QString& statusText);
    // The polling period in force, in ms.
    void SampleRateChanged(int ms);
    // Fast polling's measured rate, every few ticks and when fast polling starts.
    void SweepRateMeasured(double sweepsPerSecond);
    // The count of exchanges that got no valid reply.
    void RxErrorCountChanged(int count);
    // After every identification reply, with the per-ECU set-up done and polling on.
    void EcuIdentified(const IdentifiedEcu& ecu);
    // The reset reply: whether the ECU reports it reset.
    void ResetFinished(bool succeeded);
    // The reply to the actuator request for `test` (0 = Cancel) with `value` arrived.
    void ActuatorReplied(int test, int value);
    // The port may not be opened for lack of permission; `reason` is the system's. Sent once until
    // the port opens: only the user can mend it.
    void PortPermissionDenied(const QString& reason);
    // A role update stored a new value (never sent for bytes that have no role); `values` are all
    // of them as they are now. Also sent by the session for every value a replay shows.
    void ValueChanged(LiveValueKind kind, const LiveValues& values);
    // Every byte of the poll priority (what is being logged) has been read again since the last
    // time; `at` is when the reply that completed them was taken in.
    void PriorityValuesRead(std::chrono::steady_clock::time_point at);
};
