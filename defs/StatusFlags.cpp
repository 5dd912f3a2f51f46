#include "defs/StatusFlags.h"

#include "defs/CommaText.h"
#include "defs/PositionTexts.h"
#include "defs/TranslatableText.h"

#include <cstddef>

namespace {

// Name, text for the bit clear, text for the bit set.
// clang-format off
constexpr std::array<std::string_view, StatusTextCount> StatusTexts {
    "Unimplemented,ON,OFF", // 0
    DAZED_TRANSLATABLE("StatusFlags", "Electric Load,OFF,ON"), // 1
    DAZED_TRANSLATABLE("StatusFlags", "Fuel Cut,OFF,ON"), // 2
    DAZED_TRANSLATABLE("StatusFlags", "Fuel Pressure Control Valve,OFF,ON"), // 3
    DAZED_TRANSLATABLE("StatusFlags", "Fuel Pump,OFF,ON"), // 4
    DAZED_TRANSLATABLE("StatusFlags", "Closed Loop,OFF,ON"), // 5
    DAZED_TRANSLATABLE("StatusFlags", "O2S Activated,OFF,ON"), // 6
    DAZED_TRANSLATABLE("StatusFlags", "Rich/Lean Monitor,LEAN,RICH"), // 7
    DAZED_TRANSLATABLE("StatusFlags", "Throttle Opener Solenoid,OFF,ON"), // 8
    DAZED_TRANSLATABLE("StatusFlags", "Idle Position,OPEN,IDLE"), // 9
    DAZED_TRANSLATABLE("StatusFlags", "EGR Valve,OFF,ON"), // 10
    DAZED_TRANSLATABLE("StatusFlags", "Evap. Can. Purge,OFF,ON"), // 11
    DAZED_TRANSLATABLE("StatusFlags", "PS Switch,OFF,ON"), // 12
    DAZED_TRANSLATABLE("StatusFlags", "PS Solenoid Valve,OFF,ON"), // 13
    "Unimplemented,OFF,ON", // 14
    DAZED_TRANSLATABLE("StatusFlags", "ABS Switch,OFF,ON"), // 15
    "Unimplemented,OFF,ON", // 16
    DAZED_TRANSLATABLE("StatusFlags", "AC Fan,OFF,ON"), // 17
    DAZED_TRANSLATABLE("StatusFlags", "AC Control,OFF,ON"), // 18
    DAZED_TRANSLATABLE("StatusFlags", "AC Cooling Fan,OFF,ON"), // 19
    DAZED_TRANSLATABLE("StatusFlags", "AC Magnetic Clutch,OFF,ON"), // 20
    DAZED_TRANSLATABLE("StatusFlags", "AC Pressure Switch,OFF,ON"), // 21
    DAZED_TRANSLATABLE("StatusFlags", "AC On,OFF,ON"), // 22
    DAZED_TRANSLATABLE("StatusFlags", "Heater Fan,OFF,ON"), // 23
    DAZED_TRANSLATABLE("StatusFlags", "Brake Switch,OFF,ON"), // 24
    DAZED_TRANSLATABLE("StatusFlags", "Radiator Fan,OFF,ON"), // 25
    DAZED_TRANSLATABLE("StatusFlags", "Starter,OFF,ON"), // 26
    "Unimplemented,OFF,ON", // 27
    DAZED_TRANSLATABLE("StatusFlags", "4WD Low,OFF,ON"), // 28
    DAZED_TRANSLATABLE("StatusFlags", "Mode Select,OFF,ON"), // 29
    DAZED_TRANSLATABLE("StatusFlags", "OD,OFF,ON"), // 30
    DAZED_TRANSLATABLE("StatusFlags", "PNP Switch,OFF,ON"), // 31
    DAZED_TRANSLATABLE("StatusFlags", "Pressure Regulator Solenoid,OFF,ON"), // 32
    DAZED_TRANSLATABLE("StatusFlags", "Pressure Regulator Solenoid Mon.,OFF,ON"), // 33
    DAZED_TRANSLATABLE("StatusFlags", "Shift Solenoid /#1,OFF,ON"), // 34
    DAZED_TRANSLATABLE("StatusFlags", "Shift Solenoid /#1 Mon.,OFF,ON"), // 35
    DAZED_TRANSLATABLE("StatusFlags", "Shift Solenoid /#2,OFF,ON"), // 36
    DAZED_TRANSLATABLE("StatusFlags", "Shift Solenoid /#2 Mon.,OFF,ON"), // 37
    DAZED_TRANSLATABLE("StatusFlags", "TCC Solenoid,OFF,ON"), // 38
    DAZED_TRANSLATABLE("StatusFlags", "TCC Solenoid Mon.,OFF,ON"), // 39
    DAZED_TRANSLATABLE("StatusFlags", "D Range Shift Switch,PN,D"), // 40
    "Unimplemented,OFF,ON", // 41
    DAZED_TRANSLATABLE("StatusFlags", "Diagnostic Switch Term.,OFF,ON"), // 42
    DAZED_TRANSLATABLE("StatusFlags", "Test Switch Term.,OFF,ON"), // 43
    DAZED_TRANSLATABLE("StatusFlags", "PSP Switch,OFF,ON"), // 44
    DAZED_TRANSLATABLE("StatusFlags", "Rich/Lean Monitor B1,LEAN,RICH"), // 45
    DAZED_TRANSLATABLE("StatusFlags", "Rich/lean Monitor B2,LEAN,RICH"), // 46
    DAZED_TRANSLATABLE("StatusFlags", "O2S B1 Activated,OFF,ON"), // 47
    DAZED_TRANSLATABLE("StatusFlags", "O2S B2 Activated,OFF,ON"), // 48
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
