// A capture written by hand, for an ECU kind and memory bytes chosen here, played to the
// connection as its far end: it decodes to what the ECU tables give for those bytes.
#include "ConnectionRig.h"
#include "ExpectedValues.h"

#include "capture/CaptureFile.h"
#include "capture/CaptureReplay.h"
#include "defs/EcuConstants.h"
#include "link/EcuFrame.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The replay as the far end of the fake link: answers at once, echo included.
class ReplayFarEnd final : public LineResponder {
public:
    explicit ReplayFarEnd(const CaptureLog& log)
        : m_replay(log)
    {
    }

    std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) override
    {
        std::vector<std::uint8_t> out;
        for (const TimedBytes& answer : m_replay.Transfer(written))
            out.insert(out.end(), answer.bytes.begin(), answer.bytes.end());
        return out;
    }

private:
    CaptureReplay m_replay;
};

// The capture of one identification and one sweep of reads over `memory`, as a person would type
// it: each request, then its echo and the reply in one chunk read 14 ms later.
std::string HandWrittenCapture(const std::string& ecuId, const std::array<std::uint8_t, 256>& memory)
{
    std::ostringstream text;
    text << "# dazederir capture 1\n# baud 15625\n";
    int ms = 0;
    const auto exchange = [&text, &ms](const EcuFrame& request, const EcuFrame& reply) {
        text << ms << ".000 > " << HexBytes(request.Bytes()) << "\n";
        text << ms + 14 << ".000 < " << HexBytes(request.Bytes()) << " " << HexBytes(reply.Bytes()) << "\n";
        ms += 100;
    };
    const std::uint8_t idBytes[] = { static_cast<std::uint8_t>(std::stoi(ecuId.substr(0, 2), nullptr, 16)),
        static_cast<std::uint8_t>(std::stoi(ecuId.substr(2, 2), nullptr, 16)) };
    exchange(IdentifyRequest(), MakeEcuFrame(etIdentify, idBytes));
    const int base = static_cast<int>(ConstantOf(ecuId, EcuConstant::BaseAddress));
    const int end = static_cast<int>(ConstantOf(ecuId, EcuConstant::EndAddress));
    for (int window = 0; window <= end - base; window += EcuFrame::MaxDataBytes) {
        PollAddressList addresses {};
        std::array<std::uint8_t, EcuFrame::MaxDataBytes> data {};
        for (std::size_t k = 0; k < addresses.size(); ++k) {
            addresses[k] = static_cast<std::uint8_t>(base + window + static_cast<int>(k));
            data[k] = memory[addresses[k]];
        }
        exchange(ReadDataRequest(addresses), MakeEcuFrame(etReadData, data));
    }
    return text.str();
}

TEST(HandWrittenCapture, DecodesToWhatTheTablesGiveForItsBytes)
{
    for (const std::string ecuId : { "1843", "F802" }) {
        SCOPED_TRACE(ecuId);
        std::array<std::uint8_t, 256> memory {};
        for (std::size_t address = 0; address < memory.size(); ++address)
            memory[address] = static_cast<std::uint8_t>(address * 37 + 11);
        const CaptureRead read = ParseCapture(HandWrittenCapture(ecuId, memory));
        ASSERT_TRUE(read.Ok()) << read.error;

        ConnectionRig rig;
        ReplayFarEnd farEnd(read.log);
        rig.link.farEnd = &farEnd;
        rig.ConnectAndIdentify();
        // One sweep is all the capture holds.
        ASSERT_TRUE(rig.TickUntil([&rig] { return rig.connection.CompletedSweeps() >= 1; }));
        EXPECT_EQ(rig.connection.GetEcuId(), ecuId);
        EXPECT_EQ(rig.connection.Values(), ExpectedValues(ecuId, memory));
        EXPECT_EQ(rig.connection.RxErrorCount(), 0);
    }
}

} // namespace
