#include "soak/SoakOptions.h"

#include "cmdline/OptionArgument.h"
#include "defs/WholeNumber.h"
#include "link/EcuConnection.h"
#include "logfile/ChannelTables.h"
#include "logfile/SampleInterval.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr std::string_view SimBytesOption = "--sim-bytes";
constexpr std::string_view SimOptionPrefix = "--sim-";
constexpr std::string_view SimUnplugOption = "--sim-unplug";
// Longer runs are a typing error: a week is far beyond any soak.
constexpr double MaxDurationSeconds = 7.0 * 24 * 3600;
constexpr double MaxSaveMinutes = MaxDurationSeconds / 60;

std::optional<double> PositiveDecimal(std::string_view text, double max)
{
    const auto value = ParseFiniteDecimal(text);
    if (!value || *value <= 0 || *value > max)
        return std::nullopt;
    return value;
}

using ApplyValue = std::string (*)(std::string_view value, SoakOptions& options);

std::string ApplyDuration(std::string_view value, SoakOptions& options)
{
    const auto seconds = PositiveDecimal(value, MaxDurationSeconds);
    if (!seconds)
        return Quoted(value) + " is not a number of seconds above 0 and within a week";
    options.durationSeconds = *seconds;
    return {};
}

std::string ApplyEcu(std::string_view value, SoakOptions& options)
{
    const auto id = NormalizedEcuId(value);
    if (!id)
        return Quoted(value) + " is not an ECU ID of four hexadecimal digits";
    options.ecuId = *id;
    return {};
}

std::string ApplyBaud(std::string_view value, SoakOptions& options)
{
    const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    if (const QString problem = EcuConnection::BaudTextProblem(text); !problem.isEmpty())
        return problem.toStdString();
    options.baudText = text.trimmed();
    return {};
}

std::string ApplySampleRate(std::string_view value, SoakOptions& options)
{
    const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    if (const QString problem = EcuConnection::SampleRateProblem(text); !problem.isEmpty())
        return problem.toStdString();
    options.sampleRateMs = *ParseWholeNumber(value);
    return {};
}

std::string ApplyTimeBase(std::string_view value, SoakOptions& options)
{
    const auto seconds = ParseTimeBase(value);
    if (!seconds)
        return Quoted(value) + " is not a whole number of seconds from 1 up";
    options.timeBase = *seconds;
    return {};
}

std::string ApplyChannels(std::string_view value, SoakOptions& options)
{
    return ParseLogChannelList(value, options.channels).value_or("");
}

std::string ApplySaveEvery(std::string_view value, SoakOptions& options)
{
    const auto minutes = PositiveDecimal(value, MaxSaveMinutes);
    if (!minutes)
        return Quoted(value) + " is not a number of minutes above 0";
    options.saveEveryMinutes = *minutes;
    return {};
}

std::string ApplyLogDir(std::string_view value, SoakOptions& options)
{
    if (value.empty())
        return "the folder name is empty";
    options.logDir = value;
    return {};
}

std::string ApplyEcusim(std::string_view value, SoakOptions& options)
{
    if (value.empty())
        return "the program path is empty";
    options.ecusimProgram = value;
    return {};
}

std::string ApplyPoll(std::string_view value, SoakOptions& options)
{
    if (value != "tick" && value != "fast")
        return Quoted(value) + " is not tick or fast";
    options.pollMode = value == "fast" ? EcuConnection::PollMode::Fast : EcuConnection::PollMode::Tick;
    return {};
}

struct ValueOption {
    std::string_view name;
    ApplyValue apply;
};

// clang-format off
constexpr std::array<ValueOption, 10> ValueOptions { {
    { "--duration",    ApplyDuration },
    { "--ecu",         ApplyEcu },
    { "--baud",        ApplyBaud },
    { "--sample-rate", ApplySampleRate },
    { "--time-base",   ApplyTimeBase },
    { "--channels",    ApplyChannels },
    { "--save-every",  ApplySaveEvery },
    { "--log-dir",     ApplyLogDir },
    { "--ecusim",      ApplyEcusim },
    { "--poll",        ApplyPoll },
} };
// clang-format on

// Whether args[index] is one of the value options; `error` is set when its value is bad.
bool TakeValueOption(
    std::span<const std::string> args, std::size_t& index, SoakOptions& options, std::string& error)
{
    return TakeTableOption(ValueOptions, args, index, options, error);
}

std::string DecimalText(double value)
{
    std::array<char, 32> text {};
    const auto result = std::to_chars(text.begin(), text.end(), value);
    return std::string(text.data(), result.ptr);
}

} // namespace

SimulatorSettings SoakOptions::DefaultFaults()
{
    SimulatorSettings settings;
    settings.dropChance = 0.02;
    settings.corruptChance = 0.02;
    settings.cutChance = 0.02;
    settings.noiseChance = 0.05;
    settings.identifyAfter = 3;
    settings.unplug = UnplugSchedule(7.0, 0.6);
    return settings;
}

SoakOptionsParse ParseSoakOptions(std::span<const std::string> args, const std::string& ecusimProgram)
{
    SoakOptionsParse parse;
    SoakOptions& options = parse.options;
    options.ecusimProgram = ecusimProgram;
    bool noUnplug = false;
    bool unplugGiven = false;
    std::size_t index = 0;
    while (index < args.size() && parse.error.empty()) {
        const std::string& arg = args[index];
        if (arg == "--gather-reads") {
            options.gatherReads = true;
            ++index;
        } else if (arg == "--help" || arg == "-h" || arg == "--no-unplug") {
            (arg == "--no-unplug" ? noUnplug : options.help) = true;
            ++index;
        } else if (arg.starts_with(SimBytesOption)) {
            parse.error = "--sim-bytes: the soak fixes every polled byte itself, from --sim-seed";
        } else if (arg.starts_with(SimOptionPrefix)) {
            unplugGiven = unplugGiven || arg.starts_with(SimUnplugOption);
            TakeSimulatorOption(args, index, options.simulator, parse.error);
        } else if (!TakeValueOption(args, index, options, parse.error)) {
            parse.error = (arg.starts_with("-") ? "unknown option " : "unexpected argument ") + Quoted(arg);
        }
    }
    if (parse.error.empty() && noUnplug && unplugGiven)
        parse.error = "--no-unplug and --sim-unplug cannot be used together";
    if (noUnplug)
        options.simulator.unplug.reset();
    return parse;
}

std::vector<std::string> SimulatorArguments(const SimulatorSettings& settings)
{
    std::vector<std::string> args;
    std::string bytes;
    for (std::size_t address = 0; address < settings.fixedBytes.size(); ++address) {
        if (settings.fixedBytes[address])
            bytes += (bytes.empty() ? "" : ",") + std::to_string(address) + "="
                + std::to_string(*settings.fixedBytes[address]);
    }
    if (!bytes.empty())
        args.insert(args.end(), { "--sim-bytes", bytes });
    args.insert(args.end(),
        { "--sim-id-after", std::to_string(settings.identifyAfter), "--sim-drop",
            DecimalText(settings.dropChance), "--sim-corrupt", DecimalText(settings.corruptChance),
            "--sim-cut", DecimalText(settings.cutChance), "--sim-noise", DecimalText(settings.noiseChance),
            "--sim-seed", std::to_string(settings.seed) });
    if (settings.resetFails)
        args.push_back("--sim-reset-fails");
    if (settings.unplug)
        args.insert(args.end(),
            { "--sim-unplug",
                DecimalText(settings.unplug->Every()) + ":" + DecimalText(settings.unplug->Out()) });
    if (settings.pace)
        args.push_back("--sim-pace");
    if (settings.latencyMs > 0)
        args.insert(args.end(), { "--sim-latency", std::to_string(settings.latencyMs) });
    return args;
}
