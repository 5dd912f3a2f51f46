#include "soak/SoakLogger.h"

#include "logfile/LogHeader.h"

#include <QDateTime>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>

namespace {

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(LogHeader::kLineEnd);
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view()
                                             : text.substr(end + LogHeader::kLineEnd.size());
    }
    return lines;
}

} // namespace

SoakLogger::SoakLogger(const EcuQueries& ecu, const LogChannelNames& channels, int intervalMs,
    std::filesystem::path target, FieldChoices choices)
    : m_ecu(ecu)
    , m_channels(channels)
    , m_intervalMs(intervalMs)
    , m_target(std::move(target))
    , m_choices(std::move(choices))
{
}

void SoakLogger::Start()
{
    m_log.AppendHeader(
        QDateTime::currentDateTime(), m_channels, m_intervalMs, m_target, { .units = m_ecu.Settings() });
    m_settled.clear();
}

void SoakLogger::Sample(bool settled)
{
    m_log.AppendRow(m_ecu);
    // A row taken without a connection is a gap of empty fields, not a reading to check.
    m_settled.push_back(settled && m_ecu.HasLiveValues());
    ++m_samples;
}

void SoakLogger::SaveAndStartAgain(bool cableOut)
{
    if (Save(cableOut))
        Start();
}

void SoakLogger::Finish(bool cableOut)
{
    Save(cableOut);
}

bool SoakLogger::Save(bool cableOut)
{
    ++m_saves;
    if (cableOut)
        ++m_savesWithCableOut;
    if (const std::optional<std::string> error = m_log.SaveLog(m_target)) {
        ++m_failedSaves;
        Problem("save " + std::to_string(m_saves) + " failed: " + *error);
        return false;
    }
    CheckFile();
    return true;
}

void SoakLogger::CheckFile()
{
    const std::string text = FileText(m_target);
    if (static_cast<std::int64_t>(text.size()) != m_log.FileBytes()) {
        Problem("save " + std::to_string(m_saves) + ": the file holds " + std::to_string(text.size())
            + " bytes, not the log's " + std::to_string(m_log.FileBytes()));
    }

    const std::vector<std::string_view> fileLines = SplitLines(text);
    if (fileLines.size() < LogHeader::kLines) {
        Problem("save " + std::to_string(m_saves) + ": the file has no complete header");
        return;
    }
    std::size_t rows = 0;
    for (std::size_t i = LogHeader::kLines; i < fileLines.size(); ++i, ++rows) {
        const std::string_view row = fileLines[i];
        const std::size_t comma = row.find(',');
        const std::string elapsed = std::to_string(static_cast<long long>(rows + 1) * m_intervalMs);
        const std::string where = "save " + std::to_string(m_saves) + " row " + std::to_string(rows + 1);
        if (row.substr(0, comma) != elapsed) {
            Problem(where + ": elapsed time " + std::string(row.substr(0, comma)) + " where " + elapsed
                + " follows the row before");
            continue;
        }
        if (rows < m_settled.size() && m_settled[rows]
            && (comma == std::string_view::npos || !FieldsAllowed(row.substr(comma + 1)))) {
            ++m_wrongRows;
            Problem(where + " reads \"" + std::string(row) + "\", not what the bytes give");
        }
    }
    if (rows != m_settled.size())
        Problem("save " + std::to_string(m_saves) + ": " + std::to_string(rows) + " rows in the file for "
            + std::to_string(m_settled.size()) + " samples");
    m_rowsSaved += static_cast<int>(std::min(rows, m_settled.size()));
}

bool SoakLogger::FieldsAllowed(std::string_view fields) const
{
    for (const std::vector<std::string>& choices : m_choices) {
        const std::string_view field = fields.substr(0, fields.find(','));
        if (std::find(choices.begin(), choices.end(), field) == choices.end())
            return false;
        fields = field.size() < fields.size() ? fields.substr(field.size() + 1) : std::string_view();
    }
    return fields.empty();
}

void SoakLogger::Problem(const std::string& text)
{
    ++m_problemCount;
    if (m_problems.size() < MaxProblemsKept)
        m_problems.push_back(text);
}
