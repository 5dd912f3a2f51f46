#pragma once

// Where the ECU is, as the program's and the command-line tool's options choose it.
enum class CableKind {
    Search, // the interface cable, found among the machine's USB serial ports
    Simulated, // the built-in simulated cable and ECU
    Port, // one given serial port, taken as the cable
    Replay, // a replayed capture file in place of the cable
};
