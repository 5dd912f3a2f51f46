#include "link/FrameReceiver.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Handled {
    EcuFrameType type;
    Bytes data;
    bool operator==(const Handled&) const = default;
};

// Feeds the receiver and collects what it hands on.
class ReceiverHarness {
public:
    void Feed(const Bytes& bytes)
    {
        receiver.Feed(bytes, [this](EcuFrameType type, std::span<const std::uint8_t> data) {
            handled.push_back({ type, Bytes(data.begin(), data.end()) });
        });
    }

    // `request` goes out and its echo comes back.
    void Asked(const EcuFrame& request)
    {
        receiver.RequestSent(request);
        Feed(Bytes(request.Bytes().begin(), request.Bytes().end()));
    }

    FrameReceiver receiver;
    std::vector<Handled> handled;
};

Bytes FrameBytes(const EcuFrame& frame)
{
    return Bytes(frame.Bytes().begin(), frame.Bytes().end());
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const PollAddressList Addresses { 8, 9, 10, 11, 12, 13, 14, 15 };
const PollAddressList Values { 0x5A, 0x00, 0xFF, 0x10, 0x13, 0x14, 0x15, 0x80 };
const EcuFrame ReadRequest = ReadDataRequest(Addresses);
const Bytes ReadEcho = FrameBytes(ReadRequest);
const Bytes ReadReply = FrameBytes(ReadDataRequest(Values));
const Bytes IdReply = FrameBytes(MakeEcuFrame(etIdentify, Bytes { 0x11, 0x03 }));
const Handled ReadHandled { etReadData, Bytes(Values.begin(), Values.end()) };
const Handled IdHandled { etIdentify, Bytes { 0x11, 0x03 } };

TEST(FrameReceiver, EchoThenReplyInOneBatch)
{
    ReceiverHarness h;
    h.receiver.RequestSent(ReadRequest);
    h.Feed(Join({ ReadEcho, ReadReply }));
    EXPECT_EQ(h.handled, std::vector { ReadHandled });
    EXPECT_FALSE(h.receiver.EchoPending());
    EXPECT_FALSE(h.receiver.AwaitingReply());
    EXPECT_EQ(h.receiver.State(), FrameReceiver::psIdle);
}

TEST(FrameReceiver, FrameSplitOverSeveralFeedsIsRebuilt)
{
    for (std::size_t cut1 = 1; cut1 < ReadReply.size(); ++cut1) {
        for (std::size_t cut2 = cut1; cut2 < ReadReply.size(); ++cut2) {
            ReceiverHarness h;
            h.Asked(ReadRequest);
            h.Feed(Bytes(ReadReply.begin(), ReadReply.begin() + static_cast<long>(cut1)));
            h.Feed(Bytes(
                ReadReply.begin() + static_cast<long>(cut1), ReadReply.begin() + static_cast<long>(cut2)));
            EXPECT_TRUE(h.handled.empty());
            EXPECT_TRUE(h.receiver.AwaitingReply());
            h.Feed(Bytes(ReadReply.begin() + static_cast<long>(cut2), ReadReply.end()));
            ASSERT_EQ(h.handled, std::vector { ReadHandled }) << "cuts " << cut1 << " " << cut2;
        }
    }
}

// A line that sends frames nobody asked for must not have them shown as values: a reply carries
// no address, so one that comes after such frames, or with bytes behind it, is refused (counted
// once), and only a reply on a quiet line, after its echo, is taken.
TEST(FrameReceiver, OnlyAReplyOnAQuietLineIsTaken)
{
    ReceiverHarness h;
    h.Feed(Join({ IdReply, ReadReply })); // nothing asked yet
    EXPECT_EQ(h.receiver.RxErrorCount(), 2);
    h.receiver.RequestSent(ReadRequest);
    h.Feed(ReadReply); // before the echo: not it
    EXPECT_TRUE(h.receiver.EchoPending());
    EXPECT_EQ(
        h.receiver.Feed(Join({ ReadEcho, IdReply, ReadReply }), {}), FrameReceiver::ExchangeEnd::Refused);
    EXPECT_FALSE(h.receiver.AwaitingReply());
    EXPECT_EQ(h.receiver.RxErrorCount(), 5); // three unasked, one of another type, the refused exchange

    h.Asked(ReadRequest);
    EXPECT_EQ(h.receiver.Feed(Join({ ReadReply, ReadReply }), {}), FrameReceiver::ExchangeEnd::Refused)
        << "a frame behind the reply: the line is not quiet";
    EXPECT_EQ(h.receiver.RxErrorCount(), 7);

    h.Asked(ReadRequest);
    h.Feed(ReadReply);
    EXPECT_EQ(h.handled, std::vector { ReadHandled });
    EXPECT_EQ(h.receiver.RxErrorCount(), 7);
}

// A reply of the right type with fewer (or more) data bytes than asked for is no reply: the
// exchange fails once, at its time-out, as a silent one does.
TEST(FrameReceiver, AReplyOfTheWrongLengthIsNotTakenAndFailsTheExchangeOnce)
{
    const Bytes seven(Values.begin(), Values.begin() + 7);
    const std::pair<EcuFrame, Bytes> cases[] { { ReadRequest, seven }, { ReadRequest, {} },
        { IdentifyRequest(), Bytes { 0x11 } }, { IdentifyRequest(), {} }, { ResetRequest(), {} },
        { IdentifyRequest(), Bytes { 0x11, 0x03, 0x00 } } };
    for (const auto& [request, data] : cases) {
        ReceiverHarness h;
        h.Asked(request);
        h.Feed(FrameBytes(MakeEcuFrame(request.Type(), data)));
        EXPECT_TRUE(h.handled.empty()) << data.size();
        EXPECT_TRUE(h.receiver.AwaitingReply()) << data.size();
        EXPECT_EQ(h.receiver.RxErrorCount(), 0) << data.size();
        h.receiver.TimeOut();
        EXPECT_EQ(h.receiver.RxErrorCount(), 1) << data.size();
    }
}

TEST(FrameReceiver, BadChecksumIsDroppedAndCountedAtTimeOut)
{
    ReceiverHarness h;
    h.receiver.RequestSent(ReadRequest);
    Bytes damaged = ReadReply;
    ++damaged.back();
    h.Feed(Join({ ReadEcho, damaged }));
    EXPECT_TRUE(h.handled.empty());
    EXPECT_TRUE(h.receiver.AwaitingReply());
    EXPECT_EQ(h.receiver.RxErrorCount(), 0);

    h.receiver.TimeOut();
    EXPECT_EQ(h.receiver.RxErrorCount(), 1);
    EXPECT_FALSE(h.receiver.AwaitingReply());
    EXPECT_FALSE(h.receiver.EchoPending());
}

TEST(FrameReceiver, TimeOutThrowsAwayAHalfFrame)
{
    ReceiverHarness h;
    h.receiver.RequestSent(ReadRequest);
    h.Feed(Join({ ReadEcho, Bytes(ReadReply.begin(), ReadReply.begin() + 5) }));
    EXPECT_EQ(h.receiver.State(), FrameReceiver::psData);
    h.receiver.TimeOut();
    EXPECT_EQ(h.receiver.State(), FrameReceiver::psIdle);
    // The tail of the cut frame is noise now, and the next whole frame is found after it.
    h.receiver.RequestSent(IdentifyRequest());
    h.Feed(Join({ Bytes(ReadReply.begin() + 5, ReadReply.end()), FrameBytes(IdentifyRequest()), IdReply }));
    EXPECT_EQ(h.handled, std::vector { IdHandled });
}

TEST(FrameReceiver, GarbageBeforeAFrameIsSkipped)
{
    ReceiverHarness h;
    h.Asked(IdentifyRequest());
    h.Feed(Join({ Bytes { 0x00, 0xFF, 0x7E }, IdReply }));
    EXPECT_EQ(h.handled, std::vector { IdHandled });
}

TEST(FrameReceiver, LengthBytesThatFitNoFrameAreNoise)
{
    for (const std::uint8_t badLength : { 0, 1, 2, 12, 255 }) {
        ReceiverHarness h;
        h.Asked(IdentifyRequest());
        h.Feed(Bytes { etReadData, badLength });
        EXPECT_EQ(h.receiver.State(), FrameReceiver::psIdle) << int { badLength };
        h.Feed(IdReply);
        EXPECT_EQ(h.handled, std::vector { IdHandled }) << int { badLength };
    }
}

TEST(FrameReceiver, RejectedLengthByteThatIsATypeCodeStartsTheFrame)
{
    ReceiverHarness h;
    h.Asked(ReadRequest);
    h.Feed(Join({ Bytes { etReadData }, ReadReply })); // 13 13 0B ...
    EXPECT_EQ(h.handled, std::vector { ReadHandled });
}

TEST(FrameReceiver, ShortestFrameHasNoData)
{
    ReceiverHarness h;
    h.Asked(ActuatorRequest(1, 0));
    h.Feed(FrameBytes(MakeEcuFrame(etActuator, {})));
    ASSERT_EQ(h.handled.size(), 1u);
    EXPECT_EQ(h.handled[0].type, etActuator);
    EXPECT_TRUE(h.handled[0].data.empty());
}

TEST(FrameReceiver, ManyFramesInOneFeedLoseNothing)
{
    ReceiverHarness h;
    h.Asked(ReadRequest);
    Bytes many;
    for (int i = 0; i < 40; ++i) // 40 x 11 bytes, more than the link's 255-byte rings hold
        many.insert(many.end(), ReadReply.begin(), ReadReply.end());
    h.Feed(many);
    // Every frame was found: the 39 behind the first were not asked for, and spoil it.
    EXPECT_TRUE(h.handled.empty());
    EXPECT_EQ(h.receiver.RxErrorCount(), 40);
}

// Random bytes, with valid frames mixed in, split into random chunks as real reads arrive:
// the receiver must never store more than 8 data bytes, and must still find frames that follow
// the noise once it is back in step.
TEST(FrameReceiver, RandomStreamsInRandomChunks)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> byteOf(0, 255);
        std::uniform_int_distribution<int> chunkOf(1, 40);
        Bytes stream;
        for (int i = 0; i < 600; ++i) {
            if (byteOf(random) < 8)
                stream.insert(stream.end(), ReadReply.begin(), ReadReply.end());
            else
                stream.push_back(static_cast<std::uint8_t>(byteOf(random)));
        }

        ReceiverHarness h;
        h.receiver.RequestSent(ReadRequest);
        std::size_t at = 0;
        while (at < stream.size()) {
            const std::size_t chunk
                = std::min<std::size_t>(static_cast<std::size_t>(chunkOf(random)), stream.size() - at);
            h.Feed(Bytes(
                stream.begin() + static_cast<long>(at), stream.begin() + static_cast<long>(at + chunk)));
            at += chunk;
            ASSERT_LE(h.receiver.DataCount(), EcuFrame::MaxDataBytes) << "seed " << seed;
            if (byteOf(random) < 16)
                h.receiver.TimeOut();
        }
        for (const Handled& frame : h.handled)
            ASSERT_LE(frame.data.size(), std::size_t { EcuFrame::MaxDataBytes }) << "seed " << seed;

        // After a time-out the receiver is idle; a clean exchange on a quiet line (once the one
        // after the noise has been refused) then always gets through.
        h.receiver.TimeOut();
        h.Asked(IdentifyRequest());
        h.Feed(IdReply);
        h.handled.clear();
        h.Asked(IdentifyRequest());
        h.Feed(IdReply);
        ASSERT_EQ(h.handled, std::vector { IdHandled }) << "seed " << seed;
    }
}

} // namespace
