#pragma once

#include <QString>
#include <QtGlobal>

// The one instruction for a user who may not open the serial port: the windows show it
// translated, the command-line tool as it is.
inline constexpr const char* PortPermissionInstruction = QT_TRANSLATE_NOOP("SerialPortDriver",
    "The serial port may only be opened by members of the dialout group: add your user to it (sudo "
    "adduser $USER dialout), then log out and in again.");

// `reason`, the failure as the system gave it, and under it the instruction in the language the
// program shows.
QString PortPermissionText(const QString& reason);
