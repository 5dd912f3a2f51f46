#include "cli/CliRecoverCommand.h"

#include "cli/JsonWriter.h"
#include "cmdline/OptionArgument.h"
#include "logfile/RecordingFile.h"

#include <filesystem>
#include <vector>

namespace {

int RunRecover(CliContext& context, const std::filesystem::path& folder)
{
    const Recovery recovery = RecoverRecordings(folder);
    if (context.options.json) {
        std::vector<JsonObject> logs;
        for (const RecoveredLog& log : recovery.logs)
            logs.push_back(JsonObject().AddString("path", log.path.string()).AddInt("rows", log.rows));
        context.out << JsonObject().AddObjectArray("recovered", logs).Text() << "\n";
    } else {
        for (const RecoveredLog& log : recovery.logs)
            context.out << log.path.string() << "\n";
    }
    for (const std::string& problem : recovery.problems)
        context.err << "dazederir-cli: recover: " << problem << std::endl;
    return recovery.problems.empty() ? ExitDone : ExitLogFile;
}

} // namespace

CommandParse ParseRecover(std::span<const std::string> args)
{
    if (args.size() > 1)
        return { {}, "recover: unexpected argument " + Quoted(args[1]) };
    std::error_code ec;
    const std::filesystem::path given
        = args.empty() ? std::filesystem::current_path(ec) : std::filesystem::path(args[0]);
    if (!std::filesystem::is_directory(given, ec))
        return { {}, "recover: " + Quoted(given.string()) + " is not a folder" };
    const std::filesystem::path folder = std::filesystem::absolute(given, ec).lexically_normal();
    return { [folder](CliContext& context) { return RunRecover(context, folder); }, {} };
}
