#include "cli/CliCommands.h"

#include "cli/CliCaptureCommand.h"
#include "cli/CliConvertCommand.h"
#include "cli/CliEcusCommand.h"
#include "cli/CliLogCommand.h"
#include "cli/CliLogstatCommand.h"
#include "cli/CliRecoverCommand.h"
#include "cli/CliReport.h"
#include "cli/CliReportCommand.h"
#include "cmdline/OptionArgument.h"
#include "defs/ActuatorTests.h"
#include "link/EcuFrame.h"
#include "port/ReceiveLatency.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr int LastActuatorTest = ActuatorTestCount; // the actuator window's tests, 0 = Cancel
constexpr std::string_view CommandOption = "--command";
constexpr std::string_view VerboseOption = "--verbose";
constexpr int MaxActuatorValue = 255;

CliReport ReportOf(const CliContext& context)
{
    return { context.session.Connection(), context.options.json };
}

// Runs `print` once the ECU has been identified and `sweeps` sweeps have been polled.
CommandRun AfterSweeps(int sweeps, std::string (CliReport::*print)() const)
{
    return [sweeps, print](CliContext& context) {
        if (!context.session.WaitForIdentification() || !context.session.PollSweeps(sweeps))
            return SessionFailed(context);
        context.out << (ReportOf(context).*print)();
        return static_cast<int>(ExitDone);
    };
}

// [--sweeps N] for the commands that print polled values.
template <std::string (CliReport::*Print)() const>
CommandParse ParseSweepCommand(std::string_view command, std::span<const std::string> args)
{
    int sweeps = DefaultSweeps;
    for (std::size_t i = 0; i < args.size();) {
        if (OptionName(args[i]) != SweepsOption)
            return { {}, Unexpected(command, args[i]) };
        if (std::string error = TakeSweeps(command, args, i, sweeps); !error.empty())
            return { {}, error };
    }
    return { AfterSweeps(sweeps, Print), {} };
}

// Said on standard error where the interface holds received bytes long enough to slow polling.
void WarnOfSlowLatency(const std::optional<OpenPortDetails>& port, std::ostream& err)
{
    if (!port || !port->latencyMs || *port->latencyMs < SlowReceiveLatencyMs)
        return;
    err << "dazederir-cli: the interface holds received bytes for " << *port->latencyMs
        << " ms, which slows polling; see \"Troubleshooting\" in the README (the package's udev rule sets "
           "it to 1 ms)\n";
}

CommandParse ParseIdentify(std::span<const std::string> args)
{
    const bool verbose = args.size() == 1 && args.front() == VerboseOption;
    if (!args.empty() && !verbose)
        return { {}, Unexpected("identify", args.front()) };
    return { [verbose](CliContext& context) {
                if (!context.session.WaitForIdentification())
                    return SessionFailed(context);
                if (!verbose) {
                    context.out << ReportOf(context).Identify();
                    return static_cast<int>(ExitDone);
                }
                const std::optional<OpenPortDetails> port = context.session.OpenPort();
                context.out << ReportOf(context).IdentifyVerbose(port);
                WarnOfSlowLatency(port, context.err);
                return static_cast<int>(ExitDone);
            },
        {} };
}

CommandParse ParseValues(std::span<const std::string> args)
{
    return ParseSweepCommand<&CliReport::Values>("values", args);
}

CommandParse ParseRaw(std::span<const std::string> args)
{
    return ParseSweepCommand<&CliReport::Raw>("raw", args);
}

CommandParse ParseFaults(std::span<const std::string> args)
{
    return ParseSweepCommand<&CliReport::Faults>("faults", args);
}

CommandParse ParseStatus(std::span<const std::string> args)
{
    return ParseSweepCommand<&CliReport::Status>("status", args);
}

CommandParse ParseReset(std::span<const std::string> args)
{
    if (!args.empty())
        return { {}, Unexpected("reset", args.front()) };
    return { [](CliContext& context) {
                bool succeeded = false;
                if (!context.session.WaitForIdentification() || !context.session.Reset(succeeded))
                    return SessionFailed(context);
                context.out << ReportOf(context).Reset(succeeded);
                return static_cast<int>(succeeded ? ExitDone : ExitRefused);
            },
        {} };
}

// N [V | --command TEXT]: the value as a raw byte, or as typed in the actuator window's box.
CommandParse ParseActuator(std::span<const std::string> args)
{
    int test = 0;
    std::optional<std::string> valueText;
    std::optional<std::string_view> commandText;
    std::optional<std::string> testText;
    for (std::size_t i = 0; i < args.size();) {
        if (OptionName(args[i]) == CommandOption) {
            commandText = TakeOptionValue(args, i, CommandOption);
            if (!commandText)
                return { {}, "actuator: --command: missing value" };
        } else if (!testText) {
            testText = args[i++];
        } else if (!valueText) {
            valueText = args[i++];
        } else {
            return { {}, Unexpected("actuator", args[i]) };
        }
    }
    if (!testText)
        return { {}, "actuator: missing the test number N (0 to 8)" };
    if (!ParseWholeNumber(*testText, 0, LastActuatorTest, test))
        return { {}, "actuator: test number " + Quoted(*testText) + " is not a whole number from 0 to 8" };
    if (valueText && commandText)
        return { {}, "actuator: give the value V or --command TEXT, not both" };
    int value = 0;
    if (valueText && !ParseWholeNumber(*valueText, 0, MaxActuatorValue, value))
        return { {}, "actuator: value " + Quoted(*valueText) + " is not a whole number from 0 to 255" };
    if (commandText) {
        const ActuatorCommand command = ActuatorCommandValue(test, *commandText, 0);
        if (command.refusal)
            return { {}, "actuator: --command: " + command.refusal->English() };
        value = command.value;
    }
    return { [test, value](CliContext& context) {
                if (!context.session.WaitForIdentification() || !context.session.RunActuatorTest(test, value))
                    return SessionFailed(context);
                const EcuFrame frame = ActuatorRequest(ActuatorPatternOfTest(test), value);
                context.out << ReportOf(context).Actuator(HexBytes(frame.Bytes()));
                return static_cast<int>(ExitDone);
            },
        {} };
}

// clang-format off
constexpr std::array<CliCommand, 14> Commands { {
    { "identify", ParseIdentify },
    { "ecus",     ParseEcus },
    { "values",   ParseValues },
    { "raw",      ParseRaw },
    { "faults",   ParseFaults },
    { "status",   ParseStatus },
    { "reset",    ParseReset },
    { "actuator", ParseActuator },
    { "log",      ParseLog },
    { "recover",  ParseRecover },
    { "capinfo",  ParseCapinfo },
    { "logstat",  ParseLogstat },
    { "convert",  ParseConvert },
    { "report",   ParseReportCommand, CliCommand::Needs::Fonts },
} };
// clang-format on

} // namespace

const CliCommand* FindCliCommand(std::string_view name)
{
    const auto command = std::find_if(
        Commands.begin(), Commands.end(), [name](const CliCommand& c) { return c.name == name; });
    return command == Commands.end() ? nullptr : &*command;
}

std::string ActuatorHelp()
{
    return "actuator tests N (V: the raw data value 0..255; --command TEXT: as typed in the actuator\n"
           "window's command box, e.g. 1 --command 800 for a target idle of 800 rpm):\n"
        + ActuatorTestList();
}

std::string Unexpected(std::string_view command, std::string_view arg)
{
    return std::string(command) + ": unexpected argument " + Quoted(arg);
}

std::string TakeSweeps(
    std::string_view command, std::span<const std::string> args, std::size_t& index, int& sweeps)
{
    constexpr int MaxSweeps = 1000000;
    const auto value = TakeOptionValue(args, index, SweepsOption);
    if (!value)
        return std::string(command) + ": --sweeps: missing value";
    // No sweep at all would print values that were never read.
    if (!ParseWholeNumber(*value, 1, MaxSweeps, sweeps)) {
        return std::string(command) + ": --sweeps: " + Quoted(*value) + " is not a whole number from 1 to "
            + std::to_string(MaxSweeps);
    }
    return {};
}

int SessionFailed(CliContext& context)
{
    context.err << "dazederir-cli: " << context.session.Failure() << std::endl;
    return ExitNoEcu;
}
