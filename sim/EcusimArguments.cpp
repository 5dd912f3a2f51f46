#include "sim/EcusimArguments.h"

namespace {

// The value of "--name VALUE" or "--name=VALUE" at args[index]; moves index past it.
std::optional<std::string> TakeValue(
    std::span<const std::string> args, std::size_t& index, std::string_view name, std::string& error)
{
    const std::string& arg = args[index];
    if (arg.size() > name.size()) {
        index += 1;
        return arg.substr(name.size() + 1);
    }
    if (index + 1 >= args.size()) {
        error = std::string(name) + ": missing value";
        return std::nullopt;
    }
    index += 2;
    return args[index - 1];
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

bool IsOption(std::string_view arg, std::string_view name)
{
    return arg == name || (arg.starts_with(name) && arg[name.size()] == '=');
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
        } else if (IsOption(arg, "--ecu")) {
            const auto value = TakeValue(args, index, "--ecu", result.error);
            if (!value)
                continue;
            const auto id = NormalizedEcuId(*value);
            if (!id)
                result.error = "--ecu: \"" + *value + "\" is not an ECU ID of four hexadecimal digits";
            else
                parsed.ecuId = *id;
        } else if (IsOption(arg, "--link")) {
            if (const auto path = TakePath(args, index, "--link", result.error))
                parsed.linkPath = *path;
        } else if (IsOption(arg, "--stats")) {
            if (const auto path = TakePath(args, index, "--stats", result.error))
                parsed.statsPath = *path;
        } else if (arg.starts_with("-")) {
            result.error = arg + ": unknown option";
        } else {
            result.error = "\"" + arg + "\": unexpected argument";
        }
    }
    return result;
}
