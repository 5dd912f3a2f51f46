// The capture file as people and scripts write it, and the replay that answers from it.
#include "capture/CaptureFile.h"
#include "capture/CaptureReplay.h"
#include "capture/CaptureSummary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view Header = "# dazederir capture 1\n# baud 7812\n";

struct BrokenCase {
    const char* name;
    std::string text;
    std::string error; // what the message starts with; empty when the text is read
    std::size_t chunks = 0; // read when there is no error
    bool torn = false;
};

void PrintTo(const BrokenCase& c, std::ostream* out)
{
    *out << c.name;
}

class CaptureReading : public testing::TestWithParam<BrokenCase> { };

TEST_P(CaptureReading, RefusesWithTheLineNumberOrReadsUpToATornLine)
{
    const BrokenCase& c = GetParam();
    const CaptureRead read = ParseCapture(c.text);
    if (!c.error.empty()) {
        EXPECT_EQ(read.error.substr(0, c.error.size()), c.error) << read.error;
        return;
    }
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(read.log.chunks.size(), c.chunks);
    EXPECT_EQ(read.tornLastLine, c.torn);
}

INSTANTIATE_TEST_SUITE_P(Files, CaptureReading,
    testing::Values(BrokenCase { "BadHexByte", std::string(Header) + "0.000 > 10 03 ED\n0.640 < 10 0G\n",
                        "line 4: \"0G\"" },
        BrokenCase { "ThreeDigitByte", std::string(Header) + "0.000 > 10 003 ED\n", "line 3: \"003\"" },
        BrokenCase { "TimeGoesBack",
            std::string(Header) + "0.000 > 10 03 ED\n# a comment\n5.5 < 10 03 ED\n5.25 < 10 05\n",
            "line 6: the time 5.25 goes back" },
        BrokenCase { "NoDirection", std::string(Header) + "1.0 10 03 ED\n", "line 3: expected > or <" },
        BrokenCase { "NotATime", std::string(Header) + "inf > 10\n", "line 3: \"inf\"" },
        BrokenCase { "TimeBeyondAnyRecording", std::string(Header) + "1e300 > 10\n", "line 3: \"1e300\"" },
        BrokenCase { "BadBaud", "# dazederir capture 1\n# baud fast\n", "line 2: \"fast\"" },
        BrokenCase { "NotACapture", "time,rpm\n0,800\n", "line 1: not a capture file" },
        BrokenCase { "Empty", "", "line 1:" },
        // A bad line with its line end is no torn line: the file is refused.
        BrokenCase {
            "BadLastLineWithItsEnd", std::string(Header) + "0.000 > 10 03 ED\n0.6 < 1\n", "line 4:" },
        BrokenCase {
            "TornInAByte", std::string(Header) + "0.000 > 10 03 ED\n0.640 < 10 03 ED 1", "", 1, true },
        BrokenCase { "TornInTheTime", std::string(Header) + "0.000 > 10 03 ED\n0.6", "", 1, true },
        // Cut between two bytes, the line still holds what was read.
        BrokenCase {
            "CutBetweenBytes", std::string(Header) + "0.000 > 10 03 ED\n0.640 < 10 03", "", 2, false },
        BrokenCase {
            "CrLfLineEnds", "# dazederir capture 1\r\n0.000 > 10 03 ED\r\n0.5 < 10 03 ED\r\n", "", 2 }));

TEST(CaptureReading, TakesTheFirstBaudAndWritesWhatItReads)
{
    const CaptureRead read = ParseCapture(std::string(Header) + "0 > 14 03 e9\n2.5 < 14\n# baud 15625\n");
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(read.log.baud, 7812);
    ASSERT_EQ(read.log.chunks.size(), 2u);
    EXPECT_EQ(CaptureChunkLine(read.log.chunks[0]), "0.000 > 14 03 E9\n");
    EXPECT_EQ(CaptureChunkLine(read.log.chunks[1]), "2.500 < 14\n");
}

// Identify twice (the second request finds no reply), then a read split over two written chunks
// with its echo read in between.
constexpr std::string_view Session = "# dazederir capture 1\n"
                                     "0.000 > 10 03 ED\n"
                                     "0.700 < 10 03 ED\n"
                                     "14.000 < 10 05 11 03 D7\n"
                                     "100.000 > 10 03 ED\n"
                                     "100.700 < 10 03 ED\n"
                                     "200.000 > 13 0B 00 01 02 03\n"
                                     "201.000 < 13 0B 00 01\n"
                                     "201.500 > 04 05 06 07 C6\n"
                                     "205.000 < 02 03 04 05 06 07 C6\n"
                                     "220.000 < 13 0B 01 02 03 04 05 06 07 08 BE\n";

TEST(CaptureReplay, AnswersEachRequestInTurnIgnoresTheUnseenAndEndsWhenOneRunsOut)
{
    const CaptureRead read = ParseCapture(Session);
    ASSERT_TRUE(read.Ok()) << read.error;
    CaptureReplay replay(read.log);
    const std::vector<std::uint8_t> identify { 0x10, 0x03, 0xED };

    const std::vector<TimedBytes> first = replay.Transfer(identify);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], (TimedBytes { 0.7, identify }));
    EXPECT_EQ(first[1], (TimedBytes { 14.0, { 0x10, 0x05, 0x11, 0x03, 0xD7 } }));
    const std::vector<TimedBytes> second = replay.Transfer(identify);
    ASSERT_EQ(second.size(), 1u) << "the second answer held the echo alone";
    EXPECT_EQ(second[0].bytes, identify);
    EXPECT_TRUE(replay.Transfer(std::vector<std::uint8_t> { 0x14, 0x03, 0xE9 }).empty()) << "never recorded";
    EXPECT_FALSE(replay.Ended());

    // The read request goes out in other pieces than it was recorded in; the echo read while it
    // was still going out comes at once, the rest after its recorded delays.
    const std::vector<std::uint8_t> readHead { 0x13, 0x0B, 0x00, 0x01, 0x02, 0x03, 0x04 };
    const std::vector<std::uint8_t> readTail { 0x05, 0x06, 0x07, 0xC6 };
    EXPECT_TRUE(replay.Transfer(readHead).empty());
    const std::vector<TimedBytes> read8 = replay.Transfer(readTail);
    ASSERT_EQ(read8.size(), 3u);
    EXPECT_EQ(read8[0].delayMs, 0.0);
    EXPECT_EQ(read8[1].delayMs, 3.5);
    EXPECT_EQ(read8[2].delayMs, 18.5);

    // A third identification finds its answers used up: the capture has ended, and from then on
    // even a request that still has answers gets none.
    EXPECT_TRUE(replay.Transfer(identify).empty());
    EXPECT_TRUE(replay.Ended());
    replay = CaptureReplay(read.log);
    replay.Transfer(identify);
    replay.Transfer(identify);
    replay.Transfer(identify);
    EXPECT_TRUE(replay.Transfer(readHead).empty());
    EXPECT_TRUE(replay.Transfer(readTail).empty());
}

TEST(CaptureSummary, CountsAsTheProgramsReceiverDoes)
{
    const CaptureRead read
        = ParseCapture(std::string(Session) + "300.000 > 14 03 E9\n301.000 < 14 03 E9 14 04 00 E8\n");
    ASSERT_TRUE(read.Ok()) << read.error;
    const CaptureSummary summary = SummarizeCapture(read.log);
    EXPECT_EQ(summary.ecuId, "1103");
    EXPECT_EQ(summary.baud, CaptureLog::DefaultBaud);
    EXPECT_EQ(summary.durationMs, 301.0);
    EXPECT_EQ(summary.requests, 4);
    EXPECT_EQ(summary.replies, 3);
    EXPECT_EQ(summary.failed, 1);
}

} // namespace
