#include "defs/StatusFlags.h"

#include "defs/CommaText.h"
#include "defs/PositionTexts.h"

#include <cstddef>

namespace {

// Name, text for the bit clear, text for the bit set.
// clang-format off
constexpr std::array<std::string_view, StatusTextCount> StatusTexts {
    "Unimplemented,ON,OFF", // 0
    "Electric Load,OFF,ON", // 1
    "Fuel Cut,OFF,ON", // 2
    "Fuel Pressure Control Valve,OFF,ON", // 3
    "Fuel Pump,OFF,ON", // 4
    "Closed Loop,OFF,ON", // 5
    "O2S Activated,OFF,ON", // 6
    "Rich/Lean Monitor,LEAN,RICH", // 7
    "Throttle Opener Solenoid,OFF,ON", // 8
    "Idle Position,OPEN,IDLE", // 9
    "EGR Valve,OFF,ON", // 10
    "Evap. Can. Purge,OFF,ON", // 11
    "PS Switch,OFF,ON", // 12
    "PS Solenoid Valve,OFF,ON", // 13
    "Unimplemented,OFF,ON", // 14
    "ABS Switch,OFF,ON", // 15
    "Unimplemented,OFF,ON", // 16
    "AC Fan,OFF,ON", // 17
    "AC Control,OFF,ON", // 18
    "AC Cooling Fan,OFF,ON", // 19
    "AC Magnetic Clutch,OFF,ON", // 20
    "AC Pressure Switch,OFF,ON", // 21
    "AC On,OFF,ON", // 22
    "Heater Fan,OFF,ON", // 23
    "Brake Switch,OFF,ON", // 24
    "Radiator Fan,OFF,ON", // 25
    "Starter,OFF,ON", // 26
    "Unimplemented,OFF,ON", // 27
    "4WD Low,OFF,ON", // 28
    "Mode Select,OFF,ON", // 29
    "OD,OFF,ON", // 30
    "PNP Switch,OFF,ON", // 31
    "Pressure Regulator Solenoid,OFF,ON", // 32
    "Pressure Regulator Solenoid Mon.,OFF,ON", // 33
    "Shift Solenoid /#1,OFF,ON", // 34
    "Shift Solenoid /#1 Mon.,OFF,ON", // 35
    "Shift Solenoid /#2,OFF,ON", // 36
    "Shift Solenoid /#2 Mon.,OFF,ON", // 37
    "TCC Solenoid,OFF,ON", // 38
    "TCC Solenoid Mon.,OFF,ON", // 39
    "D Range Shift Switch,PN,D", // 40
    "Unimplemented,OFF,ON", // 41
    "Diagnostic Switch Term.,OFF,ON", // 42
    "Test Switch Term.,OFF,ON", // 43
    "PSP Switch,OFF,ON", // 44
    "Rich/Lean Monitor B1,LEAN,RICH", // 45
    "Rich/lean Monitor B2,LEAN,RICH", // 46
    "O2S B1 Activated,OFF,ON", // 47
    "O2S B2 Activated,OFF,ON", // 48
    "Unimplemented,OFF,ON", // 49
    "Unimplemented,OFF,ON", // 50
    "Unimplemented,OFF,ON", // 51
    "Unimplemented,OFF,ON", // 52
    "Unimplemented,OFF,ON", // 53
    "Unimplemented,OFF,ON", // 54
    "Unimplemented,OFF,ON", // 55
};
// clang-format on

// Text index per bit position, one row per ECU: bytes 0 to 4, each from mask 128 down to mask 1.
// clang-format off
constexpr std::array<std::array<int, StatusPositionCount>, EcuRowCount> StatusMap { {
    /* dflt */ { 0, 0, 0, 0, 0, 11, 10, 7,  0, 0, 0, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1103 */ { 0, 0, 0, 0, 0, 11, 10, 7,  0, 0, 0, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1112 */ { 0, 0, 0, 0, 10, 0, 0, 0,  0, 0, 0, 0, 8, 0, 0, 11,  0, 0, 0, 0, 0, 0, 7, 0,  9, 0, 40, 21, 12, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1202 */ { 0, 0, 0, 0, 0, 4, 10, 7,  0, 0, 6, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1253 */ { 0, 0, 0, 0, 0, 13, 10, 7,  40, 1, 6, 9, 0, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1453 */ { 0, 0, 0, 0, 0, 11, 10, 0,  0, 1, 6, 9, 31, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1601 */ { 0, 0, 0, 4, 0, 10, 46, 45,  1, 0, 0, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1701 */ { 0, 0, 0, 4, 0, 10, 46, 45,  1, 0, 0, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1702 */ { 0, 0, 0, 0, 0, 4, 10, 0,  0, 0, 0, 0, 0, 21, 12, 0,  0, 0, 0, 28, 29, 30, 0, 24,  0, 0, 0, 0, 0, 0, 0, 0,  0, 39, 37, 35, 0, 38, 36, 34 },
    /* 17E2 */ { 0, 0, 25, 18, 11, 4, 10, 7,  0, 0, 0, 6, 9, 0, 21, 1,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1843 */ { 0, 0, 0, 0, 0, 0, 0, 7,  0, 1, 6, 9, 40, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1881 */ { 0, 0, 25, 18, 11, 4, 10, 7,  0, 0, 0, 6, 9, 0, 21, 1,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1901 */ { 0, 0, 0, 4, 0, 10, 46, 45,  1, 48, 47, 9, 0, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1902 */ { 1, 0, 0, 0, 0, 4, 0, 7,  0, 0, 6, 9, 0, 0, 12, 0,  0, 0, 19, 18, 0, 15, 0, 23,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1903 */ { 0, 0, 0, 0, 24, 0, 0, 7,  0, 1, 6, 9, 0, 21, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* 1943 */ { 25, 0, 0, 9, 0, 21, 44, 6,  0, 1, 0, 0, 0, 0, 12, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0 },
    /* F602 */ { 0, 2, 54, 11, 55, 10, 4, 0,  26, 0, 0, 14, 40, 22, 12, 0,  53, 52, 51, 50, 49, 0, 0, 0,  0, 39, 37, 35, 0, 38, 36, 34,  0, 0, 0, 0, 29, 30, 0, 24 },
    /* F802 */ { 0, 2, 54, 11, 55, 10, 4, 0,  26, 0, 0, 14, 40, 22, 12, 0,  53, 52, 51, 50, 49, 0, 0, 0,  0, 39, 37, 35, 0, 38, 36, 34,  0, 0, 0, 28, 29, 30, 0, 24 },
} };
// clang-format on

constexpr int BitsPerByte = 8;
constexpr int MostSignificantBit = 0x80;

constexpr PositionTexts StatusDefinitions { StatusTexts, StatusMap, UnusedStatusText };

} // namespace

std::string_view StatusTextByIndex(int index)
{
    return StatusDefinitions.TextByIndex(index);
}

int StatusTextIndexAt(std::string_view ecuId, int position)
{
    return StatusDefinitions.IndexAt(ecuId, position);
}

std::string_view StatusTextAt(std::string_view ecuId, int position)
{
    return StatusDefinitions.TextAt(ecuId, position);
}

StatusList StatusListOf(std::string_view ecuId)
{
    return StatusDefinitions.ListOf(ecuId);
}

std::vector<StatusLine> DecodeStatus(const StatusList& list, const StatusBytes& bytes)
{
    const CommaText unimplemented("Unimplemented");
    std::vector<StatusLine> lines;
    for (int position = 0; position < StatusPositionCount; ++position) {
        CommaText rest(list[static_cast<std::size_t>(position)]);
        CommaText name;
        SplitField(rest, name, rest);
        if (!DiffersIgnoringCase(name, unimplemented))
            continue;
        CommaText offText;
        CommaText onText;
        SplitField(rest, offText, rest);
        SplitField(rest, onText, rest);
        const int byte = bytes[static_cast<std::size_t>(position / BitsPerByte)];
        const bool set = (byte & (MostSignificantBit >> (position % BitsPerByte))) != 0;
        lines.push_back({ std::string(name.View()), std::string(set ? onText.View() : offText.View()) });
    }
    return lines;
}
