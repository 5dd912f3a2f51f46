#pragma once

#include "sim/UnplugSchedule.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How the simulated ECU and cable behave; filled from the --sim-... options.
struct SimulatorSettings {
    static constexpr int MemoryBytes = 256;

    // Bytes fixed by --sim-bytes, by data address; they override the engine scene.
    std::array<std::optional<std::uint8_t>, MemoryBytes> fixedBytes {};
    int identifyAfter = 1; // the identification is answered from this request on
    double dropChance = 0.0;
    double corruptChance = 0.0;
    double cutChance = 0.0;
    double noiseChance = 0.0;
    bool resetFails = false;
    std::optional<UnplugSchedule> unplug;
    bool pace = false;
    // How long the simulated interface chip holds the bytes it receives (ms); 0: not at all.
    int latencyMs = 0;
    static constexpr int MaxLatencyMs = 255; // the most a chip's latency timer holds
    std::uint32_t seed = 1;
};

enum class SimOptionOutcome {
    NotSimulatorOption, // args[index] is someone else's; nothing consumed
    Taken, // parsed into the settings; index moved past the option and its value
    Failed, // one of ours with a bad or missing value; `error` names it
};

// Parses the option at args[index] when it is a simulator option. A value may follow as the next
// argument or after '=' ("--sim-drop 0.1", "--sim-drop=0.1"). Lets a program with options of its
// own walk its argument list and hand each argument here first.
SimOptionOutcome TakeSimulatorOption(
    std::span<const std::string> args, std::size_t& index, SimulatorSettings& settings, std::string& error);

struct SimulatorOptionsParse {
    SimulatorSettings settings;
    std::vector<std::string> rest; // the arguments that are not simulator options, in order
    std::string error; // empty when every simulator option was good
    bool Ok() const { return error.empty(); }
};

// Takes every simulator option out of `args`; stops at the first bad one.
SimulatorOptionsParse ParseSimulatorOptions(std::span<const std::string> args);

// An EcuId for the simulator to answer with: four hexadecimal digits, returned in upper case
// (the program builds the upper-case text from the reply bytes). nullopt when not valid.
std::optional<std::string> NormalizedEcuId(std::string_view text);
