#include "logfile/DataLog.h"

#include "logfile/LogHeader.h"

#include <algorithm>

namespace {

constexpr std::string_view kLineEnd = LogHeader::kLineEnd;
// One form everywhere, whatever the locale: year first cannot be misread.
const QString kStartTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString kStartStampFormat = QStringLiteral("yyyyMMdd-HHmmss");

} // namespace

std::optional<std::string> DataLog::AppendHeader(const QDateTime& start, const LogChannelNames& channels,
    int sampleIntervalMs, const std::filesystem::path& target, const LogChoices& options)
{
    m_columns = LogColumns(channels, options.allValues);
    LogHeader header;
    header.headings = m_columns.Headings();
    m_sampleIntervalMs = sampleIntervalMs;
    m_elapsedMs = 0;
    m_loggedBytes = 0;
    m_rowCount = 0;
    m_markers.clear();
    m_target = target;
    m_wantedName = target.filename();

    const QDateTime local = start.toLocalTime();
    header.startText = local.toString(kStartTimeFormat).toStdString();
    header.units = options.units;
    m_writeProblem
        = m_recording.Begin(target, local.toString(kStartStampFormat).toStdString(), header.Text());
    // Two programs finishing logs under one name would leave one of them under a name that
    // says it is the other's: the second one to start takes its dated name from the start.
    m_targetTakenBy = m_lock.Take(target);
    if (m_targetTakenBy) {
        m_target = target.parent_path() / DatedFileName();
        m_lock.Take(m_target);
    }
    return m_writeProblem;
}

std::filesystem::path DataLog::TakeSaveTarget(const std::filesystem::path& target)
{
    const std::filesystem::path dated = target.parent_path() / DatedFileName();
    if (m_targetTakenBy) {
        if (!m_lock.Holds(dated))
            m_lock.Take(dated);
        return dated;
    }
    if (m_lock.Holds(target) || !m_lock.Take(target))
        return target;
    // Taken since this log began (it is saved into another folder than it was meant for).
    m_lock.Take(dated);
    return dated;
}

std::size_t DataLog::AppendRow(const EcuQueries& ecu)
{
    return AppendRowAt(ecu, m_elapsedMs + m_sampleIntervalMs);
}

std::size_t DataLog::AppendRowAt(const EcuQueries& ecu, std::int64_t elapsedMs)
{
    return AppendFieldsAt(m_columns.Fields(ecu), elapsedMs);
}

void DataLog::AppendRows(const std::vector<LogRow>& rows)
{
    for (const LogRow& row : rows) {
        AppendFieldsAt(row.fields, row.ms);
        for (const std::string& note : row.markerNotes)
            AddMarker(note);
    }
}

std::size_t DataLog::AppendFieldsAt(std::string_view fields, std::int64_t elapsedMs)
{
    m_elapsedMs = std::max(m_elapsedMs, elapsedMs);
    std::string row = std::to_string(m_elapsedMs);
    row += fields;
    row += kLineEnd;
    const std::size_t length = row.size();
    m_loggedBytes += static_cast<std::int64_t>(length);
    ++m_rowCount;
    m_writeProblem = m_recording.Append(row);
    return length;
}

int DataLog::AddMarker(std::string_view note)
{
    const int number = static_cast<int>(m_markers.size()) + 1;
    m_markers.push_back({ number, static_cast<double>(m_elapsedMs), MarkerNote(note) });
    m_writeProblem = m_recording.Append(LogMarkerLine::Text(number, m_elapsedMs, m_markers.back().note));
    return number;
}

void DataLog::NoteMarker(int number, std::string_view note)
{
    if (number < 1 || number > static_cast<int>(m_markers.size()))
        return;
    LogMarker& marker = m_markers[static_cast<std::size_t>(number - 1)];
    marker.note = MarkerNote(note);
    m_writeProblem
        = m_recording.Append(LogMarkerLine::Text(number, static_cast<std::int64_t>(marker.ms), marker.note));
}

std::optional<std::string> DataLog::SaveLog(const std::filesystem::path& target)
{
    if (!m_recording.IsActive())
        return std::nullopt;
    const std::filesystem::path where = TakeSaveTarget(target);
    m_writeProblem = m_recording.Finish(where);
    if (!m_writeProblem) {
        m_target = where;
        m_lock.Release();
    }
    return m_writeProblem;
}

std::filesystem::path DataLog::DatedFileName() const
{
    const std::filesystem::path name = m_wantedName.empty() ? kLogFileName : m_wantedName;
    return name.stem().string() + "-" + m_recording.Start() + name.extension().string();
}

std::filesystem::path LogTargetPath(const std::filesystem::path& logFilePath)
{
    std::error_code ec;
    const bool isDirectory = !logFilePath.empty() && std::filesystem::is_directory(logFilePath, ec);
    const std::filesystem::path directory = isDirectory ? logFilePath : std::filesystem::current_path(ec);
    return std::filesystem::absolute(directory / DataLog::kLogFileName, ec).lexically_normal();
}
