#include "cli/CliConvertCommand.h"

#include "cli/JsonWriter.h"
#include "cmdline/OptionArgument.h"
#include "logfile/LogReader.h"
#include "logfile/MslLog.h"

#include <filesystem>

namespace {

constexpr std::string_view kMslFormat = "msl";

struct ConvertRequest {
    std::filesystem::path source;
    std::filesystem::path target;
};

int RunConvert(CliContext& context, const ConvertRequest& request)
{
    const LogFile file = ReadLogFile(request.source);
    if (file.error) {
        context.err << "dazederir-cli: convert: " << *file.error << std::endl;
        return ExitUsage;
    }
    const LogContents& log = file.contents;
    for (const LogProblem& problem : log.problems)
        context.err << "dazederir-cli: convert: " << request.source.string() << ": " << ProblemText(problem)
                    << "\n";
    if (log.unlistedProblems > 0)
        context.err << "dazederir-cli: convert: " << request.source.string() << ": " << log.unlistedProblems
                    << " more problems\n";
    if (const std::optional<std::string> error
        = MslLog::Write(log, request.source.filename().string(), request.target)) {
        context.err << "dazederir-cli: convert: cannot write " << request.target.string() << ": " << *error
                    << std::endl;
        return ExitLogFile;
    }
    if (context.options.json)
        context.out << JsonObject().AddString("path", request.target.string()).Text() << "\n";
    else
        context.out << request.target.string() << "\n";
    return ExitDone;
}

} // namespace

CommandParse ParseConvert(std::span<const std::string> args)
{
    std::optional<std::string> source;
    std::optional<std::string> format;
    std::optional<std::string> out;
    for (std::size_t i = 0; i < args.size();) {
        const std::string_view name = OptionName(args[i]);
        if (name == "--to" || name == "--out") {
            const std::optional<std::string_view> value = TakeOptionValue(args, i, name);
            if (!value)
                return { {}, "convert: " + std::string(name) + ": missing value" };
            (name == "--to" ? format : out) = std::string(*value);
        } else if (!source && !args[i].starts_with("--")) {
            source = args[i++];
        } else {
            return { {}, "convert: unexpected argument " + Quoted(args[i]) };
        }
    }
    if (!source)
        return { {}, "convert: the log FILE is needed" };
    if (!format)
        return { {}, "convert: --to msl is needed" };
    if (*format != kMslFormat)
        return { {}, "convert: --to: " + Quoted(*format) + " is not a format this tool writes (msl)" };
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*source, ec))
        return { {}, "convert: " + Quoted(*source) + " is not a file" };
    ConvertRequest request;
    request.source = std::filesystem::absolute(*source, ec).lexically_normal();
    request.target = out ? std::filesystem::absolute(*out, ec).lexically_normal()
                         : std::filesystem::path(request.source).replace_extension(MslLog::kExtension);
    if (std::filesystem::equivalent(request.source, request.target, ec))
        return { {},
            "convert: the converted log would replace " + Quoted(request.source.string()) + " itself" };
    return { [request](CliContext& context) { return RunConvert(context, request); }, {} };
}
