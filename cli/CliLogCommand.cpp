#include "cli/CliLogCommand.h"

#include "cli/InputLines.h"
#include "cli/JsonWriter.h"
#include "cli/StopSignals.h"
#include "cmdline/OptionArgument.h"
#include "logfile/ChannelTables.h"
#include "logfile/DataLog.h"
#include "logfile/LogSaveAtExit.h"
#include "logfile/LogTrigger.h"
#include "logfile/SampleInterval.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <unistd.h>

namespace {

constexpr int SweepsBeforeRecording = 2; // as the commands that print values
constexpr int DefaultSamples = 10;
constexpr int DefaultTimeBase = 10;
constexpr std::string_view AllValuesFlag = "--all-values";

struct LogRequest {
    LogChannelNames channels;
    bool channelsGiven = false;
    bool allValues = false;
    int timeBase = DefaultTimeBase;
    bool fastTimeBase = false; // "As fast as the line allows"
    int samples = DefaultSamples;
    std::filesystem::path out = DataLog::kLogFileName;
    TriggerTexts triggerTexts;
    TriggerPlan trigger; // read from the texts once every option is in
};

// Each takes the option's value into the request, or returns what is wrong with it.
using ApplyValue = std::string (*)(std::string_view value, LogRequest& request);

std::string ApplyChannels(std::string_view value, LogRequest& request)
{
    if (const std::optional<std::string> problem = ParseLogChannelList(value, request.channels))
        return *problem;
    request.channelsGiven = true;
    return {};
}

std::string ApplyTimeBase(std::string_view value, LogRequest& request)
{
    request.fastTimeBase = value == kFastTimeBase;
    if (request.fastTimeBase)
        return {};
    const std::optional<int> seconds = ParseTimeBase(value);
    if (!seconds)
        return Quoted(value) + " is not a whole number of seconds from 1 up";
    request.timeBase = *seconds;
    return {};
}

std::string ApplySamples(std::string_view value, LogRequest& request)
{
    if (!ParseWholeNumber(value, 0, std::numeric_limits<int>::max(), request.samples))
        return Quoted(value) + " is not a whole number from 0 up";
    return {};
}

std::string ApplyOut(std::string_view value, LogRequest& request)
{
    if (value.empty())
        return "the file name is empty";
    request.out = value;
    return {};
}

struct LogOption {
    std::string_view name;
    ApplyValue apply;
};

// clang-format off
constexpr std::array<LogOption, 4> LogOptions { {
    { "--channels",  ApplyChannels },
    { "--time-base", ApplyTimeBase },
    { "--samples",   ApplySamples },
    { "--out",       ApplyOut },
} };
// clang-format on

// The trigger's texts are read together once all are in: a condition is checked against the channels.
struct TriggerOption {
    std::string_view name;
    std::string TriggerTexts::*text;
    TriggerProblem::Field field;

    std::string apply(std::string_view value, LogRequest& request) const
    {
        request.triggerTexts.*text = value;
        return {};
    }
};

// clang-format off
constexpr std::array<TriggerOption, 4> TriggerOptions { {
    { "--start-when",  &TriggerTexts::startWhen,  TriggerProblem::Field::StartWhen },
    { "--stop-when",   &TriggerTexts::stopWhen,   TriggerProblem::Field::StopWhen },
    { "--stop-delay",  &TriggerTexts::stopDelay,  TriggerProblem::Field::StopDelay },
    { "--pre-trigger", &TriggerTexts::preTrigger, TriggerProblem::Field::PreTrigger },
} };
// clang-format on

// "--start-when: ..." for a trigger text that cannot be read.
std::string TriggerProblemText(const TriggerProblem& problem)
{
    const auto option = std::find_if(TriggerOptions.begin(), TriggerOptions.end(),
        [&problem](const TriggerOption& entry) { return entry.field == problem.field; });
    return std::string(option != TriggerOptions.end() ? option->name : "") + ": " + problem.English();
}

int CannotWrite(CliContext& context, const std::filesystem::path& target, const std::string& reason)
{
    context.err << "dazederir-cli: cannot write the log " << target.string() << ": " << reason << std::endl;
    return ExitLogFile;
}

// Found out before recording, not after: the samples could not be taken again.
std::optional<std::string> TargetProblem(const std::filesystem::path& target)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(target.parent_path(), ec))
        return "no folder " + target.parent_path().string();
    if (std::filesystem::is_directory(target, ec))
        return "it is a folder";
    return std::nullopt;
}

void PrintWritten(CliContext& context, const DataLog& log)
{
    const std::filesystem::path& target = log.Target();
    if (context.options.json) {
        context.out << JsonObject()
                           .AddString("path", target.string())
                           .AddInt("rows", static_cast<long long>(log.RowCount()))
                           .AddInt("bytes", log.FileBytes())
                           .Text()
                    << "\n";
    } else {
        context.out << target.string() << "\n";
    }
}

// What takes one row, stamped with its ms since the recording began.
using TakeRow = std::function<bool(std::int64_t ms)>;

// Takes rows until `row` says no more: at the sample interval, stamped with the nominal times, or as
// fast as the line allows each time the channels have all been read again, stamped with when they were.
void TakeRows(CliSession& session, const LogRequest& request, int interval, const TakeRow& row,
    const std::function<bool()>& stopWanted)
{
    constexpr int Unbounded = std::numeric_limits<int>::max();
    if (!request.fastTimeBase) {
        std::int64_t nominalMs = 0;
        session.Record(
            Unbounded, std::chrono::milliseconds(interval),
            [&row, &nominalMs, interval] { return row(nominalMs += interval); }, stopWanted);
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    session.RecordAsRead(
        Unbounded,
        [&row, start](std::chrono::steady_clock::time_point at) {
            return row(std::chrono::duration_cast<std::chrono::milliseconds>(at - start).count());
        },
        stopWanted);
}

// Makes the recording file and writes the header: at once, or when the start condition first holds.
// Returns why it could not be made.
std::optional<std::string> BeginLog(CliContext& context, const LogRequest& request, DataLog& log,
    const QDateTime& start, int interval, const std::filesystem::path& target)
{
    if (std::optional<std::string> problem = log.AppendHeader(start, request.channels, interval, target,
            { .allValues = request.allValues, .units = context.session.Connection().Settings() })) {
        log.Discard();
        return problem;
    }
    if (const std::optional<qint64> other = log.TargetTakenBy()) {
        context.err << "dazederir-cli: process " << *other << " is recording into " << target.string()
                    << "; this log goes to " << log.Target().string() << " instead" << std::endl;
    }
    return std::nullopt;
}

int RunLog(CliContext& context, const LogRequest& request)
{
    if (request.fastTimeBase && context.options.pollMode != EcuConnection::PollMode::Fast) {
        context.err << "dazederir-cli: log: --time-base fast needs --poll fast" << std::endl;
        return ExitUsage;
    }
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::absolute(request.out, ec).lexically_normal();
    if (const std::optional<std::string> problem = TargetProblem(target))
        return CannotWrite(context, target, *problem);

    CliSession& session = context.session;
    session.SetPollPriority(LoggedBytesOf(request.channels));
    if (!session.WaitForIdentification() || !session.PollSweeps(SweepsBeforeRecording))
        return SessionFailed(context);
    const int interval = SampleIntervalFor(request.timeBase, kFirstChartGridSize).value_or(0);
    const StopSignals stop;
    const QDateTime requested = QDateTime::currentDateTime();
    DataLog log;
    LogTrigger trigger(request.trigger, request.channels);
    const LogColumns columns(request.channels, request.allValues);
    // Without a start condition the recording file is made and its header written before the first
    // sample is taken; with one, when the condition first holds (nothing is on the disk while waiting).
    std::optional<std::string> beginProblem;
    const auto keep = [&](const std::vector<LogRow>& rows) {
        if (!log.HasUnsavedLog() && !beginProblem)
            beginProblem
                = BeginLog(context, request, log, requested.addMSecs(trigger.OriginMs()), interval, target);
        if (!beginProblem)
            log.AppendRows(rows);
    };
    if (!trigger.Plan().WaitsForStart())
        keep({});
    if (beginProblem)
        return CannotWrite(context, target, *beginProblem);
    using Clock = std::chrono::steady_clock;
    const auto patience = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(context.options.timeoutSeconds));
    Clock::time_point lastLive = Clock::now();
    // Each line a script or a person at a pipe sends marks the row taken last, the line its note;
    // while waiting for the start, it stays only if its row is among the pre-trigger rows kept.
    InputLines notes(STDIN_FILENO);
    const auto markNotes = [&notes, &log, &trigger] {
        for (std::string& note : notes.Take()) {
            if (trigger.CurrentStage() == LogTrigger::Stage::Waiting)
                trigger.Mark(std::move(note));
            else
                log.AddMarker(note);
        }
    };
    bool ecuGone = false;
    bool diskBehind = false;
    // A replayed capture that has given all its answers brings no more values: end at once
    // rather than write empty rows until the timeout.
    std::optional<std::string> captureEnded;
    TakeRows(
        session, request, interval,
        [&](std::int64_t ms) {
            const EcuConnection& ecu = session.Connection();
            keep(trigger.Take({ ms, columns.Fields(ecu), {} }));
            markNotes();
            if (ecu.HasLiveValues())
                lastLive = Clock::now();
            else if (Clock::now() - lastLive > patience)
                ecuGone = true;
            // Rows the disk refuses are kept; stop taking more and finish what there is. So too when
            // the disk falls too far behind the rows.
            diskBehind = !log.HasRoom();
            captureEnded = session.CaptureEndedText();
            return !ecuGone && !log.WriteProblem() && !diskBehind && !captureEnded && !beginProblem
                && trigger.CurrentStage() != LogTrigger::Stage::Done;
        },
        [&] {
            // As fast as the line allows, an ECU that stays away brings no row at all.
            if (request.fastTimeBase && Clock::now() - lastLive > patience)
                ecuGone = true;
            captureEnded = session.CaptureEndedText();
            return stop.Requested() || ecuGone || captureEnded;
        });
    markNotes();
    const bool stillWaiting = trigger.CurrentStage() == LogTrigger::Stage::Waiting;
    // Ended while waiting: the log holds the pre-trigger rows held then, and no start row.
    keep(trigger.Finish());
    if (beginProblem)
        return CannotWrite(context, target, *beginProblem);
    if (stillWaiting) {
        context.err << "dazederir-cli: " << request.trigger.start->Text() << " never held; the log holds ";
        if (log.RowCount() == 0)
            context.err << "no rows" << std::endl;
        else
            context.err << "the " << log.RowCount() << " rows of the last "
                        << request.trigger.preTriggerSeconds << " s before the end" << std::endl;
    }
    if (const std::optional<std::string> error = log.SaveLog(target)) {
        if (log.RecordingPath().empty() || !std::filesystem::exists(log.RecordingPath(), ec)) {
            // The folder went, and the recording with it: the rows it held go where the program
            // sends a log it cannot save at its end, and the message names the place.
            const std::optional<std::string> elsewhere = SaveLogAtExit(log, target);
            context.err << "dazederir-cli: " << elsewhere.value_or(*error) << std::endl;
            return ExitLogFile;
        }
        return CannotWrite(context, target,
            *error + "; the rows written so far stay in " + log.RecordingPath().string()
                + " (dazederir-cli recover " + log.RecordingPath().parent_path().string() + " finishes it)");
    }
    PrintWritten(context, log);
    if (diskBehind) {
        context.err << "dazederir-cli: the disk fell too far behind the rows: recording stopped after "
                    << log.RowCount() << " rows, every one of them in the log" << std::endl;
        return ExitLogFile;
    }
    if (captureEnded) {
        context.err << "dazederir-cli: " << *captureEnded << "; the log holds the rows taken until then"
                    << std::endl;
        return ExitNoEcu;
    }
    if (ecuGone) {
        context.err << "dazederir-cli: the ECU stopped answering: no values within "
                    << context.options.timeoutSeconds << " s; the log holds the rows taken until then"
                    << std::endl;
        return ExitNoEcu;
    }
    return ExitDone;
}

CommandParse Fail(const std::string& problem)
{
    return { {}, "log: " + problem };
}

} // namespace

CommandParse ParseLog(std::span<const std::string> args)
{
    LogRequest request;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == AllValuesFlag) {
            request.allValues = true;
            ++i;
            continue;
        }
        std::string problem;
        if (!TakeTableOption(LogOptions, args, i, request, problem)
            && !TakeTableOption(TriggerOptions, args, i, request, problem))
            return Fail("unexpected argument " + Quoted(args[i]));
        if (!problem.empty())
            return Fail(problem);
    }
    if (!request.channelsGiven)
        return Fail("--channels C1,C2,C3,C4 is needed");
    std::optional<TriggerProblem> triggerProblem = TriggerPlan::Read(request.triggerTexts, request.trigger);
    if (!triggerProblem)
        triggerProblem = request.trigger.ChannelProblem(request.channels);
    if (triggerProblem)
        return Fail(TriggerProblemText(*triggerProblem));
    // N counts the rows from the start on.
    request.trigger.mostRowsFromStart = static_cast<std::size_t>(request.samples);
    return { [request](CliContext& context) { return RunLog(context, request); }, {} };
}
