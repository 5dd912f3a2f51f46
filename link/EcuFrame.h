#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// One framed message on the ECU line: type, total length, data bytes, checksum.
// The checksum makes the sum of every byte of the frame 0 modulo 256.
enum EcuFrameType : std::uint8_t {
    etIdentify = 0x10,
    etReadData = 0x13,
    etResetEcu = 0x14,
    etActuator = 0x15,
};

bool IsEcuFrameType(std::uint8_t byte);

// The data bytes of the reply to a request of `type`; an actuator reply is taken whatever it
// carries, as only its arrival means anything.
inline constexpr int AnyReplyLength = -1;
int ReplyDataBytes(EcuFrameType type);

struct EcuFrame {
    static constexpr int HeaderBytes = 2; // type and length
    static constexpr int OverheadBytes = HeaderBytes + 1; // plus the checksum
    static constexpr int MaxDataBytes = 8;
    static constexpr int MaxLength = OverheadBytes + MaxDataBytes;

    std::array<std::uint8_t, MaxLength> bytes {};
    int length = 0;

    std::span<const std::uint8_t> Bytes() const { return { bytes.data(), static_cast<std::size_t>(length) }; }
    std::span<const std::uint8_t> Data() const
    {
        return { bytes.data() + HeaderBytes, static_cast<std::size_t>(length - OverheadBytes) };
    }
    EcuFrameType Type() const { return static_cast<EcuFrameType>(bytes[0]); }
};

// The byte that brings the sum of `bytes` and itself to 0 modulo 256.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes);

// Builds a complete frame; at most MaxDataBytes of `data` are taken.
EcuFrame MakeEcuFrame(EcuFrameType type, std::span<const std::uint8_t> data);

using PollAddressList = std::array<std::uint8_t, EcuFrame::MaxDataBytes>;

EcuFrame IdentifyRequest(); // 10 03 ED
EcuFrame ResetRequest(); // 14 03 E9
EcuFrame ReadDataRequest(const PollAddressList& addresses); // 13 0B a0..a7 cs
// Actuator command by frame pattern number (1..9; any other number sends all-zero data).
// `value` enters as its low 8 bits.
EcuFrame ActuatorRequest(int patternNumber, int value);

// The frame pattern of the actuator window's test 1..8 (0 = Cancel). The frame table has
// patterns 1..9 with none for 7, while the window numbers its tests without a gap: test 7
// "Can. Purge Control" drives pattern 8 and test 8 "Fuel Pump Control" pattern 9, tests 1..6
// their own numbers. Cancel and any other number give 0, a pattern with all-zero data.
int ActuatorPatternOfTest(int test);

// One byte as two upper-case hexadecimal digits ("0B").
std::string HexByteText(std::uint8_t byte);
// Bytes in upper-case hexadecimal, separated by one blank ("15 0B C0 ..."), as frames are shown.
std::string HexBytes(std::span<const std::uint8_t> bytes);
