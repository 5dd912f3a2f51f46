#pragma once

#include "sim/SimulatorOptions.h"

#include <optional>
#include <span>
#include <string>

// The command line of dazederir-ecusim: [--ecu ID] [--link PATH] [simulator options].
struct EcusimArguments {
    std::string ecuId = "1103";
    std::optional<std::string> linkPath;
    SimulatorSettings simulator;
    bool helpWanted = false;
};

struct EcusimArgumentsParse {
    EcusimArguments arguments;
    std::string error; // one line naming the bad input; empty when all was good
};

EcusimArgumentsParse ParseEcusimArguments(std::span<const std::string> args);

inline constexpr const char* EcusimUsage
    = "usage: dazederir-ecusim [--ecu ID] [--link PATH] [--sim-bytes A=V[,A=V...]] [--sim-id-after N]\n"
      "       [--sim-drop P] [--sim-corrupt P] [--sim-cut P] [--sim-noise P] [--sim-reset-fails]\n"
      "       [--sim-unplug EVERY:FOR] [--sim-pace] [--sim-seed N]\n";
