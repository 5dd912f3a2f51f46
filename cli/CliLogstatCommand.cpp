#include "cli/CliLogstatCommand.h"

#include "cli/JsonWriter.h"
#include "cmdline/OptionArgument.h"
#include "defs/TextExcerpt.h"
#include "logfile/LogReader.h"
#include "logfile/LogStatistics.h"

#include <cmath>
#include <filesystem>
#include <vector>

namespace {

// Times are whole milliseconds in our logs; another tool's seconds may not be.
JsonObject& AddTime(JsonObject& object, std::string_view key, double ms)
{
    constexpr double kExactWhole = 9007199254740992.0; // 2^53: beyond, a double skips whole numbers
    if (ms == std::trunc(ms) && std::abs(ms) < kExactWhole)
        return object.AddInt(key, static_cast<long long>(ms));
    return object.AddFloat(key, static_cast<float>(ms));
}

// A log's values are read in single precision: seven significant digits are all they hold, and
// more would show the reading's rounding ("17.2999992" for a logged 17.3).
constexpr int kLoggedDigits = 7;

JsonObject& AddFigure(JsonObject& object, std::string_view key, const std::optional<double>& figure)
{
    return object.AddNumber(key, figure.value_or(std::nan("")), kLoggedDigits);
}

std::string FigureText(const std::optional<double>& figure)
{
    return figure ? JsonNumber(*figure, kLoggedDigits) : "-";
}

std::string TimeText(double ms)
{
    return ms == std::trunc(ms) ? std::to_string(static_cast<long long>(ms))
                                : JsonFloat(static_cast<float>(ms));
}

int RunLogstat(CliContext& context, const std::filesystem::path& path)
{
    const LogFile file = ReadLogFile(path);
    if (file.error) {
        context.err << "dazederir-cli: logstat: " << *file.error << std::endl;
        return ExitUsage;
    }
    const LogContents& log = file.contents;
    for (const LogProblem& problem : log.problems)
        context.err << "dazederir-cli: logstat: " << path.string() << ": " << ProblemText(problem) << "\n";
    if (log.unlistedProblems > 0)
        context.err << "dazederir-cli: logstat: " << path.string() << ": " << log.unlistedProblems
                    << " more problems\n";
    if (context.options.json) {
        std::vector<JsonObject> channels;
        for (const LogColumn& column : log.columns) {
            const ChannelStatistics statistics = StatisticsOf(column.values);
            JsonObject channel;
            channel.AddString("name", column.name)
                .AddString("unit", column.unit)
                .AddInt("count", static_cast<long long>(statistics.count))
                .AddInt("empty", static_cast<long long>(statistics.gaps));
            AddFigure(channel, "min", statistics.min);
            AddFigure(channel, "max", statistics.max);
            AddFigure(channel, "mean", statistics.mean);
            channels.push_back(channel);
        }
        std::vector<JsonObject> markers;
        for (const LogMarker& marker : log.markers) {
            JsonObject& object = markers.emplace_back();
            object.AddInt("number", marker.number);
            AddTime(object, "ms", marker.ms).AddString("note", marker.note);
        }
        JsonObject report;
        report.AddString("path", path.string()).AddInt("rows", static_cast<long long>(log.Rows()));
        AddTime(report, "first_ms", log.FirstMs());
        AddTime(report, "last_ms", log.LastMs());
        report.AddObjectArray("channels", channels).AddObjectArray("markers", markers);
        context.out << report.Text() << "\n";
        return ExitDone;
    }
    context.out << path.string() << ": " << log.Rows() << " rows, " << TimeText(log.FirstMs()) << " ms to "
                << TimeText(log.LastMs()) << " ms\n";
    for (const LogColumn& column : log.columns) {
        const ChannelStatistics statistics = StatisticsOf(column.values);
        // A name or unit is the file's: a terminal is not to take its control characters as commands.
        context.out << EscapedText(column.name) << ": "
                    << (column.unit.empty() ? "" : "unit " + EscapedText(column.unit) + ", ") << "count "
                    << statistics.count << ", empty " << statistics.gaps << ", min "
                    << FigureText(statistics.min) << ", max " << FigureText(statistics.max) << ", mean "
                    << FigureText(statistics.mean) << "\n";
    }
    for (const LogMarker& marker : log.markers) {
        context.out << "marker " << marker.number << " at " << TimeText(marker.ms) << " ms"
                    << (marker.note.empty() ? "" : ": " + marker.note) << "\n";
    }
    return ExitDone;
}

} // namespace

CommandParse ParseLogstat(std::span<const std::string> args)
{
    if (args.empty())
        return { {}, "logstat: the log FILE is needed" };
    if (args.size() > 1)
        return { {}, "logstat: unexpected argument " + Quoted(args[1]) };
    std::error_code ec;
    const std::filesystem::path given(args[0]);
    if (!std::filesystem::is_regular_file(given, ec))
        return { {}, "logstat: " + Quoted(given.string()) + " is not a file" };
    const std::filesystem::path path = std::filesystem::absolute(given, ec).lexically_normal();
    return { [path](CliContext& context) { return RunLogstat(context, path); }, {} };
}
