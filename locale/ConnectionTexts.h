#pragma once

#include <QString>
#include <QtGlobal>

// What the windows make of the connection's numbers and results, in the language the program
// shows (the command-line tool shows English). The Linguist files hold them under the context
// "EcuConnection".
QString RxErrorsText(int count);
QString SampleRateText(int ms);
QString FastPollRateText(double sweepsPerSecond);

// The result of a reset, as the command-line tool prints it; the windows show ResetResultText.
inline constexpr const char* ResetSucceededText
    = QT_TRANSLATE_NOOP("EcuConnection", "ECU successfully reset");
inline constexpr const char* ResetFailedText = QT_TRANSLATE_NOOP("EcuConnection", "ECU reset failed");
QString ResetResultText(bool succeeded);

// The one instruction for a user who may not open the serial port: the windows show it
// translated (PortPermissionText), the command-line tool as it is.
inline constexpr const char* PortPermissionInstruction = QT_TRANSLATE_NOOP("EcuConnection",
    "The serial port may only be opened by members of the dialout group: add your user to it (sudo "
    "adduser $USER dialout), then log out and in again.");
// `reason`, the failure as the system gave it, and under it the instruction.
QString PortPermissionText(const QString& reason);
