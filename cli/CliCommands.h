#pragma once

#include "cli/CliOptions.h"
#include "cli/CliSession.h"

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

// The exit statuses of dazederir-cli.
enum CliExit {
    ExitDone = 0,
    ExitUsage = 2, // bad usage or a bad value; nothing was done
    ExitNoEcu = 3, // no interface or no identification within the timeout, or the ECU stopped answering
    ExitLogFile = 4, // the log file could not be written
    ExitRefused = 5, // the ECU refused: a reset reported as failed
};

// What a command works with once its arguments have been checked.
struct CliContext {
    const CliOptions& options;
    CliSession& session;
    std::ostream& out;
    std::ostream& err;
};

// A command whose arguments have been checked, ready to run; returns the exit status.
using CommandRun = std::function<int(CliContext& context)>;

struct CommandParse {
    CommandRun run;
    std::string error; // one line naming the bad argument; empty when all was good
};

// One command of the tool: its name and the check of its own arguments (what follows the
// command name, global options taken out), which gives the work to do.
struct CliCommand {
    // What the program must have set up before the command runs.
    enum class Needs {
        Core,
        Fonts, // a QGuiApplication: the command lays out text (a PDF)
    };

    std::string_view name;
    CommandParse (*parse)(std::span<const std::string> args);
    Needs needs = Needs::Core;
};

// The command of that name; null when there is none.
const CliCommand* FindCliCommand(std::string_view name);

// The help's list of the actuator tests by number and name.
std::string ActuatorHelp();

// The sweeps polled when a command is not told how many.
inline constexpr int DefaultSweeps = 2;
inline constexpr std::string_view SweepsOption = "--sweeps";

// "COMMAND: unexpected argument "ARG"".
std::string Unexpected(std::string_view command, std::string_view arg);
// Reads the value of --sweeps at args[index] into `sweeps`, moving `index` past it; the error
// naming the bad value, or empty.
std::string TakeSweeps(
    std::string_view command, std::span<const std::string> args, std::size_t& index, int& sweeps);

// Prints the session's failure on `err` and gives the exit status for it.
int SessionFailed(CliContext& context);
