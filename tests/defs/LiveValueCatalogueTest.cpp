#include "defs/LiveValueCatalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

// Values the log has never taken: a log name for them would let a recording start that used
// to be refused.
const std::set<std::string_view> kNotLogged { "Baro", "TimeFromStart" };

bool HasLogName(const LiveValueRow& row)
{
    return std::any_of(row.channels.begin(), row.channels.end(),
        [](const ChannelName& c) { return !c.name.empty() && c.use != ChannelUse::ChartOnly; });
}

TEST(LiveValueCatalogue, EveryValueHasAUniqueJsonNameALogNameAndItsOwnReader)
{
    std::set<std::string_view> names;
    std::set<std::string_view> channels;
    std::set<LiveValueReader> readers;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_FALSE(row.name.empty());
        EXPECT_TRUE(names.insert(row.name).second) << "the JSON name is taken";
        ASSERT_NE(row.read, nullptr);
        EXPECT_TRUE(readers.insert(row.read).second) << "two rows read the same value";
        EXPECT_EQ(HasLogName(row), !kNotLogged.contains(row.name));
        for (const ChannelName& channel : row.channels) {
            if (!channel.name.empty()) {
                EXPECT_TRUE(channels.insert(channel.name).second) << channel.name << " names two values";
            }
        }
    }
    EXPECT_EQ(names.size(), 43U);
}

// The command-line tool writes an array's elements as it meets them: they must be neighbours.
TEST(LiveValueCatalogue, ElementsOfAJsonArrayAreNeighbours)
{
    std::set<std::string_view> finished;
    std::string_view current;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (row.jsonArray != current) {
            finished.insert(current);
            current = row.jsonArray;
            EXPECT_FALSE(!current.empty() && finished.contains(current)) << row.name;
        }
    }
}

// The logger offers the listed names in order; a listed name the log refused would start a
// recording of zeros, and a gap or a repeat would shift the list.
TEST(LiveValueCatalogue, ListedChannelsAreLoggedAndNumberedWithoutGaps)
{
    std::set<int> orders;
    std::size_t listed = 0;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        for (const ChannelName& channel : row.channels) {
            if (channel.listOrder == ChannelName::kNotListed)
                continue;
            ++listed;
            orders.insert(channel.listOrder);
            EXPECT_NE(channel.use, ChannelUse::ChartOnly) << channel.name;
        }
    }
    EXPECT_EQ(orders.size(), listed);
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(*orders.begin(), 0);
    EXPECT_EQ(*orders.rbegin(), static_cast<int>(listed) - 1);
}

// Each box of the data viewer shows one value, except the load box (one value per kind of load
// sensor); readouts keep a digit in front of their decimals.
TEST(LiveValueCatalogue, EveryViewerBoxShowsOneValue)
{
    constexpr int kBoxes = 25;
    std::map<std::pair<int, int>, int> shown;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        const ViewerBox& viewer = row.viewer;
        if (viewer.page == ViewerBox::kNotShown)
            continue;
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(viewer.page == 1 || viewer.page == 2);
        EXPECT_TRUE(viewer.box >= 0 && viewer.box < kBoxes);
        if (!viewer.digits.IsWholeNumber()) {
            EXPECT_GT(viewer.digits.precision, viewer.digits.decimals);
        }
        ++shown[{ viewer.page, viewer.box }];
    }
    const std::pair<int, int> loadBox { 1, 2 };
    for (const auto& [place, count] : shown)
        EXPECT_EQ(count, place == loadBox ? 2 : 1) << "page " << place.first << " box " << place.second;
}

// A log that rounds a value more coarsely than a window shows it loses what the user saw (a pulse
// width of 6.197 ms logged as "6"). The log holds some values scaled up (tenths of a volt), which
// carries as many decimals more.
TEST(LiveValueCatalogue, EveryValueIsLoggedWithAtLeastTheDecimalsTheDataViewerShows)
{
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        const ReadoutDigits& shown = row.viewer.digits;
        if (row.viewer.page == ViewerBox::kNotShown || shown.IsWholeNumber())
            continue;
        int logged = std::max(row.logDecimals, 0); // a whole number: none
        for (int scale = row.channelScale; scale > 1; scale /= 10)
            ++logged;
        EXPECT_GE(logged, shown.decimals) << row.name;
    }
}

TEST(LiveValueCatalogue, ReadsTheValueOfItsRow)
{
    LiveValues values;
    values.ignitionTrim = -3;
    values.o2Volts = { 0.25F, 0.75F };
    values.faultBytes[4] = 16;
    values.rpm = 850;
    EXPECT_EQ(FindLiveValue("IgnitionTrim")->read(values), LiveNumber(-3));
    EXPECT_EQ(FindLiveValue("O2Volts1")->read(values), LiveNumber(0.75F));
    EXPECT_EQ(FindLiveValue("FaultByte4")->read(values), LiveNumber(16));
    // Engine speed has always reached scripts as a real.
    EXPECT_EQ(FindLiveValue("Rpm")->read(values), LiveNumber(850.0F));
    EXPECT_EQ(FindLiveValue("rpm"), nullptr);
}

} // namespace
