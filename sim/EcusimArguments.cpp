#include "sim/EcusimArguments.h"

#include "capture/CaptureSummary.h"
#include "cmdline/OptionArgument.h"

namespace {

// The value of "--name VALUE" or "--name=VALUE" at args[index]; moves index past it.
std::optional<std::string> TakeValue(
    std::span<const std::string> args, std::size_t& index, std::string_view name, std::string& error)
{
    const auto value = TakeOptionValue(args, index, name);
    if (!value) {
        error = std::string(name) + ": missing value";
        return std::nullopt;
    }
    return std::string(*value);
}

// A value that names a file: not empty.
std::optional<std::string> TakePath(
    std::span<const std::string> args, std::size_t& index, std::string_view name, std::string& error)
{
    const auto value = TakeValue(args, index, name, error);
    if (value && value->empty()) {
        error = std::string(name) + ": empty path";
        return std::nullopt;
    }
    return value;
}

} // namespace

EcusimArgumentsParse ParseEcusimArguments(std::span<const std::string> args)
{
    EcusimArgumentsParse result;
    EcusimArguments& parsed = result.arguments;
    std::size_t index = 0;
    while (index < args.size() && result.error.empty()) {
        const std::string& arg = args[index];
        switch (TakeSimulatorOption(args, index, parsed.simulator, result.error)) {
        case SimOptionOutcome::Taken:
        case SimOptionOutcome::Failed:
            continue;
        case SimOptionOutcome::NotSimulatorOption:
            break;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.helpWanted = true;
            ++index;
        } else if (arg == "--version") {
            parsed.versionWanted = true;
            ++index;
        } else if (OptionName(arg) == "--ecu") {
            const auto value = TakeValue(args, index, "--ecu", result.error);
            if (!value)
                continue;
            const auto id = NormalizedEcuId(*value);
            if (!id)
                result.error = "--ecu: " + Quoted(*value) + " is not an ECU ID of four hexadecimal digits";
            else
                parsed.ecuId = *id;
        } else if (OptionName(arg) == "--link") {
            if (const auto path = TakePath(args, index, "--link", result.error))
                parsed.linkPath = *path;
        } else if (OptionName(arg) == "--replay") {
            if (const auto path = TakePath(args, index, "--replay", result.error)) {
                CaptureScan scan = ScanCaptureFile(*path);
                if (scan.source)
                    parsed.replay = std::move(scan.source);
                else
                    result.error = "--replay: " + scan.error;
            }
        } else if (arg == "--replay-timing") {
            parsed.replayTiming = true;
            ++index;
        } else if (OptionName(arg) == "--stats") {
            if (const auto path = TakePath(args, index, "--stats", result.error))
                parsed.statsPath = *path;
        } else if (arg.starts_with("-")) {
            result.error = arg + ": unknown option";
        } else {
            result.error = Quoted(arg) + ": unexpected argument";
        }
    }
    if (result.error.empty() && parsed.replayTiming && !parsed.replay)
        result.error = "--replay-timing needs --replay";
    return result;
}
