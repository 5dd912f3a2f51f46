#pragma once

#include "defs/LiveValueCatalogue.h"
#include "link/EcuConnection.h"
#include "link/EcuQueries.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A channel is known only by its name; names are exact and case-sensitive. A name is looked up in
// the live value catalogue once, when the channel is chosen; each sample then reads the value.
class ResolvedChannel {
public:
    explicit ResolvedChannel(std::string_view name = {});
    // The value of a catalogue row, whether or not a channel name reaches it.
    static ResolvedChannel OfRow(const LiveValueRow& row);

    // Whether the log knows the name (the chart knows a few names more).
    bool IsLogged() const { return m_log.row != nullptr || m_log.rawOffset != kNoRawOffset; }
    // The catalogue row the log field reads; nullptr for an address or an unknown name.
    const LiveValueRow* LogRow() const { return m_log.row; }
    // The CSV field: whole numbers in decimal, reals rounded half away from zero to the value's
    // decimals and written in full with a full stop, whatever the locale. "0" for a name the log
    // does not know.
    std::string LogText(const EcuQueries& ecu) const;
    // The chart value, truncated toward zero; 0 for a name the chart does not know.
    int ChartValue(const EcuQueries& ecu) const;
    // 1 for a channel drawn on a scale that starts at -40 (temperatures and fuel trims), else 0.
    int ChartOffset() const { return m_chart.row ? m_chart.row->chartOffset : 0; }
    // The polled bytes the log's value is made from, to be polled more often while it is logged.
    EcuConnection::PollPriority LoggedBytes() const;

private:
    static constexpr int kNoRawOffset = -1;

    // A value of the catalogue, or a RawDataTable entry ("Address7").
    struct Reading {
        const LiveValueRow* row = nullptr;
        int rawOffset = kNoRawOffset;
    };

    static Reading Resolve(std::string_view name, ChannelUse otherUse);

    Reading m_log;
    Reading m_chart;
};

// The heading of a row's column among "every value": its log channel name, or else its identifier.
std::string_view AllValuesHeading(const LiveValueRow& row);
// The catalogue row a log column holds, by channel name or identifier; nullptr for none (an
// address, another tool's column).
const LiveValueRow* RowOfLogColumn(std::string_view heading);

// The unit of a log column of that heading under the unit choice the log records ("0.1 V" for
// "Batt Volts*10", which holds tenths); empty for a heading that is no value of the catalogue, and
// for a temperature or a speed when the log does not record the choice.
std::string LogUnitOf(std::string_view heading, const std::optional<LiveSettings>& units);

// The polled bytes of the logged values of these channels, in their order.
EcuConnection::PollPriority LoggedBytesOf(std::span<const std::string> channels);

// The chart value of a channel and its offset (see ResolvedChannel).
int ChannelGraphValue(const EcuQueries& ecu, std::string_view name, int& offset);

// The CSV field of a channel (see ResolvedChannel).
std::string ChannelLogText(const EcuQueries& ecu, std::string_view name);

// Whether the log knows the name.
bool IsLogChannel(std::string_view name);

// Four names separated by commas, each one a name the log knows, as a command line gives them.
// The reason when the text is not that (`channels` is then left as it was).
std::optional<std::string> ParseLogChannelList(std::string_view text, std::array<std::string, 4>& channels);
