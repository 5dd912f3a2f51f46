#include "cli/CliCaptureCommand.h"

#include "capture/CaptureSummary.h"
#include "cli/JsonWriter.h"
#include "cmdline/OptionArgument.h"

#include <sstream>

namespace {

std::string SummaryText(const CaptureSummary& summary, bool json)
{
    if (json) {
        return JsonObject()
                   .AddString("ecu_id", summary.ecuId)
                   .AddInt("baud", summary.baud)
                   .AddFloat("duration_ms", static_cast<float>(summary.durationMs))
                   .AddInt("requests", summary.requests)
                   .AddInt("replies", summary.replies)
                   .AddInt("failed", summary.failed)
                   .Text()
            + "\n";
    }
    std::ostringstream text;
    text << "ECU ID: " << (summary.ecuId.empty() ? "none identified" : summary.ecuId) << "\n"
         << "Baud: " << summary.baud << "\n"
         << "Duration: " << CaptureTimeText(summary.durationMs) << " ms\n"
         << "Requests: " << summary.requests << "\n"
         << "Replies: " << summary.replies << "\n"
         << "Failed: " << summary.failed << "\n";
    return text.str();
}

} // namespace

CommandParse ParseCapinfo(std::span<const std::string> args)
{
    if (args.empty())
        return { {}, "capinfo: missing the capture FILE" };
    if (args.size() > 1)
        return { {}, "capinfo: unexpected argument " + Quoted(args[1]) };
    const CaptureScan scan = ScanCaptureFile(args[0]);
    if (!scan.source)
        return { {}, "capinfo: " + scan.error };
    return { [summary = scan.summary, torn = scan.tornLastLine, path = args[0]](CliContext& context) {
                if (torn)
                    context.err << "dazederir-cli: capinfo: the last line of " << path
                                << " was cut off and is left out" << std::endl;
                context.out << SummaryText(summary, context.options.json);
                return static_cast<int>(ExitDone);
            },
        {} };
}
