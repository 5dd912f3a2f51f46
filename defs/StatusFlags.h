#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Five status flag bytes, one bit per flag, most significant bit first. Only bytes 0..3 are fed
// by address roles; byte 4 stays 0.
inline constexpr int StatusByteCount = 5;
inline constexpr int StatusPositionCount = 8 * StatusByteCount;
inline constexpr int StatusTextCount = 56;
inline constexpr int UnusedStatusText = 0; // the entry of every position an ECU does not use
using StatusBytes = std::array<std::uint8_t, StatusByteCount>;
// The texts of the 40 bit positions for one ECU, built when the ECU is identified.
using StatusList = std::array<std::string_view, StatusPositionCount>;

// Text 0..55 of the shared status text table ("name,off-text,on-text"); empty outside it.
std::string_view StatusTextByIndex(int index);
// The text index of bit position 0..39 (8 x byte + k, k = 0 for mask 128) for the ECU's row;
// the unused entry 0 outside 0..39.
int StatusTextIndexAt(std::string_view ecuId, int position);
// The text of bit position 0..39 for the ECU's row; empty outside 0..39.
std::string_view StatusTextAt(std::string_view ecuId, int position);
StatusList StatusListOf(std::string_view ecuId);

struct StatusLine {
    std::string name;
    std::string state;
};

// One line per position in position order; positions named "Unimplemented" give no line, so
// the number of lines depends only on the ECU.
std::vector<StatusLine> DecodeStatus(const StatusList& list, const StatusBytes& bytes);
