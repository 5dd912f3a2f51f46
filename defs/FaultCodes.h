#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Five fault flag bytes, one bit per fault, least significant bit first. Bytes 0, 1 and 4 hold
// current faults, bytes 2 and 3 stored (history) faults.
inline constexpr int FaultByteCount = 5;
inline constexpr int FaultPositionCount = 8 * FaultByteCount;
inline constexpr int FaultTextCount = 56;
inline constexpr int UnallocatedFaultText = 55; // the text of every position an ECU leaves unused
using FaultBytes = std::array<std::uint8_t, FaultByteCount>;
// The texts of the 40 bit positions for one ECU, built when the ECU is identified.
using FaultList = std::array<std::string_view, FaultPositionCount>;

// Text 0..55 of the shared fault text table; empty outside it.
std::string_view FaultTextByIndex(int index);
// The text index of bit position 0..39 (8 x byte + bit) for the ECU's row; the unallocated
// text's index outside 0..39.
int FaultTextIndexAt(std::string_view ecuId, int position);
// The text of bit position 0..39 for the ECU's row; empty outside 0..39.
std::string_view FaultTextAt(std::string_view ecuId, int position);
FaultList FaultListOf(std::string_view ecuId);

// The two-character code at the front of a fault text (the whole text when shorter).
std::string_view FaultCodeOf(std::string_view text);
// The text after its first three characters, leading blanks kept (empty when shorter).
std::string_view FaultDescriptionOf(std::string_view text);

bool IsCurrentFaultByte(int byte);

struct DecodedFault {
    int position; // 8 x byte + bit
    std::string_view code;
    std::string_view description;
};

struct DecodedFaults {
    std::vector<DecodedFault> current; // bytes 0, 1, 4
    std::vector<DecodedFault> stored; // bytes 2, 3
};

// Every set bit as a fault, byte 0 bit 0 first, split into current and stored.
DecodedFaults DecodeFaults(const FaultList& list, const FaultBytes& bytes);

// The fault code viewer's text of a list: "Code " + code, the description and an empty line per
// fault, with line feeds only.
std::string FaultListText(const std::vector<DecodedFault>& faults);

// The fault lamp: red for any current fault, else yellow for any stored fault, else black.
enum class MilColour { Black, Yellow, Red };
MilColour MilColourOf(const FaultBytes& bytes);
