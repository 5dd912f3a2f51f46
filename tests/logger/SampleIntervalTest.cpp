#include "logfile/SampleInterval.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleIntervalTest, EachListedTimeBaseGivesItsIntervalOnTheFirstChart)
{
    const std::pair<const char*, int> cases[] = {
        { "1", 40 },
        { "2", 80 },
        { "5", 200 },
        { "10", 400 },
        { "15", 600 },
        { "30", 1200 },
        { "60", 2400 },
    };
    for (const auto& [text, interval] : cases) {
        const std::optional<int> seconds = ParseTimeBase(text);
        ASSERT_TRUE(seconds.has_value()) << text;
        EXPECT_EQ(SampleIntervalFor(*seconds, kFirstChartGridSize), interval) << text;
    }
}

TEST(SampleIntervalTest, IntervalTruncatesAndNeedsAGrid)
{
    EXPECT_EQ(SampleIntervalFor(1, 3), 333);
    EXPECT_EQ(SampleIntervalFor(10, 20), 500);
    EXPECT_EQ(SampleIntervalFor(10, 0), std::nullopt);
    EXPECT_EQ(SampleIntervalFor(2147483, 1), 2147483000);
}

TEST(SampleIntervalTest, TimeBaseIsAWholeNumberFromOneUp)
{
    EXPECT_EQ(ParseTimeBase(" 10 "), 10);
    EXPECT_EQ(ParseTimeBase("007"), 7);
    EXPECT_EQ(ParseTimeBase("2147483"), 2147483);
    for (const char* bad : { "", " ", "0", "-5", "+5", "1.5", "10s", "abc", "1 0", "2147484", "99999999999" })
        EXPECT_EQ(ParseTimeBase(bad), std::nullopt) << '"' << bad << '"';
}

} // namespace
