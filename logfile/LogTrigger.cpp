#include "logfile/LogTrigger.h"

#include "cmdline/OptionArgument.h"
#include "defs/Blanks.h"
#include "logfile/FieldNumber.h"
#include "logfile/SampleInterval.h"

#include <QtGlobal>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr char kAbove = '>';
constexpr char kBelow = '<';

constexpr const char* kNotACondition
    = QT_TRANSLATE_NOOP("LogTrigger", "\"%1\" is not NAME>VALUE or NAME<VALUE (for example RPM>3000)");
constexpr const char* kNotANumber = QT_TRANSLATE_NOOP("LogTrigger", "\"%1\" is not a number");
constexpr const char* kNotLogged
    = QT_TRANSLATE_NOOP("LogTrigger", "\"%1\" is not one of the four logged channels (%2)");
constexpr const char* kNotSeconds
    = QT_TRANSLATE_NOOP("LogTrigger", "\"%1\" is not a number of seconds from 0 up");
constexpr const char* kTooManySeconds
    = QT_TRANSLATE_NOOP("LogTrigger", "\"%1\" is more than the %2 seconds that can be kept");

std::string ShortestText(double value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
}

std::optional<TriggerProblem> ReadCondition(
    TriggerProblem::Field field, std::string_view typed, std::optional<TriggerCondition>& condition)
{
    const std::string_view text = WithoutBlanks(typed);
    condition.reset();
    if (text.empty())
        return std::nullopt;
    const std::size_t op = text.find_first_of("<>");
    const std::string_view name
        = op == std::string_view::npos ? std::string_view() : WithoutBlanks(text.substr(0, op));
    if (name.empty())
        return TriggerProblem { field, kNotACondition, std::string(text), {} };
    const std::string_view valueText = WithoutBlanks(text.substr(op + 1));
    const std::optional<double> value = ParseFiniteDecimal(valueText);
    if (!value) {
        if (valueText.empty() || valueText.find_first_of("<>") != std::string_view::npos)
            return TriggerProblem { field, kNotACondition, std::string(text), {} };
        return TriggerProblem { field, kNotANumber, std::string(valueText), {} };
    }
    condition = TriggerCondition { std::string(name), text[op] == kAbove, *value, std::string(valueText) };
    return std::nullopt;
}

// Seconds from 0 up to `most`; an empty text leaves `seconds` as it is.
std::optional<TriggerProblem> ReadSeconds(
    TriggerProblem::Field field, std::string_view typed, double most, std::optional<double>& seconds)
{
    const std::string_view text = WithoutBlanks(typed);
    if (text.empty())
        return std::nullopt;
    const std::optional<double> value = ParseFiniteDecimal(text);
    if (!value || *value < 0)
        return TriggerProblem { field, kNotSeconds, std::string(text), {} };
    if (*value > most)
        return TriggerProblem { field, kTooManySeconds, std::string(text), ShortestText(most) };
    seconds = *value;
    return std::nullopt;
}

std::size_t ColumnOf(const std::optional<TriggerCondition>& condition, const LogChannelNames& channels)
{
    if (!condition)
        return channels.size();
    return static_cast<std::size_t>(
        std::find(channels.begin(), channels.end(), condition->channel) - channels.begin());
}

std::int64_t Milliseconds(double seconds)
{
    return std::llround(seconds * kMsPerSecond);
}

} // namespace

std::string TriggerCondition::Text() const
{
    return channel + ' ' + (above ? kAbove : kBelow) + ' ' + valueText;
}

std::string TriggerCondition::Setting() const
{
    return channel + (above ? kAbove : kBelow) + valueText;
}

std::string TriggerProblem::English() const
{
    std::string message = text;
    for (const auto& [mark, part] : { std::pair<std::string_view, const std::string&> { "%1", first },
             std::pair<std::string_view, const std::string&> { "%2", second } }) {
        if (const std::size_t at = message.find(mark); at != std::string::npos)
            message.replace(at, mark.size(), part);
    }
    return message;
}

std::optional<TriggerProblem> TriggerPlan::Read(const TriggerTexts& texts, TriggerPlan& plan)
{
    using Field = TriggerProblem::Field;
    // No limit but a finite number: a stop delay or stop time holds nothing in memory.
    constexpr double kAnySeconds = std::numeric_limits<double>::max();
    TriggerPlan read;
    std::optional<double> stopDelay;
    std::optional<double> preTrigger;
    std::optional<TriggerProblem> problem = ReadCondition(Field::StartWhen, texts.startWhen, read.start);
    if (!problem)
        problem = ReadCondition(Field::StopWhen, texts.stopWhen, read.stop);
    if (!problem)
        problem = ReadSeconds(Field::StopDelay, texts.stopDelay, kAnySeconds, stopDelay);
    if (!problem)
        problem = ReadSeconds(Field::PreTrigger, texts.preTrigger, kMostPreTriggerSeconds, preTrigger);
    if (!problem)
        problem = ReadSeconds(Field::StopAfter, texts.stopAfter, kAnySeconds, read.stopAfterSeconds);
    if (problem)
        return problem;
    read.stopDelaySeconds = stopDelay.value_or(0);
    read.preTriggerSeconds = preTrigger.value_or(0);
    read.mostRowsFromStart = plan.mostRowsFromStart;
    plan = std::move(read);
    return std::nullopt;
}

std::optional<TriggerProblem> TriggerPlan::ChannelProblem(const LogChannelNames& channels) const
{
    std::string names;
    for (const std::string& channel : channels)
        names += (names.empty() ? "" : ", ") + channel;
    if (start && ColumnOf(start, channels) == channels.size())
        return TriggerProblem { TriggerProblem::Field::StartWhen, kNotLogged, start->channel, names };
    if (stop && ColumnOf(stop, channels) == channels.size())
        return TriggerProblem { TriggerProblem::Field::StopWhen, kNotLogged, stop->channel, names };
    return std::nullopt;
}

LogTrigger::LogTrigger(TriggerPlan plan, const LogChannelNames& channels)
    : m_plan(std::move(plan))
    , m_startColumn(ColumnOf(m_plan.start, channels))
    , m_stopColumn(ColumnOf(m_plan.stop, channels))
    , m_preTriggerMs(Milliseconds(std::min(m_plan.preTriggerSeconds, TriggerPlan::kMostPreTriggerSeconds)))
    , m_stopDelayMs(Milliseconds(m_plan.stopDelaySeconds))
    , m_stage(m_plan.start ? Stage::Waiting : Stage::Recording)
{
}

std::optional<double> LogTrigger::ValueOf(const LogRow& row, std::size_t column) const
{
    // Field `column` follows the comma number `column` + 1.
    std::size_t at = 0;
    for (std::size_t comma = 0; comma <= column; ++comma) {
        at = row.fields.find(',', at);
        if (at == std::string::npos)
            return std::nullopt;
        ++at;
    }
    const std::size_t end = std::min(row.fields.find(',', at), row.fields.size());
    double value = 0;
    if (!FieldNumbers().Read(std::string_view(row.fields).substr(at, end - at), value))
        return std::nullopt; // an empty field: no reading, which meets no condition
    return value;
}

bool LogTrigger::Holds(
    const std::optional<TriggerCondition>& condition, std::size_t column, const LogRow& row) const
{
    if (!condition || column == kNoColumn)
        return false;
    const std::optional<double> value = ValueOf(row, column);
    return value && condition->HoldsFor(*value);
}

std::vector<LogRow> LogTrigger::Take(LogRow row)
{
    std::vector<LogRow> kept;
    switch (m_stage) {
    case Stage::Waiting: {
        // Rows older than the pre-trigger time before this one can no longer be kept.
        const std::int64_t oldest = row.ms - m_preTriggerMs;
        while (!m_held.empty() && m_held.front().ms < oldest) {
            m_originMs = m_held.front().ms;
            m_held.pop_front();
        }
        if (!Holds(m_plan.start, m_startColumn, row)) {
            if (m_preTriggerMs > 0)
                m_held.push_back(std::move(row));
            else
                m_originMs = row.ms;
            break;
        }
        m_startMs = row.ms;
        m_stage = Stage::Recording;
        kept = HandOverHeld();
        Keep(std::move(row), kept);
        break;
    }
    case Stage::Recording:
    case Stage::Stopping:
        Keep(std::move(row), kept);
        break;
    case Stage::Done:
        break;
    }
    return kept;
}

void LogTrigger::Keep(LogRow row, std::vector<LogRow>& kept)
{
    const std::optional<std::size_t>& most = m_plan.mostRowsFromStart;
    if (most && m_rowsFromStart >= *most) {
        m_stage = Stage::Done;
        m_end = End::Rows;
        return;
    }
    if (m_stage == Stage::Recording && Holds(m_plan.stop, m_stopColumn, row)) {
        m_stage = Stage::Stopping;
        m_stopSeenMs = row.ms;
    }
    const std::int64_t ms = row.ms;
    row.ms -= m_originMs;
    kept.push_back(std::move(row));
    ++m_rowsFromStart;
    const bool delayOver = m_stopSeenMs && ms - *m_stopSeenMs >= m_stopDelayMs;
    const bool timeOver = m_plan.stopAfterSeconds && ms - m_startMs >= Milliseconds(*m_plan.stopAfterSeconds);
    const bool rowsOver = most && m_rowsFromStart >= *most;
    if (delayOver || timeOver || rowsOver) {
        m_stage = Stage::Done;
        m_end = delayOver ? End::StopCondition : timeOver ? End::StopTime : End::Rows;
    }
}

bool LogTrigger::Mark(std::string note)
{
    if (m_stage != Stage::Waiting || m_held.empty())
        return false;
    m_held.back().markerNotes.push_back(std::move(note));
    return true;
}

std::vector<LogRow> LogTrigger::Finish()
{
    if (m_stage == Stage::Done)
        return {};
    const bool waiting = m_stage == Stage::Waiting;
    m_stage = Stage::Done;
    m_end = waiting ? End::WhileWaiting : End::Finished;
    return waiting ? HandOverHeld() : std::vector<LogRow>();
}

std::vector<LogRow> LogTrigger::HandOverHeld()
{
    std::vector<LogRow> kept;
    kept.reserve(m_held.size() + 1);
    for (LogRow& held : m_held) {
        held.ms -= m_originMs;
        kept.push_back(std::move(held));
    }
    m_held.clear();
    return kept;
}
