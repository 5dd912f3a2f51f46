// dazederir-cli: connects, identifies and polls the ECU as the main window does, then prints what
// the command asks for and exits.
#include "cli/CliCommands.h"
#include "defs/ProgramVersion.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

int Usage(const std::string& error)
{
    std::cerr << "dazederir-cli: " << error << std::endl;
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CliParse parse = ParseCliArguments(args);
    if (!parse.error.empty())
        return Usage(parse.error);
    const CliOptions& options = parse.options;
    if (options.helpWanted) {
        std::cout << CliUsage << ActuatorHelp();
        return ExitDone;
    }
    if (options.versionWanted) {
        std::cout << VersionLine("dazederir-cli");
        return ExitDone;
    }
    const CliCommand* command = FindCliCommand(options.command);
    if (!command)
        return Usage("unknown command \"" + options.command + "\"");
    const CommandParse commandParse = command->parse(options.commandArgs);
    if (!commandParse.error.empty())
        return Usage(commandParse.error);

    // The serial-port driver's objects expect an application object to exist; text laid out
    // for a page needs the fonts of a GUI one, which never shows a window here.
    std::unique_ptr<QCoreApplication> application;
    if (command->needs == CliCommand::Needs::Fonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    CliSession session(options);
    if (!session.RecordingProblem().empty()) {
        std::cerr << "dazederir-cli: --record: " << session.RecordingProblem() << std::endl;
        return ExitLogFile;
    }
    CliContext context { options, session, std::cout, std::cerr };
    int status = commandParse.run(context);
    if (const std::string problem = session.FinishRecording(); !problem.empty()) {
        std::cerr << "dazederir-cli: --record: " << problem << std::endl;
        status = ExitLogFile;
    }
    return status;
}
