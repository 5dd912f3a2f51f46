#include "port/ByteRing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<std::uint8_t> Sequence(std::size_t count, std::uint8_t first = 0)
{
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

std::vector<std::uint8_t> TakeAll(ByteRing& ring)
{
    std::vector<std::uint8_t> out(ByteRing::Size, 0xEE);
    out.resize(ring.Take(out));
    return out;
}

TEST(ByteRing, HoldsAtMost255BytesAndReadsThemBackInOrder)
{
    ByteRing ring;
    const auto bytes = Sequence(ByteRing::Capacity);
    ring.Put(bytes);
    EXPECT_EQ(ring.Count(), ByteRing::Capacity);
    EXPECT_EQ(TakeAll(ring), bytes);
    EXPECT_EQ(ring.Count(), 0u);
}

TEST(ByteRing, EmptyRingTakesNothingAndLeavesTheBufferAlone)
{
    ByteRing ring;
    ring.Put({}); // a count of 0 appends nothing
    std::vector<std::uint8_t> buffer(16, 0xA5);
    EXPECT_EQ(ring.Take(buffer), 0u);
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(16, 0xA5));
}

TEST(ByteRing, WrapsAroundTheEndOfTheArray)
{
    ByteRing ring;
    for (int round = 0; round < 5; ++round) {
        const auto bytes = Sequence(200, static_cast<std::uint8_t>(round * 31));
        ring.Put(bytes);
        ASSERT_EQ(TakeAll(ring), bytes) << "round " << round;
    }
}

TEST(ByteRing, TakeStopsAtTheDestinationSize)
{
    ByteRing ring;
    ring.Put(Sequence(10));
    std::vector<std::uint8_t> first(4);
    EXPECT_EQ(ring.Take(first), 4u);
    EXPECT_EQ(first, Sequence(4));
    EXPECT_EQ(TakeAll(ring), Sequence(6, 4));
}

TEST(ByteRing, OverrunLosesTheOldestBytes)
{
    ByteRing ring;
    const auto bytes = Sequence(300); // values wrap past 255
    ring.Put(std::span(bytes).first(200));
    ring.Put(std::span(bytes).subspan(200, 100));
    // The write index went past the read index: the ring reads as holding 300 - 256 bytes,
    // the newest ones, stored over the oldest.
    EXPECT_EQ(TakeAll(ring), std::vector<std::uint8_t>(bytes.begin() + 256, bytes.begin() + 300));
}

TEST(ByteRing, ExactlyFullRingPlusOneReadsEmpty)
{
    ByteRing ring;
    ring.Put(Sequence(256));
    EXPECT_EQ(ring.Count(), 0u);
    EXPECT_TRUE(TakeAll(ring).empty());
}

} // namespace
