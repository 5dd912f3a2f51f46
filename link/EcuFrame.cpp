#include "link/EcuFrame.h"

#include <algorithm>
#include <string_view>

namespace {

// Which data bytes an actuator pattern sets; `fromValue` marks the one byte that carries the
// command value, the others carry the fixed `constant`.
struct ActuatorByte {
    int index;
    std::uint8_t constant;
    bool fromValue;
};

struct ActuatorPattern {
    int number;
    std::array<ActuatorByte, 2> bytes;
    int byteCount;
};

// number  data bytes set (all others 0)
constexpr std::array<ActuatorPattern, 8> ActuatorPatterns { {
    { 1, { { { 0, 0xC0, false }, { 1, 0, true } } }, 2 }, //     d0 = C0, d1 = V
    { 2, { { { 0, 0, true }, {} } }, 1 }, //                     d0 = V
    { 3, { { { 0, 0x80, false }, {} } }, 1 }, //                 d0 = 80
    { 4, { { { 3, 0x01, false }, { 4, 0x01, false } } }, 2 }, // d3 = 01, d4 = 01
    { 5, { { { 5, 0xC0, false }, { 6, 0, true } } }, 2 }, //     d5 = C0, d6 = V
    { 6, { { { 3, 0x80, false }, { 4, 0x80, false } } }, 2 }, // d3 = 80, d4 = 80
    { 8, { { { 3, 0x40, false }, { 4, 0x40, false } } }, 2 }, // d3 = 40, d4 = 40
    { 9, { { { 3, 0x04, false }, { 4, 0x04, false } } }, 2 }, // d3 = 04, d4 = 04
} };

} // namespace

bool IsEcuFrameType(std::uint8_t byte)
{
    return byte == etIdentify || byte == etReadData || byte == etResetEcu || byte == etActuator;
}

int ReplyDataBytes(EcuFrameType type)
{
    constexpr int IdentificationBytes = 2;
    constexpr int ResetResultBytes = 1;
    switch (type) {
    case etIdentify:
        return IdentificationBytes;
    case etReadData:
        return EcuFrame::MaxDataBytes;
    case etResetEcu:
        return ResetResultBytes;
    case etActuator:
        break;
    }
    return AnyReplyLength;
}

std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (const std::uint8_t byte : bytes)
        sum += byte;
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

EcuFrame MakeEcuFrame(EcuFrameType type, std::span<const std::uint8_t> data)
{
    const std::size_t dataCount = std::min<std::size_t>(data.size(), EcuFrame::MaxDataBytes);
    EcuFrame frame;
    frame.length = EcuFrame::OverheadBytes + static_cast<int>(dataCount);
    frame.bytes[0] = type;
    frame.bytes[1] = static_cast<std::uint8_t>(frame.length);
    std::copy_n(data.begin(), dataCount, frame.bytes.begin() + EcuFrame::HeaderBytes);
    const auto withoutChecksum = std::span<const std::uint8_t>(frame.bytes.data(), frame.length - 1);
    frame.bytes[frame.length - 1] = FrameChecksum(withoutChecksum);
    return frame;
}

EcuFrame IdentifyRequest()
{
    return MakeEcuFrame(etIdentify, {});
}

EcuFrame ResetRequest()
{
    return MakeEcuFrame(etResetEcu, {});
}

EcuFrame ReadDataRequest(const PollAddressList& addresses)
{
    return MakeEcuFrame(etReadData, addresses);
}

EcuFrame ActuatorRequest(int patternNumber, int value)
{
    std::array<std::uint8_t, EcuFrame::MaxDataBytes> data {};
    const auto pattern = std::find_if(ActuatorPatterns.begin(), ActuatorPatterns.end(),
        [patternNumber](const ActuatorPattern& p) { return p.number == patternNumber; });
    if (pattern != ActuatorPatterns.end()) {
        for (int i = 0; i < pattern->byteCount; ++i) {
            const ActuatorByte& byte = pattern->bytes[static_cast<std::size_t>(i)];
            data[static_cast<std::size_t>(byte.index)]
                = byte.fromValue ? static_cast<std::uint8_t>(value & 0xFF) : byte.constant;
        }
    }
    return MakeEcuFrame(etActuator, data);
}

int ActuatorPatternOfTest(int test)
{
    constexpr int LastPlainTest = 6; // tests 1..6 use the pattern of their own number
    constexpr int CanPurgeTest = 7;
    constexpr int FuelPumpTest = 8;
    constexpr int CanPurgePattern = 8;
    constexpr int FuelPumpPattern = 9;
    constexpr int AllZeroPattern = 0;
    if (test >= 1 && test <= LastPlainTest)
        return test;
    if (test == CanPurgeTest)
        return CanPurgePattern;
    if (test == FuelPumpTest)
        return FuelPumpPattern;
    return AllZeroPattern;
}

std::string HexByteText(std::uint8_t byte)
{
    constexpr std::string_view Digits = "0123456789ABCDEF";
    constexpr int NibbleBits = 4;
    constexpr std::uint8_t NibbleMask = 0x0F;
    return { Digits[byte >> NibbleBits], Digits[byte & NibbleMask] };
}

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += HexByteText(byte);
    }
    return text;
}
