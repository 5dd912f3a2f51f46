#include "sim/EcuSimulator.h"

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> FrameBytes(const EcuFrame& frame)
{
    return { frame.Bytes().begin(), frame.Bytes().end() };
}

class EcuSimulatorTest : public testing::Test {
protected:
    EcuSimulator Make(std::string_view id, const SimulatorSettings& settings = {})
    {
        return EcuSimulator(id, settings, clock.Clock());
    }
    ManualClock clock;
};

TEST_F(EcuSimulatorTest, RequestInPiecesIsEchoedAtOnceAndAnsweredWhenComplete)
{
    EcuSimulator sim = Make("1103");
    EXPECT_EQ(sim.Transfer(Bytes({ 0x10 })), Bytes({ 0x10 }));
    EXPECT_EQ(sim.Transfer(Bytes({ 0x03 })), Bytes({ 0x03 }));
    EXPECT_EQ(sim.Transfer(Bytes({ 0xED })), Bytes({ 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7 }));
    EXPECT_EQ(sim.Transfer({}), Bytes({}));
}

TEST_F(EcuSimulatorTest, NoiseAndFalseStartsBetweenRequestsAreSkipped)
{
    EcuSimulator sim = Make("1103");
    // Plain noise, then a false start (0x15 with a plausible length) right in front of a request,
    // then a request with a wrong checksum, then a reset split over two writes.
    const auto first = Bytes(
        { 0x00, 0xFF, 0x7E, 0x10, 0x03, 0xED, 0x42, 0x15, 0x05, 0x10, 0x03, 0xED, 0x10, 0x03, 0xEE, 0x14 });
    const auto second = Bytes({ 0x03, 0xE9 });
    const auto identifyReply = FrameBytes(MakeEcuFrame(etIdentify, Bytes({ 0x11, 0x03 })));
    EXPECT_EQ(sim.Transfer(first), Concat(Concat(first, identifyReply), identifyReply));
    EXPECT_EQ(sim.Transfer(second), Concat(second, Bytes({ 0x14, 0x04, 0x00, 0xE8 })));
    EXPECT_EQ(sim.Counters().requests, 3);
    EXPECT_GE(sim.RejectedRequests(), 1);
}

TEST_F(EcuSimulatorTest, TwoRequestsInOneWriteAreEchoedBeforeEitherReply)
{
    EcuSimulator sim = Make("1103");
    const auto written = Concat(FrameBytes(IdentifyRequest()), FrameBytes(ResetRequest()));
    const auto expected = Concat(Concat(written, FrameBytes(MakeEcuFrame(etIdentify, Bytes({ 0x11, 0x03 })))),
        FrameBytes(MakeEcuFrame(etResetEcu, Bytes({ 0x00 }))));
    EXPECT_EQ(sim.Transfer(written), expected);
}

struct IdCase {
    const char* id;
    std::uint8_t first;
    std::uint8_t second;
};

void PrintTo(const IdCase& c, std::ostream* os)
{
    *os << c.id;
}

class IdentificationReply : public testing::TestWithParam<IdCase> { };

TEST_P(IdentificationReply, CarriesTheTwoBytesOfTheId)
{
    ManualClock clock;
    EcuSimulator sim(GetParam().id, {}, clock.Clock());
    const auto request = FrameBytes(IdentifyRequest());
    const auto line = sim.Transfer(request);
    const auto reply = FrameBytes(MakeEcuFrame(etIdentify, Bytes({ GetParam().first, GetParam().second })));
    EXPECT_EQ(line, Concat(request, reply));
}

INSTANTIATE_TEST_SUITE_P(KnownObd2AndUnknown, IdentificationReply,
    testing::Values(IdCase { "1103", 0x11, 0x03 }, IdCase { "17E2", 0x17, 0xE2 },
        IdCase { "17e2", 0x17, 0xE2 }, IdCase { "F802", 0xF8, 0x02 }, IdCase { "1B41", 0x1B, 0x41 },
        IdCase { "ABCD", 0xAB, 0xCD }));

TEST_F(EcuSimulatorTest, DataReadAnswersEachRequestedAddressInRequestOrder)
{
    SimulatorSettings settings;
    // Addresses spread over the whole memory, the last one wrapping the scene's row.
    const PollAddressList addresses { 207, 0, 255, 3, 128, 17, 254, 64 };
    const PollAddressList values { 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7 };
    for (std::size_t i = 0; i < addresses.size(); ++i)
        settings.fixedBytes[addresses[i]] = values[i];
    EcuSimulator sim = Make("1103", settings);
    const auto request = FrameBytes(ReadDataRequest(addresses));
    EXPECT_EQ(sim.Transfer(request), Concat(request, FrameBytes(MakeEcuFrame(etReadData, values))));

    // The same addresses asked in another order come back in that order.
    const PollAddressList reordered { 64, 254, 17, 128, 3, 255, 0, 207 };
    const PollAddressList reorderedValues { 0xA7, 0xA6, 0xA5, 0xA4, 0xA3, 0xA2, 0xA1, 0xA0 };
    const auto again = FrameBytes(ReadDataRequest(reordered));
    EXPECT_EQ(sim.Transfer(again), Concat(again, FrameBytes(MakeEcuFrame(etReadData, reorderedValues))));
}

TEST_F(EcuSimulatorTest, ResetReportsSuccessOrConfiguredFailure)
{
    const auto request = FrameBytes(ResetRequest());
    EcuSimulator good = Make("1103");
    EXPECT_EQ(good.Transfer(request), Concat(request, Bytes({ 0x14, 0x04, 0x00, 0xE8 })));
    EXPECT_EQ(good.Counters().resetFailures, 0);

    SimulatorSettings failing;
    failing.resetFails = true;
    EcuSimulator bad = Make("1103", failing);
    const auto line = bad.Transfer(request);
    ASSERT_EQ(line.size(), request.size() + 4);
    const auto reply = std::vector<std::uint8_t>(line.begin() + 3, line.end());
    EXPECT_EQ(reply[0], etResetEcu);
    EXPECT_NE(reply[2], 0x00);
    EXPECT_EQ(FrameChecksum(std::span(reply).first(3)), reply[3]);
    EXPECT_EQ(bad.Counters().resetFailures, 1);
}

TEST_F(EcuSimulatorTest, ActuatorCommandIsAcknowledgedAndRecorded)
{
    EcuSimulator sim = Make("1103");
    EXPECT_FALSE(sim.LastActuatorRequest().has_value());
    const EcuFrame command = ActuatorRequest(1, 0x40);
    const auto request = FrameBytes(command);
    EXPECT_EQ(sim.Transfer(request), Concat(request, FrameBytes(MakeEcuFrame(etActuator, {}))));
    ASSERT_TRUE(sim.LastActuatorRequest().has_value());
    EXPECT_EQ(FrameBytes(*sim.LastActuatorRequest()), request);
}

TEST_F(EcuSimulatorTest, SuccessfulResetClearsTheStoredFault)
{
    // Row "1103" holds fault flags 2 (stored faults) at offset 2.
    constexpr std::uint8_t StoredFaultAddress = 2;
    EcuSimulator sim = Make("1103");
    EXPECT_NE(sim.MemoryNow()[StoredFaultAddress], 0);
    sim.Transfer(FrameBytes(ResetRequest()));
    EXPECT_EQ(sim.MemoryNow()[StoredFaultAddress], 0);

    SimulatorSettings failing;
    failing.resetFails = true;
    EcuSimulator refused = Make("1103", failing);
    refused.Transfer(FrameBytes(ResetRequest()));
    EXPECT_NE(refused.MemoryNow()[StoredFaultAddress], 0);
}

} // namespace
