#pragma once

#include "logfile/LogColumns.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A channel above or below a value: "RPM>3000", "TPS<10". Compared with the channel's field as the
// log writes it, so that what started a recording can be read back from the file.
struct TriggerCondition {
    std::string channel;
    bool above = true;
    double value = 0;
    std::string valueText; // as typed, so that it is shown as typed

    // As the logger shows it: "RPM > 3000".
    std::string Text() const;
    // As a command line takes it and the settings keep it: "RPM>3000".
    std::string Setting() const;
    bool HoldsFor(double channelValue) const { return above ? channelValue > value : channelValue < value; }
};

// What is wrong with a trigger setting, in words the windows translate (context "LogTrigger") and
// the command-line tool prints as they are: `text` with "%1" and "%2" standing for the two parts.
struct TriggerProblem {
    enum class Field { StartWhen, StopWhen, StopDelay, PreTrigger, StopAfter };

    Field field = Field::StartWhen;
    const char* text = "";
    std::string first;
    std::string second;

    std::string English() const;
};

// The trigger settings as typed; an empty text is the setting left out.
struct TriggerTexts {
    std::string startWhen {};
    std::string stopWhen {};
    std::string stopDelay {};
    std::string preTrigger {};
    std::string stopAfter {};

    bool operator==(const TriggerTexts&) const = default;
};

struct TriggerPlan {
    // Rows held in memory while waiting are bounded by this much time.
    static constexpr double kMostPreTriggerSeconds = 600;

    std::optional<TriggerCondition> start; // none: from the first row
    std::optional<TriggerCondition> stop;
    double stopDelaySeconds = 0; // after the stop condition first holds
    double preTriggerSeconds = 0; // the rows of this long before the start are kept
    std::optional<double> stopAfterSeconds; // from the start
    std::optional<std::size_t> mostRowsFromStart; // the start row included

    // Each text read, or the first that cannot be, and why.
    static std::optional<TriggerProblem> Read(const TriggerTexts& texts, TriggerPlan& plan);
    // Why a condition cannot be watched with these channels (it names none of them).
    std::optional<TriggerProblem> ChannelProblem(const LogChannelNames& channels) const;
    bool WaitsForStart() const { return start.has_value(); }
    // Whether it asks for anything a recording without a trigger would not do.
    bool IsSet() const { return start || stop || stopAfterSeconds; }
};

// Which rows of a recording are kept: while waiting for the start condition only the rows of the
// last pre-trigger seconds, in memory; from the row that meets it, those and every row after, until
// the stop. Rows are taken with their time since the recording was asked for, and handed over with
// their time in the log, which counts from the last row left out before the first kept one (from the
// request when none was), so that the first kept row has the time it would have had in a log from
// the start. Markers made while waiting stay with the row they mark: kept with it, or dropped with it.
class LogTrigger {
public:
    enum class Stage {
        Waiting, // for the start condition
        Recording,
        Stopping, // the stop condition has held; the stop delay runs
        Done, // nothing more is kept
    };

    LogTrigger(TriggerPlan plan, const LogChannelNames& channels);

    // Takes the row taken now (its time not before the last one's); returns the rows to log now.
    std::vector<LogRow> Take(LogRow row);
    // A marker made while waiting, at the row taken last; false when no row held could keep it.
    bool Mark(std::string note);
    // Ends the recording: hands over what was held while waiting (the last pre-trigger seconds).
    std::vector<LogRow> Finish();

    Stage CurrentStage() const { return m_stage; }
    const TriggerPlan& Plan() const { return m_plan; }
    // Time zero of the log, as a time since the request.
    std::int64_t OriginMs() const { return m_originMs; }
    // Why nothing more is kept.
    enum class End {
        NotYet,
        StopCondition, // the stop delay after the stop condition has passed
        StopTime,
        Rows, // the rows asked for are kept
        WhileWaiting, // Finish before the start condition held
        Finished, // Finish while recording
    };
    End Ended() const { return m_end; }

private:
    std::optional<double> ValueOf(const LogRow& row, std::size_t column) const;
    bool Holds(const std::optional<TriggerCondition>& condition, std::size_t column, const LogRow& row) const;
    void Keep(LogRow row, std::vector<LogRow>& kept);
    std::vector<LogRow> HandOverHeld();

    static constexpr std::size_t kNoColumn = kLoggedChannels;

    TriggerPlan m_plan;
    std::size_t m_startColumn = kNoColumn;
    std::size_t m_stopColumn = kNoColumn;
    std::int64_t m_preTriggerMs = 0;
    std::int64_t m_stopDelayMs = 0;
    Stage m_stage = Stage::Waiting;
    std::deque<LogRow> m_held;
    std::int64_t m_originMs = 0;
    std::int64_t m_startMs = 0;
    std::optional<std::int64_t> m_stopSeenMs;
    std::size_t m_rowsFromStart = 0;
    End m_end = End::NotYet;
};
