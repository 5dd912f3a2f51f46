#include "logger/DataLog.h"

#include "logger/ChannelTables.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kTitleLine = "KodraPower log file";
constexpr const char* kTimeField = "Time,";
constexpr const char* kElapsedField = "Elapsed Time (ms)";
// One form everywhere, whatever the locale: year first cannot be misread.
const QString kStartTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

} // namespace

void DataLog::AppendHeader(const QDateTime& start, const LogChannelNames& channels, int sampleIntervalMs)
{
    m_logLines.clear();
    m_channels = channels;
    m_sampleIntervalMs = sampleIntervalMs;
    m_elapsedMs = 0;
    m_loggedBytes = 0;
    m_unsaved = true;

    std::string header = std::string(kTitleLine) + kLineEnd;
    header += kTimeField + start.toLocalTime().toString(kStartTimeFormat).toStdString() + kLineEnd;
    header += kElapsedField;
    for (const std::string& channel : m_channels)
        header += "," + channel;
    header += kLineEnd;
    m_logLines.push_back(std::move(header));
}

std::size_t DataLog::AppendRow(const EcuQueries& ecu)
{
    m_elapsedMs += m_sampleIntervalMs;
    std::string row = std::to_string(m_elapsedMs);
    for (const std::string& channel : m_channels) {
        row += ',';
        row += ChannelLogText(ecu, channel);
    }
    row += kLineEnd;
    const std::size_t length = row.size();
    m_loggedBytes += static_cast<std::int64_t>(length);
    m_logLines.push_back(std::move(row));
    return length;
}

std::optional<std::string> DataLog::SaveLog(const std::filesystem::path& target)
{
    if (std::optional<std::string> error = m_fileHandler.Open(target))
        return error;
    for (const std::string& line : m_logLines)
        m_fileHandler.Write(line);
    std::optional<std::string> error = m_fileHandler.Close();
    if (!error)
        m_unsaved = false;
    return error;
}

std::filesystem::path LogTargetPath(const std::filesystem::path& logFilePath)
{
    std::error_code ec;
    const bool isDirectory = !logFilePath.empty() && std::filesystem::is_directory(logFilePath, ec);
    const std::filesystem::path directory = isDirectory ? logFilePath : std::filesystem::current_path(ec);
    return std::filesystem::absolute(directory / DataLog::kLogFileName, ec).lexically_normal();
}
