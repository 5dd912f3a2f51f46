#pragma once

#include "capture/CaptureReader.h"
#include "sim/SimulatorOptions.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

// The command line of dazederir-ecusim: [--ecu ID] [--link PATH] [--replay FILE [--replay-timing]]
// [simulator options].
struct EcusimArguments {
    std::string ecuId = "1103";
    std::optional<std::string> linkPath;
    // Where to write the counters of what the simulator did when it ends (for a soak run).
    std::optional<std::string> statsPath;
    SimulatorSettings simulator;
    // Answer as this capture recorded instead of as the simulated ECU; read with the arguments.
    std::shared_ptr<const CaptureSource> replay;
    bool replayTiming = false; // keep the recorded delays
    bool helpWanted = false;
    bool versionWanted = false;
};

struct EcusimArgumentsParse {
    EcusimArguments arguments;
    std::string error; // one line naming the bad input; empty when all was good
};

EcusimArgumentsParse ParseEcusimArguments(std::span<const std::string> args);

inline constexpr const char* EcusimUsage
    = "usage: dazederir-ecusim [--ecu ID] [--link PATH] [--stats FILE] [--replay FILE [--replay-timing]]\n"
      "       [--sim-bytes A=V[,A=V...]]\n"
      "       [--sim-id-after N] [--sim-drop P] [--sim-corrupt P] [--sim-cut P] [--sim-noise P]\n"
      "       [--sim-reset-fails] [--sim-unplug EVERY:FOR] [--sim-pace] [--sim-seed N]\n"
      "       dazederir-ecusim --help | --version\n";
