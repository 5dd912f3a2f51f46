#include "cli/CliReportCommand.h"

#include "cli/JsonWriter.h"
#include "cmdline/OptionArgument.h"
#include "report/ReportFile.h"

#include <QDateTime>

#include <filesystem>

namespace {

constexpr std::string_view kCommand = "report";
constexpr std::string_view kOutOption = "--out";

int RunReport(CliContext& context, int sweeps, const std::string& path)
{
    if (!context.session.WaitForIdentification() || !context.session.PollSweeps(sweeps))
        return SessionFailed(context);
    const DiagnosticReport report = ReportOfSession(context.session.Session(), QDateTime::currentDateTime());
    if (const std::optional<QString> error = WriteReport(report, QString::fromStdString(path))) {
        context.err << "dazederir-cli: report: cannot write " << path << ": " << error->toStdString()
                    << std::endl;
        return ExitLogFile;
    }
    if (context.options.json)
        context.out << JsonObject().AddString("path", path).Text() << "\n";
    else
        context.out << path << "\n";
    return ExitDone;
}

} // namespace

CommandParse ParseReportCommand(std::span<const std::string> args)
{
    int sweeps = DefaultSweeps;
    std::optional<std::string> out;
    for (std::size_t i = 0; i < args.size();) {
        const std::string_view name = OptionName(args[i]);
        if (name == SweepsOption) {
            if (std::string error = TakeSweeps(kCommand, args, i, sweeps); !error.empty())
                return { {}, error };
        } else if (name == kOutOption) {
            const std::optional<std::string_view> value = TakeOptionValue(args, i, kOutOption);
            if (!value || value->empty())
                return { {}, "report: --out: missing value" };
            out = std::string(*value);
        } else {
            return { {}, Unexpected(kCommand, args[i]) };
        }
    }
    if (!out)
        return { {}, "report: --out FILE is needed" };
    if (!ReportFormatOf(QString::fromStdString(*out))) {
        return { {},
            "report: --out: " + Quoted(*out) + " is neither a PDF (.pdf) nor an HTML file (.html, .htm)" };
    }
    std::error_code ec;
    const std::string path = std::filesystem::absolute(*out, ec).lexically_normal().string();
    return { [sweeps, path](CliContext& context) { return RunReport(context, sweeps, path); }, {} };
}
