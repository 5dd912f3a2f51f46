// The windows a sweep reads: where the last one lies, and addresses past the top of the address
// space.
#include "link/PollRange.h"

#include <gtest/gtest.h>

namespace {

TEST(PollRange, WindowsReachTheEndAddressAndWrapAtTheTopOfTheAddressSpace)
{
    // The end address on the first byte of a window, and on the last byte of the one before.
    EXPECT_EQ(PollRange(0, 32).WindowCount(), 5);
    EXPECT_EQ(PollRange(0, 31).WindowCount(), 4);
    EXPECT_EQ(PollRange(20, 66).WindowCount(), 6);

    const PollRange range(250, 260);
    ASSERT_EQ(range.WindowCount(), 2);
    EXPECT_EQ(range.WindowAddresses(0), (PollAddressList { 250, 251, 252, 253, 254, 255, 0, 1 }));
    EXPECT_EQ(range.WindowAddresses(1), (PollAddressList { 2, 3, 4, 5, 6, 7, 8, 9 }));
    EXPECT_EQ(range.AddressAt(15), 9);
    EXPECT_TRUE(range.Covers(15));
    EXPECT_FALSE(range.Covers(16));
    EXPECT_FALSE(range.Covers(-1));

    // A sweep goes round: after the last window (or one beyond a range that shrank) comes window 0.
    EXPECT_EQ(range.After(0), 1);
    EXPECT_EQ(range.After(1), 0);
    EXPECT_EQ(range.After(4), 0);
    EXPECT_FALSE(range.IsLast(0));
    EXPECT_TRUE(range.IsLast(1));

    // An end below the base leaves one window, read again and again.
    const PollRange inverted(40, 0);
    EXPECT_EQ(inverted.WindowCount(), 1);
    EXPECT_EQ(inverted.After(0), 0);
    EXPECT_EQ(inverted.WindowAddresses(0)[7], 47);
}

} // namespace
