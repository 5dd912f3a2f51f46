#include "logfile/ChannelTables.h"

#include "defs/FormatFixed.h"
#include "logfile/ChannelNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <variant>

namespace {

constexpr std::string_view kAddressStem = "Address";

// Enough significant digits for the whole integer part of any float, so that a field is only
// ever rounded to its decimals: 13.8 V as "Batt Volts*10" stays 138.00, never 1.4E2.
constexpr int kFloatIntegerDigits = std::numeric_limits<float>::max_exponent10 + 1;
constexpr std::string_view kFileDecimalPoint = ".";

// A numbered name also answers with leading zeros: "Fault Flags 02" is "Fault Flags 2".
bool AnswersTo(const ChannelName& entry, std::string_view channel)
{
    if (entry.name.empty())
        return false;
    if (!entry.numbered)
        return entry.name == channel;
    const std::string_view stem = entry.name.substr(0, entry.name.rfind(' ') + 1);
    const std::optional<int> number = NumberAfter(channel, stem);
    return number && number == NumberAfter(entry.name, stem);
}

// Scaled in single precision like every scaled value.
LiveNumber Scaled(const LiveNumber& value, int scale)
{
    if (scale == 1)
        return value;
    return AsFloat(value) * static_cast<float>(scale);
}

std::string FieldOf(const LiveNumber& value, const LiveValueRow& row)
{
    if (row.logDecimals == ReadoutDigits::kWholeNumber)
        return std::to_string(TruncateToInt(value));
    const int precision = kFloatIntegerDigits + row.logDecimals;
    return std::visit(
        [&](auto number) { return FormatFixed(number, precision, row.logDecimals, kFileDecimalPoint); },
        Scaled(value, row.channelScale));
}

} // namespace

ResolvedChannel::ResolvedChannel(std::string_view name)
    : m_log(Resolve(name, ChannelUse::ChartOnly))
    , m_chart(Resolve(name, ChannelUse::LogOnly))
{
}

ResolvedChannel ResolvedChannel::OfRow(const LiveValueRow& row)
{
    ResolvedChannel channel;
    channel.m_log = { &row, kNoRawOffset };
    channel.m_chart = { &row, kNoRawOffset };
    return channel;
}

ResolvedChannel::Reading ResolvedChannel::Resolve(std::string_view name, ChannelUse otherUse)
{
    if (const std::optional<int> offset = NumberAfter(name, kAddressStem)) {
        if (*offset < EcuQueries::RawTableSize)
            return { nullptr, *offset };
        return {};
    }
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        const bool answers = std::any_of(row.channels.begin(), row.channels.end(),
            [&](const ChannelName& entry) { return entry.use != otherUse && AnswersTo(entry, name); });
        if (answers)
            return { &row, kNoRawOffset };
    }
    return {};
}

EcuConnection::PollPriority ResolvedChannel::LoggedBytes() const
{
    EcuConnection::PollPriority bytes;
    if (m_log.row) {
        const std::span<const int> roles = m_log.row->roles.Codes();
        bytes.roles.assign(roles.begin(), roles.end());
    } else if (m_log.rawOffset != kNoRawOffset) {
        bytes.offsets.push_back(m_log.rawOffset);
    }
    return bytes;
}

EcuConnection::PollPriority LoggedBytesOf(std::span<const std::string> channels)
{
    EcuConnection::PollPriority bytes;
    for (const std::string& name : channels) {
        const EcuConnection::PollPriority channel = ResolvedChannel(name).LoggedBytes();
        bytes.roles.insert(bytes.roles.end(), channel.roles.begin(), channel.roles.end());
        bytes.offsets.insert(bytes.offsets.end(), channel.offsets.begin(), channel.offsets.end());
    }
    return bytes;
}

std::string ResolvedChannel::LogText(const EcuQueries& ecu) const
{
    if (m_log.row)
        return FieldOf(m_log.row->read(ecu.Values()), *m_log.row);
    if (m_log.rawOffset != kNoRawOffset)
        return std::to_string(ecu.GetRawValue(m_log.rawOffset));
    return "0";
}

int ResolvedChannel::ChartValue(const EcuQueries& ecu) const
{
    if (m_chart.row)
        return TruncateToInt(Scaled(m_chart.row->read(ecu.Values()), m_chart.row->channelScale));
    if (m_chart.rawOffset != kNoRawOffset)
        return ecu.GetRawValue(m_chart.rawOffset);
    return 0;
}

std::string_view AllValuesHeading(const LiveValueRow& row)
{
    for (const ChannelName& channel : row.channels) {
        if (!channel.name.empty() && channel.use != ChannelUse::ChartOnly)
            return channel.name;
    }
    return row.name;
}

const LiveValueRow* RowOfLogColumn(std::string_view heading)
{
    if (const LiveValueRow* row = ResolvedChannel(heading).LogRow())
        return row;
    return FindLiveValue(heading);
}

std::string LogUnitOf(std::string_view heading, const std::optional<LiveSettings>& units)
{
    const LiveValueRow* row = RowOfLogColumn(heading);
    if (!row || (row->unit.choice != UnitChoice::Fixed && !units))
        return {};
    const std::string_view unit = UnitText(row->unit, units.value_or(LiveSettings {}));
    if (unit.empty() || row->channelScale == 1)
        return std::string(unit);
    std::array<char, 16> step {};
    const auto written = std::to_chars(step.data(), step.data() + step.size(), 1.0 / row->channelScale);
    return std::string(step.data(), written.ptr) + " " + std::string(unit);
}

int ChannelGraphValue(const EcuQueries& ecu, std::string_view name, int& offset)
{
    const ResolvedChannel channel(name);
    offset = channel.ChartOffset();
    return channel.ChartValue(ecu);
}

std::string ChannelLogText(const EcuQueries& ecu, std::string_view name)
{
    return ResolvedChannel(name).LogText(ecu);
}

bool IsLogChannel(std::string_view name)
{
    return ResolvedChannel(name).IsLogged();
}

std::optional<std::string> ParseLogChannelList(std::string_view text, std::array<std::string, 4>& channels)
{
    std::array<std::string, 4> parsed;
    std::size_t count = 0;
    for (std::size_t start = 0; start <= text.size(); ++count) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view name = text.substr(start, comma - start);
        if (!IsLogChannel(name))
            return "unknown channel name \"" + std::string(name) + "\"";
        if (count < parsed.size())
            parsed[count] = name;
        start = comma + 1;
    }
    if (count != parsed.size())
        return "four channel names separated by commas are needed, not " + std::to_string(count);
    channels = parsed;
    return std::nullopt;
}
