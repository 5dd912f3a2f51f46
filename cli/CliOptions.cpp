#include "cli/CliOptions.h"

#include "capture/CaptureSummary.h"
#include "cmdline/OptionArgument.h"
#include "defs/WholeNumber.h"
#include "link/EcuConnection.h"
#include "port/SerialPortCheck.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::string_view SimulateOption = "--simulate";
constexpr std::string_view SimOptionPrefix = "--sim-";
// A wait longer than this is a typing error, and would overflow the tool's clock arithmetic.
constexpr double MaxTimeoutSeconds = 1e6;
constexpr int MaxInjectorFlow = 1000000;

std::string OneOf(
    std::string_view value, std::initializer_list<std::string_view> choices, std::string& chosen)
{
    if (std::find(choices.begin(), choices.end(), value) == choices.end()) {
        std::string names;
        for (const std::string_view choice : choices)
            names += (names.empty() ? "" : " or ") + std::string(choice);
        return Quoted(value) + " is not " + names;
    }
    chosen = value;
    return {};
}

// Each takes the option's value into the options, or returns what is wrong with it.
using ApplyValue = std::string (*)(std::string_view value, CliOptions& options);

std::string ApplyPort(std::string_view value, CliOptions& options)
{
    if (value.empty())
        return "the port path is empty";
    if (std::string reason = NotSerialPortReason(std::string(value)); !reason.empty())
        return reason;
    options.source = CableKind::Port;
    options.portPath = value;
    return {};
}

std::string ApplyReplay(std::string_view value, CliOptions& options)
{
    if (value.empty())
        return "the capture file path is empty";
    CaptureScan scan = ScanCaptureFile(std::string(value));
    if (!scan.source)
        return scan.error;
    options.source = CableKind::Replay;
    options.replay = std::move(scan.source);
    options.replayPath = std::string(value);
    return {};
}

std::string ApplyRecord(std::string_view value, CliOptions& options)
{
    if (value.empty())
        return "the capture file path is empty";
    options.recordPath = value;
    return {};
}

std::string ApplyBaud(std::string_view value, CliOptions& options)
{
    const QString text = QString::fromStdString(std::string(value));
    if (const QString problem = EcuConnection::BaudTextProblem(text); !problem.isEmpty())
        return problem.toStdString();
    options.baudText = text;
    return {};
}

std::string ApplySampleRate(std::string_view value, CliOptions& options)
{
    const QString text = QString::fromStdString(std::string(value));
    if (const QString problem = EcuConnection::SampleRateProblem(text); !problem.isEmpty())
        return problem.toStdString();
    options.sampleRateText = text;
    return {};
}

std::string ApplyTempUnits(std::string_view value, CliOptions& options)
{
    return OneOf(value, { "C", "F" }, options.tempUnits);
}

std::string ApplySpeedUnits(std::string_view value, CliOptions& options)
{
    return OneOf(value, { "MPH", "KPH" }, options.speedUnits);
}

std::string ApplyIdleGauge(std::string_view value, CliOptions& options)
{
    return OneOf(value, { "IAC", "MPG" }, options.idleGauge);
}

std::string ApplyInjectorFlow(std::string_view value, CliOptions& options)
{
    if (!ParseWholeNumber(value, 1, MaxInjectorFlow, options.injectorFlow))
        return Quoted(value) + " is not a whole number from 1 to " + std::to_string(MaxInjectorFlow);
    return {};
}

std::string ApplyTimeout(std::string_view value, CliOptions& options)
{
    const auto seconds = ParseFiniteDecimal(value);
    if (!seconds || *seconds <= 0 || *seconds > MaxTimeoutSeconds)
        return Quoted(value) + " is not a number of seconds above 0";
    options.timeoutSeconds = *seconds;
    return {};
}

std::string ApplyPoll(std::string_view value, CliOptions& options)
{
    std::string mode;
    if (std::string problem = OneOf(value, { "tick", "fast" }, mode); !problem.empty())
        return problem;
    options.pollMode = mode == "fast" ? EcuConnection::PollMode::Fast : EcuConnection::PollMode::Tick;
    return {};
}

std::string ApplyPollGap(std::string_view value, CliOptions& options)
{
    constexpr double MicrosecondsPerMs = 1000.0;
    const double most = std::chrono::duration<double, std::milli>(FastPollSchedule::MaxGap).count();
    const auto ms = ParseFiniteDecimal(value);
    if (!ms || *ms < 0 || *ms > most)
        return Quoted(value) + " is not a number of milliseconds from 0 to "
            + std::to_string(static_cast<int>(most));
    options.pollGap = std::chrono::microseconds(static_cast<std::int64_t>(*ms * MicrosecondsPerMs));
    return {};
}

struct ValueOption {
    std::string_view name;
    ApplyValue apply;
};

// clang-format off
constexpr std::array<ValueOption, 12> ValueOptions { {
    { "--port",        ApplyPort },
    { "--replay",      ApplyReplay },
    { "--record",      ApplyRecord },
    { "--baud",        ApplyBaud },
    { "--sample-rate", ApplySampleRate },
    { "--temp-units",  ApplyTempUnits },
    { "--speed-units", ApplySpeedUnits },
    { "--idle-gauge",  ApplyIdleGauge },
    { "--inj-flow",    ApplyInjectorFlow },
    { "--timeout",     ApplyTimeout },
    { "--poll",        ApplyPoll },
    { "--poll-gap",    ApplyPollGap },
} };
// clang-format on

class ArgumentWalk {
public:
    explicit ArgumentWalk(std::span<const std::string> args)
        : m_args(args)
    {
    }

    CliParse Run();

private:
    // The switch that `arg` turns on, when it is one of the options without a value.
    bool* FlagOption(std::string_view arg);
    bool TakeSimulate(std::string_view arg);
    // Whether `arg` is one of the value options; `m_error` is set when its value is bad.
    bool TakeValueOption(std::string_view arg);
    void Check();

    std::span<const std::string> m_args;
    std::size_t m_index = 0;
    CliParse m_parse;
    bool m_simulateGiven = false;
    bool m_portGiven = false;
    bool m_replayGiven = false;
    std::string m_firstSimOption;
};

CliParse ArgumentWalk::Run()
{
    CliOptions& options = m_parse.options;
    while (m_index < m_args.size() && m_parse.error.empty()) {
        const std::string& arg = m_args[m_index];
        if (bool* const flag = FlagOption(arg)) {
            *flag = true;
            ++m_index;
        } else if (TakeSimulate(arg) || TakeValueOption(arg)) {
            continue;
        } else if (arg.starts_with(SimOptionPrefix)) {
            const std::size_t before = m_index;
            if (TakeSimulatorOption(m_args, m_index, options.simulator, m_parse.error)
                    == SimOptionOutcome::Taken
                && m_firstSimOption.empty())
                m_firstSimOption = OptionName(m_args[before]);
        } else if (!options.command.empty()) {
            options.commandArgs.push_back(arg); // the command checks its own arguments
            ++m_index;
        } else if (arg.starts_with("-")) {
            m_parse.error = "unknown option " + Quoted(arg);
        } else {
            options.command = arg;
            ++m_index;
        }
    }
    if (m_parse.error.empty())
        Check();
    return m_parse;
}

bool* ArgumentWalk::FlagOption(std::string_view arg)
{
    CliOptions& options = m_parse.options;
    if (arg == "--json")
        return &options.json;
    if (arg == "--gather-reads")
        return &options.gatherReads;
    if (arg == "--help")
        return &options.helpWanted;
    if (arg == "--version")
        return &options.versionWanted;
    if (arg == "--replay-timing")
        return &options.replayTiming;
    return nullptr;
}

bool ArgumentWalk::TakeSimulate(std::string_view arg)
{
    if (OptionName(arg) != SimulateOption)
        return false;
    ++m_index;
    m_simulateGiven = true;
    m_parse.options.source = CableKind::Simulated;
    if (arg.size() == SimulateOption.size())
        return true;
    const std::string_view id = arg.substr(SimulateOption.size() + 1);
    if (const auto normalized = NormalizedEcuId(id))
        m_parse.options.simulateId = *normalized;
    else
        m_parse.error = "--simulate: " + Quoted(id) + " is not an ECU ID of four hexadecimal digits";
    return true;
}

bool ArgumentWalk::TakeValueOption(std::string_view arg)
{
    if (!TakeTableOption(ValueOptions, m_args, m_index, m_parse.options, m_parse.error))
        return false;
    m_portGiven = m_portGiven || OptionName(arg) == "--port";
    m_replayGiven = m_replayGiven || OptionName(arg) == "--replay";
    return true;
}

void ArgumentWalk::Check()
{
    const CliOptions& options = m_parse.options;
    if (m_simulateGiven && m_portGiven)
        m_parse.error = "--simulate and --port cannot be used together";
    else if (m_replayGiven && (m_simulateGiven || m_portGiven))
        m_parse.error = std::string("--replay and ") + (m_simulateGiven ? "--simulate" : "--port")
            + " cannot be used together";
    else if (options.replayTiming && !m_replayGiven)
        m_parse.error = "--replay-timing needs --replay";
    else if (!m_firstSimOption.empty() && !m_simulateGiven)
        m_parse.error = m_firstSimOption + " needs --simulate";
    else if (options.command.empty() && !options.helpWanted && !options.versionWanted)
        m_parse.error = "no command given (try --help)";
}

} // namespace

bool ParseWholeNumber(std::string_view text, int min, int max, int& value)
{
    const std::optional<int> parsed = ParseWholeNumber(text);
    if (!parsed || *parsed < min || *parsed > max)
        return false;
    value = *parsed;
    return true;
}

CliParse ParseCliArguments(std::span<const std::string> args)
{
    return ArgumentWalk(args).Run();
}
