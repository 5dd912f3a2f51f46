#include "link/EcuFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>

namespace {

struct FrameCase {
    const char* name;
    std::function<EcuFrame()> build;
    const char* expected;
};

void PrintTo(const FrameCase& frameCase, std::ostream* out)
{
    *out << frameCase.name;
}

const PollAddressList SomeAddresses { 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07 };
const PollAddressList HighAddresses { 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF };

const FrameCase FrameCases[] = {
    { "Identify", IdentifyRequest, "10 03 ED" },
    { "Reset", ResetRequest, "14 03 E9" },
    { "ReadLow", [] { return ReadDataRequest(SomeAddresses); }, "13 0B 00 01 02 03 04 05 06 07 C6" },
    { "ReadHigh", [] { return ReadDataRequest(HighAddresses); }, "13 0B F8 F9 FA FB FC FD FE FF 06" },
    { "Actuator1V40", [] { return ActuatorRequest(1, 0x40); }, "15 0B C0 40 00 00 00 00 00 00 E0" },
    { "Actuator1V102", [] { return ActuatorRequest(1, 102); }, "15 0B C0 66 00 00 00 00 00 00 BA" },
    { "Actuator1LowByteOnly", [] { return ActuatorRequest(1, 0x140); }, "15 0B C0 40 00 00 00 00 00 00 E0" },
    { "Actuator2V16", [] { return ActuatorRequest(2, 16); }, "15 0B 10 00 00 00 00 00 00 00 D0" },
    { "Actuator3", [] { return ActuatorRequest(3, 99); }, "15 0B 80 00 00 00 00 00 00 00 60" },
    { "Actuator4", [] { return ActuatorRequest(4, 99); }, "15 0B 00 00 00 01 01 00 00 00 DE" },
    { "Actuator5V50", [] { return ActuatorRequest(5, 50); }, "15 0B 00 00 00 00 00 C0 32 00 EE" },
    { "Actuator6", [] { return ActuatorRequest(6, 99); }, "15 0B 00 00 00 80 80 00 00 00 E0" },
    { "Actuator7", [] { return ActuatorRequest(7, 99); }, "15 0B 00 00 00 00 00 00 00 00 E0" },
    { "Actuator8", [] { return ActuatorRequest(8, 99); }, "15 0B 00 00 00 40 40 00 00 00 60" },
    { "Actuator9", [] { return ActuatorRequest(9, 99); }, "15 0B 00 00 00 04 04 00 00 00 D8" },
    { "Actuator0", [] { return ActuatorRequest(0, 99); }, "15 0B 00 00 00 00 00 00 00 00 E0" },
    { "Actuator12", [] { return ActuatorRequest(12, 99); }, "15 0B 00 00 00 00 00 00 00 00 E0" },
    { "ActuatorNegative", [] { return ActuatorRequest(-1, 99); }, "15 0B 00 00 00 00 00 00 00 00 E0" },
};

class RequestFrame : public testing::TestWithParam<FrameCase> { };

TEST_P(RequestFrame, HasTheExactBytes)
{
    EXPECT_EQ(HexBytes(GetParam().build().Bytes()), GetParam().expected);
}

TEST_P(RequestFrame, SumsToZeroAndCarriesItsLength)
{
    const EcuFrame frame = GetParam().build();
    const auto bytes = frame.Bytes();
    EXPECT_EQ(std::accumulate(bytes.begin(), bytes.end(), 0u) % 256, 0u);
    EXPECT_EQ(bytes[1], bytes.size());
    EXPECT_EQ(frame.Data().size(), bytes.size() - EcuFrame::OverheadBytes);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, RequestFrame, testing::ValuesIn(FrameCases),
    [](const testing::TestParamInfo<FrameCase>& param) { return std::string(param.param.name); });

TEST(EcuFrame, EveryReadWindowAndActuatorValueSumsToZero)
{
    for (int base = 0; base < 256; ++base) {
        PollAddressList addresses {};
        for (std::size_t k = 0; k < addresses.size(); ++k)
            addresses[k] = static_cast<std::uint8_t>((base + static_cast<int>(k)) % 256);
        const EcuFrame frame = ReadDataRequest(addresses);
        const auto bytes = frame.Bytes();
        ASSERT_EQ(std::accumulate(bytes.begin(), bytes.end(), 0u) % 256, 0u) << "window " << base;
    }
    for (int number = 1; number <= 9; ++number) {
        for (int value = 0; value < 256; ++value) {
            const EcuFrame frame = ActuatorRequest(number, value);
            const auto bytes = frame.Bytes();
            ASSERT_EQ(std::accumulate(bytes.begin(), bytes.end(), 0u) % 256, 0u) << number << " " << value;
        }
    }
}

TEST(EcuFrame, OnlyTheFourTypeCodesStartAFrame)
{
    int starts = 0;
    for (int byte = 0; byte < 256; ++byte)
        starts += IsEcuFrameType(static_cast<std::uint8_t>(byte)) ? 1 : 0;
    EXPECT_EQ(starts, 4);
    for (const std::uint8_t type : { 0x10, 0x13, 0x14, 0x15 })
        EXPECT_TRUE(IsEcuFrameType(type));
}

} // namespace
