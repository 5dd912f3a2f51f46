#pragma once

#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"

#include <QString>

#include <chrono>
#include <string>

// The ECU that an identification reply named, as the windows need it.
struct IdentifiedEcu {
    std::string ecuId;
    EcuSupport support = SupportNone;
    int featureFlags = 0;
};

// What the connection tells the windows. Every call has an empty default, so a listener takes
// only what it shows. The calls that may open a message box (identification, reset result,
// actuator reply) come after the tick has finished its receiving and polling, so a nested event
// loop cannot re-enter them.
class EcuConnectionListener {
public:
    virtual ~EcuConnectionListener() = default;

    // The link's status (InterfaceLink::GetStatusText), sent when it changes.
    virtual void LinkStatusChanged(const QString& /*statusText*/) { }
    // What the connection is doing now, as the status bars show it.
    virtual void ConnectTextChanged(const QString& /*connectText*/) { }
    // The polling period in force, in ms.
    virtual void SampleRateChanged(int /*ms*/) { }
    // Fast polling: complete sweeps a second, measured; sent every few ticks.
    virtual void SweepRateMeasured(double /*sweepsPerSecond*/) { }
    // The count of exchanges that got no valid reply.
    virtual void RxErrorCountChanged(int /*count*/) { }
    // After every identification reply, with the per-ECU set-up done and polling on.
    virtual void EcuIdentified(const IdentifiedEcu& /*ecu*/) { }
    // The reset reply: whether the ECU reports it reset.
    virtual void ResetFinished(bool /*succeeded*/) { }
    // The reply to the actuator request for `test` (0 = Cancel) with `value` arrived.
    virtual void ActuatorReplied(int /*test*/, int /*value*/) { }
    // The port could not be opened for lack of permission; sent once until it opens. The message
    // says what to do (PortPermissionText).
    virtual void PortPermissionDenied(const QString& /*message*/) { }
    // A role update stored a new value (never sent for bytes that have no role).
    virtual void ValueChanged(LiveValueKind /*kind*/) { }
    // EcuQueries::HasLiveValues changed; sent after the tick in which it changed.
    virtual void LiveValuesChanged(bool /*live*/) { }
    // Every byte of the poll priority (what is being logged) has been read again since the last
    // call; `at` is when the reply that completed them was taken in.
    virtual void PriorityValuesRead(std::chrono::steady_clock::time_point /*at*/) { }
};
