#include "logfile/LogReplay.h"
#include "tests/support/ManualClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(LogPlayerTest, RowsComeInOrderAtTheirLogTimesTimesTheSpeed)
{
    const std::vector<double> timesMs = { 400, 500, 600, 700, 800, 900 };
    ManualClock clock;
    LogPlayer player(timesMs, clock.Reader());
    player.Play();
    EXPECT_EQ(player.Row(), 0U);
    std::vector<std::size_t> shown;
    for (int ms = 1; ms <= 250; ++ms) {
        clock.now += 1ms;
        if (player.Advance())
            shown.push_back(player.Row());
        if (ms == 99) {
            EXPECT_EQ(player.Row(), 0U) << "a row is never shown before its time";
        }
    }
    EXPECT_THAT(shown, ::testing::ElementsAre(1, 2));

    // Twice as fast from here: 50 ms of the clock are 100 ms of the log.
    player.SetSpeed(2.0);
    clock.now += 49ms;
    EXPECT_FALSE(player.Advance());
    clock.now += 1ms;
    EXPECT_TRUE(player.Advance());
    EXPECT_EQ(player.Row(), 3U);

    player.Pause();
    clock.now += 10s;
    EXPECT_FALSE(player.Advance());
    EXPECT_EQ(player.Row(), 3U);
    player.Step();
    EXPECT_EQ(player.Row(), 4U);

    // Played to its end, the replay stops there; the speed stays within 0.25x to 8x.
    player.SetSpeed(100.0);
    EXPECT_EQ(player.Speed(), LogPlayer::kFastest);
    player.Play();
    clock.now += 13ms; // 104 ms of the log: past the last row
    EXPECT_TRUE(player.Advance());
    EXPECT_EQ(player.Row(), 5U);
    EXPECT_FALSE(player.Playing());
    player.SetSpeed(0.0);
    EXPECT_EQ(player.Speed(), LogPlayer::kSlowest);
}

TEST(ReplayColumnsTest, ARowGivesTheValuesAsTheyWereReadAndHoldsOnlyWhatTheLogHas)
{
    const LogContents log = ReadLogText("Time (ms),RPM,Batt Volts*10,Boost,CoolantTemp\n"
                                        "0,850,138.00,0.7,86\n"
                                        "100,,139.00,0.8,\n"
                                        "200,,,0.9,\n");
    const ReplayColumns columns(log);
    const ReplayedValues first = columns.ValuesAt(log, 0);
    EXPECT_TRUE(first.live);
    EXPECT_EQ(first.values.rpm, 850);
    EXPECT_FLOAT_EQ(first.values.batteryVolts, 13.8F);
    EXPECT_EQ(first.values.coolantTemp, 86.0F);
    const auto held = [&](const ReplayedValues& values, std::string_view name) {
        return values.held.at(static_cast<std::size_t>(FindLiveValue(name) - LiveValueCatalogue().data()));
    };
    EXPECT_TRUE(held(first, "Rpm"));
    EXPECT_TRUE(held(first, "CoolantTemp"));
    EXPECT_FALSE(held(first, "RoadSpeed"));

    const ReplayedValues second = columns.ValuesAt(log, 1);
    EXPECT_TRUE(second.live);
    EXPECT_FALSE(held(second, "Rpm"));
    EXPECT_TRUE(held(second, "BatteryVolts"));
    // Only another tool's column left: the row was taken with nothing the windows know.
    EXPECT_FALSE(columns.ValuesAt(log, 2).live);
}

} // namespace
