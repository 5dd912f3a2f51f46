#pragma once

#include "link/EcuConnection.h"
#include "logfile/DataLog.h"
#include "sim/SimulatorOptions.h"

#include <QString>

#include <span>
#include <string>
#include <vector>

// The command line of dazederir-soak, checked. The simulator options are those of
// dazederir-ecusim and go to it; the soak fixes every polled byte itself (from the seed), so
// --sim-bytes is not one of them.
struct SoakOptions {
    double durationSeconds = 30.0;
    std::string ecuId = "1103";
    QString baudText = QStringLiteral("15625");
    int sampleRateMs = 50;
    int timeBase = 1; // seconds per grid division of the logger's first chart: 40 ms samples
    LogChannelNames channels = { "RPM", "MAP", "CTS", "IAT" };
    double saveEveryMinutes = 1.0;
    std::string logDir; // empty: a temporary folder
    std::string ecusimProgram;
    EcuConnection::PollMode pollMode = EcuConnection::PollMode::Tick;
    bool gatherReads = false; // with fast polling
    bool help = false;
    // Every kind of fault at once unless told otherwise.
    SimulatorSettings simulator = DefaultFaults();

    static SimulatorSettings DefaultFaults();
};

struct SoakOptionsParse {
    SoakOptions options;
    std::string error; // one line naming the bad input; empty when all was good
};

// `ecusimProgram` is the simulator to run unless --ecusim names another.
SoakOptionsParse ParseSoakOptions(std::span<const std::string> args, const std::string& ecusimProgram);

// The dazederir-ecusim options that give a simulator these settings.
std::vector<std::string> SimulatorArguments(const SimulatorSettings& settings);

inline constexpr const char* SoakUsage
    = "usage: dazederir-soak [--duration S] [--ecu ID] [--baud N] [--sample-rate MS]\n"
      "       [--time-base S] [--channels C1,C2,C3,C4] [--save-every MIN] [--log-dir DIR]\n"
      "       [--ecusim PATH] [--no-unplug] [--poll tick|fast] [--gather-reads]\n"
      "       [simulator options of dazederir-ecusim but --sim-bytes]\n"
      "Runs the link thread, the serial-port driver, the connection and the data log against\n"
      "dazederir-ecusim on a pseudo-terminal, with faults injected, checks every value, count and\n"
      "saved row, prints a summary and exits with 0 when every check passed, 1 otherwise.\n";
