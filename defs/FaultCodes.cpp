#include "defs/FaultCodes.h"

#include "defs/PositionTexts.h"
#include "defs/TranslatableText.h"

#include <cstddef>

namespace {

// Code, one tab, two spaces, description; the last seven texts break that form on purpose.
// clang-format off
constexpr std::array<std::string_view, FaultTextCount> FaultTexts {
    DAZED_TRANSLATABLE("FaultCodes", "13\t  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn't change or is slow to change a fault is flagged"), // 0
    DAZED_TRANSLATABLE("FaultCodes", "14\t  Water Temperature Sensor signal High - Open circuit sensor or bad ground"), // 1
    DAZED_TRANSLATABLE("FaultCodes", "15\t  Water Temperature Sensor signal Low - Short circuit in sensor or wiring shorted to ground"), // 2
    DAZED_TRANSLATABLE("FaultCodes", "21\t  Throttle Position Sensor signal High - TPS faulty or open circuit signal or ground connection"), // 3
    DAZED_TRANSLATABLE("FaultCodes", "22\t  Throttle Position Sensor signal Low - TPS faulty. Short circuit signal or open circuit power connection"), // 4
    DAZED_TRANSLATABLE("FaultCodes", "23\t  Air Temperature Sensor signal High - ATS open circuit or bad ground"), // 5
    DAZED_TRANSLATABLE("FaultCodes", "24\t  Vehicle Speed Sensor - VSS faulty. Possibly broken Speedo cable"), // 6
    DAZED_TRANSLATABLE("FaultCodes", "25\t  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal wire short circuit or open circuit power connection"), // 7
    DAZED_TRANSLATABLE("FaultCodes", "26\t  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn't change or is slow to change a fault is flagged"), // 8
    DAZED_TRANSLATABLE("FaultCodes", "27\t  Compensation Resistance Signal - Open circuit or shorted"), // 9
    DAZED_TRANSLATABLE("FaultCodes", "28\t  Glow Plug Relay Signal - Open circuit or shorted"), // 10
    DAZED_TRANSLATABLE("FaultCodes", "31\t  Manifold Pressure Sensor signal High - MPS faulty. Possibly open circuit ground connection"), // 11
    DAZED_TRANSLATABLE("FaultCodes", "31\t  Boost Sensor Signal Low (Turbo)"), // 12
    DAZED_TRANSLATABLE("FaultCodes", "32\t  Manifold Pressure Sensor signal Low - MPS faulty. Possibly open circuit power connection"), // 13
    DAZED_TRANSLATABLE("FaultCodes", "32\t  Boost Sensor Signal High - Boost sensor faulty. Possibly open circuit ground connection"), // 14
    DAZED_TRANSLATABLE("FaultCodes", "33\t  Mass Airflow Sensor High"), // 15
    DAZED_TRANSLATABLE("FaultCodes", "34\t  Mass Airflow Sensor Low"), // 16
    DAZED_TRANSLATABLE("FaultCodes", "35\t  NE Sensor - Engine Speed Sensor faulty or wiring fault"), // 17
    DAZED_TRANSLATABLE("FaultCodes", "37\t  ABS Malfunction"), // 18
    DAZED_TRANSLATABLE("FaultCodes", "41\t  Ignition Fail Safe signal not present - faulty noise suppresor or wiring fault"), // 19
    DAZED_TRANSLATABLE("FaultCodes", "41\t  Timer Control Valve Signal"), // 20
    DAZED_TRANSLATABLE("FaultCodes", "42\t  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or bad connection"), // 21
    DAZED_TRANSLATABLE("FaultCodes", "43\t  Knock Sensor circuit malfunction - Faulty Knock Sensor or bad connection"), // 22
    DAZED_TRANSLATABLE("FaultCodes", "43\t  Starter Signal - Starter signal on during engine running or starter signal off during engine cranking"), // 23
    DAZED_TRANSLATABLE("FaultCodes", "44\t  Idle Switch Open - Faulty Idle switch. Possibly badly adjusted TPS or open circuit signal or ground connection"), // 24
    DAZED_TRANSLATABLE("FaultCodes", "45\t  Idle Switch Closed - Faulty Idle Switch. Possibly badly adjusted TPS or signal shorted to ground"), // 25
    DAZED_TRANSLATABLE("FaultCodes", "47\t  Camshaft Sensor"), // 26
    DAZED_TRANSLATABLE("FaultCodes", "51\t  Exhaust Gas Recirc Valve - EGR modulator faulty. Possibly exhaust passageway clogged or bad VSV or vacuum leak or catalytic converter fault"), // 27
    DAZED_TRANSLATABLE("FaultCodes", "51\t  EGR temperature sensor short circuit (Calif.)"), // 28
    DAZED_TRANSLATABLE("FaultCodes", "51\t  EGR temperature sensor open circuit (Calif.)"), // 29
    DAZED_TRANSLATABLE("FaultCodes", "52\t  Leaking Injector - Bad injector. Possibly dirty injector or bad seal or excessive fuel pressure"), // 30
    DAZED_TRANSLATABLE("FaultCodes", "52\t  Spill Valve Signal - Stuck spill valve. possibly open or shorted wiring"), // 31
    DAZED_TRANSLATABLE("FaultCodes", "53\t  Grounding error. Possibly wrong ECU or missing ground wire"), // 32
    DAZED_TRANSLATABLE("FaultCodes", "61\t  Shift Solenoid Valve A (#1)"), // 33
    DAZED_TRANSLATABLE("FaultCodes", "62\t  Shift Solenoid Valve A (#1)"), // 34
    DAZED_TRANSLATABLE("FaultCodes", "63\t  Shift Solenoid Valve B (#2)"), // 35
    DAZED_TRANSLATABLE("FaultCodes", "64\t  Shift Solenoid Valve B (#2)"), // 36
    DAZED_TRANSLATABLE("FaultCodes", "65\t  TCC Solenoid Valve Electrical"), // 37
    DAZED_TRANSLATABLE("FaultCodes", "66\t  TCC Solenoid Valve Electrical"), // 38
    DAZED_TRANSLATABLE("FaultCodes", "71\t  Test Switch Terminal Grounded - Wire link still in diagnostic plug or signal shorted to ground"), // 39
    DAZED_TRANSLATABLE("FaultCodes", "71\t  Memory Error - ECU internal write error or checksum error"), // 40
    DAZED_TRANSLATABLE("FaultCodes", "72\t  Transmission Range Switch circuit malfunction"), // 41
    DAZED_TRANSLATABLE("FaultCodes", "73\t  Fuel Temperature Sensor - Possibly Fuel temp. sensor or open or shorted wiring"), // 42
    DAZED_TRANSLATABLE("FaultCodes", "75\t  Output Speed sensor Circuit Malfunction"), // 43
    DAZED_TRANSLATABLE("FaultCodes", "76\t  Input/turbine Speed sensor Malfunction"), // 44
    DAZED_TRANSLATABLE("FaultCodes", "81\t  Immobiliser/ECU Immobiliser codes not matched (ECU side)"), // 45
    DAZED_TRANSLATABLE("FaultCodes", "82\t  ECU Internal fault (immobiliser)"), // 46
    DAZED_TRANSLATABLE("FaultCodes", "83\t  Immobiliser to ECU Serial Data Link"), // 47
    DAZED_TRANSLATABLE("FaultCodes", "84\t  No Immobiliser codes registered in ECU"), // 48
    DAZED_TRANSLATABLE("FaultCodes", "46    ISC"), // 49
    DAZED_TRANSLATABLE("FaultCodes", "76\tAuto?????????"), // 50
    DAZED_TRANSLATABLE("FaultCodes", "\tSpare"), // 51
    DAZED_TRANSLATABLE("FaultCodes", "\tSpare"), // 52
    DAZED_TRANSLATABLE("FaultCodes", "\tSpare"), // 53
    DAZED_TRANSLATABLE("FaultCodes", "\tSpare"), // 54
    DAZED_TRANSLATABLE("FaultCodes", "      Unallocated fault flag"), // 55
};
// clang-format on

// Text index per bit position, one row per ECU: positions 0..15 (current, bytes 0 and 1),
// 16..31 (stored, bytes 2 and 3), 32..39 (current, byte 4).
// clang-format off
constexpr std::array<std::array<int, FaultPositionCount>, EcuRowCount> FaultMap { {
    /* dflt */ { 0, 1, 2, 3, 4, 5, 6, 7, 15, 19, 21, 21, 24, 25, 27, 32,  0, 1, 2, 3, 4, 5, 6, 7, 15, 19, 21, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1103 */ { 0, 1, 2, 3, 4, 5, 6, 7, 15, 19, 21, 21, 24, 25, 27, 32,  0, 1, 2, 3, 4, 5, 6, 7, 15, 19, 21, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1112 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 24, 25, 27, 32,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 24, 25, 27, 32,  27, 28, 29, 55, 55, 55, 55, 55 },
    /* 1202 */ { 0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 19, 21, 24, 25, 27, 32,  0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 19, 21, 24, 25, 27, 32,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1253 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 27, 55, 55, 55,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 27, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1453 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 55,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1601 */ { 0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 19, 21, 27, 30, 55,  0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 19, 21, 27, 30, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1701 */ { 0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 19, 21, 27, 30, 55,  0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 19, 21, 27, 30, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1702 */ { 0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 19, 26, 24, 25, 27, 55,  0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 19, 26, 24, 25, 27, 55,  33, 34, 35, 36, 37, 38, 41, 43 },
    /* 17E2 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 21, 33, 34, 35, 36, 41,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 21, 33, 34, 35, 36, 41,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1843 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 26,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 26,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1881 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 55, 21, 22, 22, 55, 55,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 55, 21, 22, 22, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1901 */ { 0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 49, 21, 27, 30, 50,  0, 8, 1, 2, 3, 4, 5, 7, 6, 15, 16, 49, 21, 27, 30, 50,  33, 34, 35, 36, 37, 38, 41, 43 },
    /* 1902 */ { 0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 55, 21, 55, 55, 27, 50,  0, 1, 2, 3, 4, 5, 6, 7, 15, 16, 55, 21, 55, 55, 27, 50,  33, 34, 35, 36, 37, 38, 41, 43 },
    /* 1903 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 55, 21, 49, 27, 30, 26,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 55, 21, 22, 22, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* 1943 */ { 0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 26,  0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 19, 21, 49, 27, 30, 26,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* F602 */ { 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
    /* F802 */ { 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55, 55,  55, 55, 55, 55, 55, 55, 55, 55 },
} };
// clang-format on

constexpr std::size_t FaultCodeLength = 2;
constexpr std::size_t FaultDescriptionStart = 3; // after the code and its separator
constexpr int BitsPerByte = 8;

constexpr PositionTexts FaultDefinitions { FaultTexts, FaultMap, UnallocatedFaultText };

} // namespace

std::string_view FaultTextByIndex(int index)
{
    return FaultDefinitions.TextByIndex(index);
}

int FaultTextIndexAt(std::string_view ecuId, int position)
{
    return FaultDefinitions.IndexAt(ecuId, position);
}

std::string_view FaultTextAt(std::string_view ecuId, int position)
{
    return FaultDefinitions.TextAt(ecuId, position);
}

FaultList FaultListOf(std::string_view ecuId)
{
    return FaultDefinitions.ListOf(ecuId);
}

std::string_view FaultCodeOf(std::string_view text)
{
    return text.substr(0, FaultCodeLength);
}

std::string_view FaultDescriptionOf(std::string_view text)
{
    return text.size() < FaultDescriptionStart ? std::string_view {} : text.substr(FaultDescriptionStart);
}

bool IsCurrentFaultByte(int byte)
{
    return byte == 0 || byte == 1 || byte == 4;
}

DecodedFaults DecodeFaults(const FaultList& list, const FaultBytes& bytes)
{
    DecodedFaults faults;
    for (int byte = 0; byte < FaultByteCount; ++byte) {
        for (int bit = 0; bit < BitsPerByte; ++bit) {
            if ((bytes[static_cast<std::size_t>(byte)] & (1 << bit)) == 0)
                continue;
            const int position = BitsPerByte * byte + bit;
            const std::string_view text = list[static_cast<std::size_t>(position)];
            const DecodedFault fault { position, FaultCodeOf(text), FaultDescriptionOf(text) };
            (IsCurrentFaultByte(byte) ? faults.current : faults.stored).push_back(fault);
        }
    }
    return faults;
}

MilColour MilColourOf(const FaultBytes& bytes)
{
    if (bytes[0] != 0 || bytes[1] != 0 || bytes[4] != 0)
        return MilColour::Red;
    if (bytes[2] != 0 || bytes[3] != 0)
        return MilColour::Yellow;
    return MilColour::Black;
}

std::string FaultListText(const std::vector<DecodedFault>& faults)
{
    std::string text;
    for (const DecodedFault& fault : faults)
        text += "Code " + std::string(fault.code) + "\n" + std::string(fault.description) + "\n\n";
    return text;
}
