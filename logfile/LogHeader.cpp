#include "logfile/LogHeader.h"

namespace {

constexpr std::string_view kTemperatureField = "Temperature";
constexpr std::string_view kSpeedField = "Speed";
// What the settings hold besides Fahrenheit and miles per hour means Celsius and kilometres.
constexpr std::string_view kCelsius = "C";
constexpr std::string_view kKilometresPerHour = "KPH";

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(LogHeader::kSeparator, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

} // namespace

std::string LogHeader::Text() const
{
    std::string text(kTitle);
    text += kLineEnd;
    text += std::string(kTimeField) + kSeparator + startText;
    if (units) {
        const bool fahrenheit = units->temperatureUnit == LiveSettings::kFahrenheit;
        const bool milesPerHour = units->speedUnit == LiveSettings::kMilesPerHour;
        for (const auto& [name, unit] :
            { std::pair { kTemperatureField, fahrenheit ? LiveSettings::kFahrenheit : kCelsius },
                std::pair {
                    kSpeedField, milesPerHour ? LiveSettings::kMilesPerHour : kKilometresPerHour } }) {
            text += kSeparator;
            text += name;
            text += kSeparator;
            text += unit;
        }
    }
    text += kLineEnd;
    text += kElapsedHeading;
    for (const std::string& heading : headings)
        text += kSeparator + heading;
    text += kLineEnd;
    return text;
}

std::optional<LogHeader> LogHeader::FromStartLine(std::string_view line)
{
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 2 || fields[0] != kTimeField)
        return std::nullopt;
    LogHeader header;
    header.startText = fields[1];
    // Pairs of a name and its unit; a name this program does not know is passed over.
    std::optional<std::string> temperature;
    std::optional<std::string> speed;
    for (std::size_t i = 2; i + 1 < fields.size(); i += 2) {
        if (fields[i] == kTemperatureField)
            temperature = fields[i + 1];
        else if (fields[i] == kSpeedField)
            speed = fields[i + 1];
    }
    if (temperature && speed) {
        header.units = LiveSettings {};
        header.units->temperatureUnit = *temperature;
        header.units->speedUnit = *speed;
    }
    return header;
}
