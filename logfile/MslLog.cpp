#include "logfile/MslLog.h"

#include <QSaveFile>
#include <QString>

#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr char kSeparator = '\t';
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTimeHeading = "Time";
constexpr std::string_view kTimeUnit = "s";
constexpr double kMsPerSecond = 1000.0;
// Room for the fixed form of any float or double the log holds.
constexpr std::size_t kNumberRoom = 512;

// A tab in a name would split its column in two.
std::string Field(std::string_view text)
{
    std::string field(text);
    for (char& c : field) {
        if (c == kSeparator || c == '\r' || c == '\n')
            c = ' ';
    }
    return field;
}

// The shortest fixed form that reads back as the same number: the viewers read no exponents.
template <typename T> void AppendNumber(std::string& text, T value)
{
    std::array<char, kNumberRoom> digits {};
    const auto written
        = std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    text.append(digits.data(), written.ptr);
}

} // namespace

std::string MslLog::Text(const LogContents& log, std::string_view sourceName)
{
    std::string text = "\"DazedErir log converted from " + Field(sourceName) + "\"" + std::string(kLineEnd);
    if (!log.startText.empty())
        text += "\"Capture Date: " + Field(log.startText) + "\"" + std::string(kLineEnd);
    std::string units(kTimeUnit);
    text += kTimeHeading;
    for (const LogColumn& column : log.columns) {
        text += kSeparator + Field(column.name);
        units += kSeparator + Field(column.unit);
    }
    text += kLineEnd;
    text += units;
    text += kLineEnd;
    for (std::size_t row = 0; row < log.Rows(); ++row) {
        AppendNumber(text, log.timesMs[row] / kMsPerSecond);
        for (const LogColumn& column : log.columns) {
            text += kSeparator;
            if (!std::isnan(column.values[row]))
                AppendNumber(text, column.values[row]);
        }
        text += kLineEnd;
    }
    return text;
}

std::optional<std::string> MslLog::Write(
    const LogContents& log, std::string_view sourceName, const std::filesystem::path& target)
{
    QSaveFile file(QString::fromStdString(target.string()));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    const std::string text = Text(log, sourceName);
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        return file.errorString().toStdString();
    if (!file.commit())
        return file.errorString().toStdString();
    return std::nullopt;
}
