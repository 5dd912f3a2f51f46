#include "sim/SimulatorOptions.h"

#include "cmdline/OptionArgument.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace {

constexpr std::string_view HexPrefix = "0x";
constexpr std::string_view HexPrefixUpper = "0X";
constexpr int HexBase = 16;
constexpr int DecimalBase = 10;
constexpr std::uint64_t MaxByte = 255;
constexpr std::size_t EcuIdDigits = 4;
constexpr std::string_view SimOptionPrefix = "--sim-";

// A whole number without sign, in the given base, using every character of `text`.
// nullopt when `text` is not such a number; numbers too large for 64 bits come back as the maximum.
std::optional<std::uint64_t> ParseUnsigned(std::string_view text, int base)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (end != text.data() + text.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return std::nullopt;
    return ec == std::errc::result_out_of_range ? std::numeric_limits<std::uint64_t>::max() : value;
}

std::optional<std::uint64_t> ParseDecimalOrHex(std::string_view text)
{
    if (text.starts_with(HexPrefix) || text.starts_with(HexPrefixUpper))
        return ParseUnsigned(text.substr(HexPrefix.size()), HexBase);
    return ParseUnsigned(text, DecimalBase);
}

// Errors below are written without the option name; the caller puts it in front.

// One side of A=V: `what` is "address" or "value".
std::optional<std::uint8_t> ParseByteField(std::string_view what, std::string_view text, std::string& error)
{
    const auto number = ParseDecimalOrHex(text);
    if (!number) {
        error = std::string(what) + " " + Quoted(text) + " is not a number";
        return std::nullopt;
    }
    if (*number > MaxByte) {
        error = std::string(what) + " " + std::string(text) + " is out of range 0..255";
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*number);
}

bool ParseByteSetting(std::string_view entry, SimulatorSettings& settings, std::string& error)
{
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) {
        error = Quoted(entry) + " is not of the form A=V";
        return false;
    }
    const auto address = ParseByteField("address", entry.substr(0, equals), error);
    if (!address)
        return false;
    const auto value = ParseByteField("value", entry.substr(equals + 1), error);
    if (!value)
        return false;
    settings.fixedBytes[*address] = *value;
    return true;
}

bool ParseBytes(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    // Parse into a copy so that a bad entry leaves the settings as they were.
    SimulatorSettings parsed = settings;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view entry = rest.substr(0, comma);
        if (entry.empty()) {
            error = "empty entry in " + Quoted(text);
            return false;
        }
        if (!ParseByteSetting(entry, parsed, error))
            return false;
        if (comma == std::string_view::npos)
            break;
        rest = rest.substr(comma + 1);
    }
    settings = parsed;
    return true;
}

bool ParseWhole(
    std::string_view text, std::uint64_t min, std::uint64_t max, std::uint64_t& out, std::string& error)
{
    const auto value = ParseUnsigned(text, DecimalBase);
    if (!value) {
        error = Quoted(text) + " is not a whole number";
        return false;
    }
    if (*value < min || *value > max) {
        error = std::string(text) + " is out of range " + std::to_string(min) + ".." + std::to_string(max);
        return false;
    }
    out = *value;
    return true;
}

bool ParseChance(std::string_view text, double& chance, std::string& error)
{
    const auto value = ParseFiniteDecimal(text);
    if (!value) {
        error = Quoted(text) + " is not a number";
        return false;
    }
    if (*value < 0.0 || *value > 1.0) {
        error = std::string(text) + " is out of range 0..1";
        return false;
    }
    chance = *value;
    return true;
}

// A number in the fewest digits that read back the same ("0.001", "86400").
std::string ShortestText(double value)
{
    constexpr std::size_t Room = 32;
    char text[Room];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
}

std::optional<double> ParsePositiveSeconds(std::string_view name, std::string_view text, std::string& error)
{
    const auto value = ParseFiniteDecimal(text);
    if (!value) {
        error = std::string(name) + " " + Quoted(text) + " is not a number";
        return std::nullopt;
    }
    if (*value <= 0.0) {
        error = std::string(name) + " " + std::string(text) + " must be above 0";
        return std::nullopt;
    }
    if (*value < UnplugSchedule::ShortestSeconds || *value > UnplugSchedule::LongestSeconds) {
        error = std::string(name) + " " + std::string(text) + " must be from "
            + ShortestText(UnplugSchedule::ShortestSeconds) + " to "
            + ShortestText(UnplugSchedule::LongestSeconds) + " seconds (a day)";
        return std::nullopt;
    }
    return value;
}

bool ParseUnplug(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        error = Quoted(text) + " is not of the form EVERY:FOR";
        return false;
    }
    const std::string_view everyText = text.substr(0, colon);
    const std::string_view outText = text.substr(colon + 1);
    const auto every = ParsePositiveSeconds("EVERY", everyText, error);
    if (!every)
        return false;
    const auto out = ParsePositiveSeconds("FOR", outText, error);
    if (!out)
        return false;
    if (*out >= *every) {
        error = "FOR " + std::string(outText) + " must be shorter than EVERY " + std::string(everyText);
        return false;
    }
    settings.unplug = UnplugSchedule(*every, *out);
    return true;
}

bool ParseIdAfter(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    std::uint64_t n = 0;
    if (!ParseWhole(text, 1, std::numeric_limits<int>::max(), n, error))
        return false;
    settings.identifyAfter = static_cast<int>(n);
    return true;
}

bool ParseSeed(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    std::uint64_t n = 0;
    if (!ParseWhole(text, 0, std::numeric_limits<std::uint32_t>::max(), n, error))
        return false;
    settings.seed = static_cast<std::uint32_t>(n);
    return true;
}

bool ParseLatency(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    std::uint64_t n = 0;
    if (!ParseWhole(text, 0, SimulatorSettings::MaxLatencyMs, n, error))
        return false;
    settings.latencyMs = static_cast<int>(n);
    return true;
}

template <double SimulatorSettings::*chance>
bool ParseChanceOf(std::string_view text, SimulatorSettings& settings, std::string& error)
{
    return ParseChance(text, settings.*chance, error);
}

template <bool SimulatorSettings::*flag> void SetFlag(SimulatorSettings& settings)
{
    settings.*flag = true;
}

using ValueParser = bool (*)(std::string_view value, SimulatorSettings& settings, std::string& error);
using FlagSetter = void (*)(SimulatorSettings& settings);

struct SimOption {
    std::string_view name;
    ValueParser parseValue; // null for a flag
    FlagSetter setFlag; // null for an option with a value
};

// clang-format off
constexpr std::array<SimOption, 11> SimOptions { {
    { "--sim-bytes",       ParseBytes,                                         nullptr },
    { "--sim-id-after",    ParseIdAfter,                                       nullptr },
    { "--sim-drop",        ParseChanceOf<&SimulatorSettings::dropChance>,      nullptr },
    { "--sim-corrupt",     ParseChanceOf<&SimulatorSettings::corruptChance>,   nullptr },
    { "--sim-cut",         ParseChanceOf<&SimulatorSettings::cutChance>,       nullptr },
    { "--sim-noise",       ParseChanceOf<&SimulatorSettings::noiseChance>,     nullptr },
    { "--sim-reset-fails", nullptr,                                            SetFlag<&SimulatorSettings::resetFails> },
    { "--sim-unplug",      ParseUnplug,                                        nullptr },
    { "--sim-pace",        nullptr,                                            SetFlag<&SimulatorSettings::pace> },
    { "--sim-seed",        ParseSeed,                                          nullptr },
    { "--sim-latency",     ParseLatency,                                       nullptr },
} };
// clang-format on

} // namespace

SimOptionOutcome TakeSimulatorOption(
    std::span<const std::string> args, std::size_t& index, SimulatorSettings& settings, std::string& error)
{
    if (index >= args.size())
        return SimOptionOutcome::NotSimulatorOption;
    const std::string_view arg = args[index];
    const std::string_view name = OptionName(arg);
    const auto option = std::find_if(
        SimOptions.begin(), SimOptions.end(), [name](const SimOption& o) { return o.name == name; });
    if (option == SimOptions.end()) {
        if (!arg.starts_with(SimOptionPrefix))
            return SimOptionOutcome::NotSimulatorOption;
        error = std::string(name) + ": unknown simulator option";
        return SimOptionOutcome::Failed;
    }

    const bool valueAttached = name.size() < arg.size();
    if (option->setFlag) {
        if (valueAttached) {
            error = std::string(name) + ": takes no value";
            return SimOptionOutcome::Failed;
        }
        option->setFlag(settings);
        index += 1;
        return SimOptionOutcome::Taken;
    }

    // The index moves only once the value is good, so that a caller sees where a bad option stands.
    std::size_t next = index;
    const auto value = TakeOptionValue(args, next, name);
    if (!value) {
        error = std::string(name) + ": missing value";
        return SimOptionOutcome::Failed;
    }
    std::string detail;
    if (!option->parseValue(*value, settings, detail)) {
        error = std::string(name) + ": " + detail;
        return SimOptionOutcome::Failed;
    }
    index = next;
    return SimOptionOutcome::Taken;
}

SimulatorOptionsParse ParseSimulatorOptions(std::span<const std::string> args)
{
    SimulatorOptionsParse result;
    std::size_t index = 0;
    while (index < args.size()) {
        switch (TakeSimulatorOption(args, index, result.settings, result.error)) {
        case SimOptionOutcome::Taken:
            break;
        case SimOptionOutcome::NotSimulatorOption:
            result.rest.push_back(args[index]);
            ++index;
            break;
        case SimOptionOutcome::Failed:
            return result;
        }
    }
    return result;
}

std::optional<std::string> NormalizedEcuId(std::string_view text)
{
    if (text.size() != EcuIdDigits)
        return std::nullopt;
    std::string id;
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        id.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return id;
}
