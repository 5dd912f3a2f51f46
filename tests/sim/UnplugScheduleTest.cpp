#include "sim/UnplugSchedule.h"

#include <gtest/gtest.h>

namespace {

struct PlugCase {
    double every;
    double out;
    double at;
    bool pluggedIn;
    double nextChange;
};

void PrintTo(const PlugCase& c, std::ostream* os)
{
    *os << c.every << ":" << c.out << " at " << c.at;
}

class UnplugScheduleAt : public testing::TestWithParam<PlugCase> { };

TEST_P(UnplugScheduleAt, SaysWhetherTheCableIsInAndWhenThatChanges)
{
    const PlugCase c = GetParam();
    const UnplugSchedule schedule(c.every, c.out);
    EXPECT_EQ(schedule.IsPluggedIn(c.at), c.pluggedIn);
    EXPECT_DOUBLE_EQ(schedule.NextChangeAfter(c.at), c.nextChange);
}

INSTANTIATE_TEST_SUITE_P(FiveForOne, UnplugScheduleAt,
    testing::Values(
        // clang-format off
        PlugCase { 5, 1,  0.0,  true,   5 },
        PlugCase { 5, 1,  4.99, true,   5 },
        PlugCase { 5, 1,  5.0,  false,  6 },
        PlugCase { 5, 1,  5.99, false,  6 },
        PlugCase { 5, 1,  6.0,  true,  10 },
        PlugCase { 5, 1,  9.99, true,  10 },
        PlugCase { 5, 1, 10.0,  false, 11 },
        PlugCase { 5, 1, 11.0,  true,  15 },
        PlugCase { 5, 1, 1000.5, false, 1001 } // clang-format on
        ));

INSTANTIATE_TEST_SUITE_P(TwoAndAHalfForAHalf, UnplugScheduleAt,
    testing::Values(
        // clang-format off
        PlugCase { 2.5, 0.5, 0.0,  true,  2.5 },
        PlugCase { 2.5, 0.5, 2.49, true,  2.5 },
        PlugCase { 2.5, 0.5, 2.5,  false, 3.0 },
        PlugCase { 2.5, 0.5, 2.9,  false, 3.0 },
        PlugCase { 2.5, 0.5, 3.0,  true,  5.0 },
        PlugCase { 2.5, 0.5, 5.0,  false, 5.5 },
        PlugCase { 2.5, 0.5, 5.5,  true,  7.5 },
        PlugCase { 2.5, 0.5, 7.6,  false, 8.0 } // clang-format on
        ));

TEST(UnplugSchedule, StateHoldsUntilTheAnnouncedChange)
{
    // Walking the schedule by its own change times must alternate in and out.
    const UnplugSchedule schedule(0.3, 0.1);
    double at = 0.0;
    bool in = schedule.IsPluggedIn(at);
    for (int step = 0; step < 200; ++step) {
        const double next = schedule.NextChangeAfter(at);
        ASSERT_GT(next, at);
        ASSERT_EQ(schedule.IsPluggedIn((at + next) / 2), in) << "at " << at;
        at = next;
        ASSERT_NE(schedule.IsPluggedIn(at), in) << "at " << at;
        in = !in;
    }
}

} // namespace
