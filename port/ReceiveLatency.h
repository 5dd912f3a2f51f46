#pragma once

#include <QString>

#include <optional>

// A USB serial chip holds the bytes it receives until its latency timer runs out (16 ms by
// default for FTDI chips) or a packet is full, and every exchange waits that long for its reply.
// The kernel's driver shows the timer as a sysfs attribute of the port's device.

// The tty's name as sysfs knows it ("ttyUSB0"), from the path a port was opened by; links followed.
QString SysfsTtyName(const QString& portPath);

// The latency timer of tty `ttyName` in ms, read below `sysfsRoot` (normally "/sys"); nothing
// where the port has no such attribute (a pseudo-terminal, an adapter of another kind).
std::optional<int> ReadLatencyTimer(const QString& sysfsRoot, const QString& ttyName);

// Asks for the lowest latency the port allows: the serial driver's low-latency flag on the open
// `descriptor`, and the latency timer set to 1 ms where its attribute may be written. Never fails:
// returns the timer as read back afterwards, nothing where there is none.
std::optional<int> LowerReceiveLatency(int descriptor, const QString& sysfsRoot, const QString& ttyName);

// From this timer on, an exchange at 15625 baud (14.1 ms on the wire) takes a quarter longer
// or more: polling is noticeably slowed and the user is told how to set the timer.
inline constexpr int SlowReceiveLatencyMs = 4;
