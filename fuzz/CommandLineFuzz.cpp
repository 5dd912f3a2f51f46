// Hands any argument list (the input cut at NUL bytes, as argv cannot hold one) to the option
// parsers of dazederir-cli and its commands, dazederir-ecusim, the simulator options they share
// and dazederir-soak. None may crash or hang, and whatever a parser accepts must be usable: a
// value the program would refuse elsewhere, or simulator settings that the arguments handed on
// to dazederir-ecusim would not give again, abort.
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "link/EcuConnection.h"
#include "sim/EcusimArguments.h"
#include "sim/SimulatorOptions.h"
#include "soak/SoakOptions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MaxArguments = 64;

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= MaxArguments; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    if (size == 0)
        args.clear();
    return args;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool ValidChance(double chance)
{
    return chance >= 0.0 && chance <= 1.0;
}

void RequireUsable(const SimulatorSettings& s)
{
    Require(ValidChance(s.dropChance) && ValidChance(s.corruptChance) && ValidChance(s.cutChance)
        && ValidChance(s.noiseChance));
    Require(s.identifyAfter >= 1);
    if (s.unplug) {
        Require(std::isfinite(s.unplug->Every()) && s.unplug->Out() > 0.0);
        Require(s.unplug->Out() < s.unplug->Every());
    }
}

// The arguments the soak hands to dazederir-ecusim give exactly these settings again.
void RequireReproducible(const SimulatorSettings& s)
{
    const SimulatorOptionsParse again = ParseSimulatorOptions(SimulatorArguments(s));
    Require(again.Ok() && again.rest.empty());
    const SimulatorSettings& t = again.settings;
    Require(t.fixedBytes == s.fixedBytes && t.identifyAfter == s.identifyAfter && t.dropChance == s.dropChance
        && t.corruptChance == s.corruptChance && t.cutChance == s.cutChance && t.noiseChance == s.noiseChance
        && t.resetFails == s.resetFails && t.pace == s.pace && t.seed == s.seed
        && t.unplug.has_value() == s.unplug.has_value());
    if (s.unplug)
        Require(t.unplug->Every() == s.unplug->Every() && t.unplug->Out() == s.unplug->Out());
}

void FuzzCli(const std::vector<std::string>& args)
{
    const CliParse parse = ParseCliArguments(args);
    if (!parse.error.empty())
        return;
    const CliOptions& o = parse.options;
    Require(o.helpWanted || !o.command.empty());
    Require(EcuConnection::BaudTextProblem(o.baudText).isEmpty());
    Require(EcuConnection::SampleRateProblem(o.sampleRateText).isEmpty());
    Require(std::isfinite(o.timeoutSeconds) && o.timeoutSeconds > 0 && o.injectorFlow >= 1);
    Require(o.source != CableKind::Port || !o.portPath.empty());
    RequireUsable(o.simulator);
    RequireReproducible(o.simulator);
    if (const CliCommand* command = FindCliCommand(o.command)) {
        const CommandParse commandParse = command->parse(o.commandArgs);
        Require(commandParse.error.empty() == static_cast<bool>(commandParse.run));
    }
}

void FuzzEcusim(const std::vector<std::string>& args)
{
    const EcusimArgumentsParse parse = ParseEcusimArguments(args);
    if (!parse.error.empty())
        return;
    Require(NormalizedEcuId(parse.arguments.ecuId) == parse.arguments.ecuId);
    Require(!parse.arguments.linkPath || !parse.arguments.linkPath->empty());
    RequireUsable(parse.arguments.simulator);
}

void FuzzSimulatorOptions(const std::vector<std::string>& args)
{
    const SimulatorOptionsParse parse = ParseSimulatorOptions(args);
    Require(parse.rest.size() <= args.size());
    if (!parse.Ok())
        return;
    RequireUsable(parse.settings);
    RequireReproducible(parse.settings);
}

void FuzzSoak(const std::vector<std::string>& args)
{
    const SoakOptionsParse parse = ParseSoakOptions(args, "dazederir-ecusim");
    if (!parse.error.empty())
        return;
    const SoakOptions& o = parse.options;
    Require(o.durationSeconds > 0 && std::isfinite(o.durationSeconds));
    Require(o.saveEveryMinutes > 0 && std::isfinite(o.saveEveryMinutes));
    Require(o.sampleRateMs >= EcuConnection::MinSampleRate && o.sampleRateMs <= EcuConnection::MaxSampleRate);
    Require(o.timeBase >= 1 && !o.ecusimProgram.empty());
    RequireUsable(o.simulator);
    Require(std::none_of(o.simulator.fixedBytes.begin(), o.simulator.fixedBytes.end(),
        [](const auto& fixed) { return fixed.has_value(); }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> args = Arguments(data, size);
    FuzzCli(args);
    FuzzEcusim(args);
    FuzzSimulatorOptions(args);
    FuzzSoak(args);
    return 0;
}
