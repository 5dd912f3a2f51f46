#pragma once

#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"

#include <QCoreApplication>
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

    // Status bar panel 0: "No Interface", "Bad Driver" or "VAD Interface". Sent when it changes.
    virtual void LinkStatusChanged(const QString& /*statusText*/) { }
    // Status bar panel 1: the connection text.
    virtual void ConnectTextChanged(const QString& /*connectText*/) { }
    // Status bar panel 2 of the main window (SampleRateText).
    virtual void SampleRateChanged(int /*ms*/) { }
    // Fast polling: complete sweeps a second, measured; sent every few ticks (status bar panel 2).
    virtual void SweepRateMeasured(double /*sweepsPerSecond*/) { }
    // Status bar panel 3 of the main window and of the data viewer (RxErrorsText).
    virtual void RxErrorCountChanged(int /*count*/) { }
    // After every identification reply, with the per-ECU set-up done and polling on.
    virtual void EcuIdentified(const IdentifiedEcu& /*ecu*/) { }
    // The reset reply: true for "ECU successfully reset", false for "ECU reset failed".
    virtual void ResetFinished(bool /*succeeded*/) { }
    // The reply to the actuator request for `test` (0 = Cancel) with `value` arrived.
    virtual void ActuatorReplied(int /*test*/, int /*value*/) { }
    // The port could not be opened for lack of permission; sent once until it opens. The text says
    // what to do.
    virtual void PortPermissionDenied(const QString& /*message*/) { }
    // A role update stored a new value (never sent for bytes that have no role).
    virtual void ValueChanged(LiveValueKind /*kind*/) { }
    // EcuQueries::HasLiveValues changed; sent after the tick in which it changed.
    virtual void LiveValuesChanged(bool /*live*/) { }
    // Every byte of the poll priority (what is being logged) has been read again since the last
    // call; `at` is when the reply that completed them was taken in.
    virtual void PriorityValuesRead(std::chrono::steady_clock::time_point /*at*/) { }
};

// The texts below are in the language the program shows (the command-line tool shows English).
inline QString RxErrorsText(int count)
{
    //: Rx: received. Counts the exchanges that got no valid reply.
    return QCoreApplication::translate("EcuConnection", "Rx Errors %1").arg(count);
}

inline QString SampleRateText(int ms)
{
    return QCoreApplication::translate("EcuConnection", "Sample Rate %1ms").arg(ms);
}

inline QString FastPollRateText(double sweepsPerSecond)
{
    return QCoreApplication::translate("EcuConnection", "Fast %1 sweeps/s").arg(sweepsPerSecond, 0, 'f', 1);
}

// What to tell a user who may not open the serial port; `reason` is the failure as the system gave it.
inline QString PortPermissionText(const QString& reason)
{
    return QCoreApplication::translate("EcuConnection",
        "%1\nThe serial port may only be opened by members of the dialout group: add your "
        "user to it (sudo adduser $USER dialout), then log out and in again.")
        .arg(reason);
}

// Compared as they are; the windows translate them (context "EcuConnection").
inline constexpr const char* ResetSucceededText
    = QT_TRANSLATE_NOOP("EcuConnection", "ECU successfully reset");
inline constexpr const char* ResetFailedText = QT_TRANSLATE_NOOP("EcuConnection", "ECU reset failed");
