#include "cli/CliCommands.h"

#include "cli/CliLogCommand.h"
#include "cli/CliReport.h"
#include "defs/OptionArgument.h"
#include "link/EcuFrame.h"

#include <algorithm>
#include <array>

namespace {

constexpr int DefaultSweeps = 2;
constexpr int MaxSweeps = 1000000;
constexpr std::string_view SweepsOption = "--sweeps";
constexpr int LastActuatorTest = 8; // the actuator window's tests 1..8, 0 = Cancel
constexpr int MaxActuatorValue = 255;

std::string Unexpected(std::string_view command, std::string_view arg)
{
    return std::string(command) + ": unexpected argument " + Quoted(arg);
}

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
        const auto value = TakeOptionValue(args, i, SweepsOption);
        if (!value)
            return { {}, std::string(command) + ": --sweeps: missing value" };
        if (!ParseWholeNumber(*value, 0, MaxSweeps, sweeps)) {
            return { {},
                std::string(command) + ": --sweeps: " + Quoted(*value) + " is not a whole number from 0 to "
                    + std::to_string(MaxSweeps) };
        }
    }
    return { AfterSweeps(sweeps, Print), {} };
}

CommandParse ParseIdentify(std::span<const std::string> args)
{
    if (!args.empty())
        return { {}, Unexpected("identify", args.front()) };
    return { [](CliContext& context) {
                if (!context.session.WaitForIdentification())
                    return SessionFailed(context);
                context.out << ReportOf(context).Identify();
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
                return static_cast<int>(ExitDone);
            },
        {} };
}

CommandParse ParseActuator(std::span<const std::string> args)
{
    int test = 0;
    int value = 0;
    if (args.empty())
        return { {}, "actuator: missing the test number N (0 to 8)" };
    if (args.size() > 2)
        return { {}, Unexpected("actuator", args[2]) };
    if (!ParseWholeNumber(args[0], 0, LastActuatorTest, test))
        return { {}, "actuator: test number " + Quoted(args[0]) + " is not a whole number from 0 to 8" };
    if (args.size() == 2 && !ParseWholeNumber(args[1], 0, MaxActuatorValue, value))
        return { {}, "actuator: value " + Quoted(args[1]) + " is not a whole number from 0 to 255" };
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
constexpr std::array<CliCommand, 8> Commands { {
    { "identify", ParseIdentify },
    { "values",   ParseValues },
    { "raw",      ParseRaw },
    { "faults",   ParseFaults },
    { "status",   ParseStatus },
    { "reset",    ParseReset },
    { "actuator", ParseActuator },
    { "log",      ParseLog },
} };
// clang-format on

} // namespace

const CliCommand* FindCliCommand(std::string_view name)
{
    const auto command = std::find_if(
        Commands.begin(), Commands.end(), [name](const CliCommand& c) { return c.name == name; });
    return command == Commands.end() ? nullptr : &*command;
}

int SessionFailed(CliContext& context)
{
    context.err << "dazederir-cli: " << context.session.Failure() << std::endl;
    return ExitNoEcu;
}
