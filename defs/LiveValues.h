#pragma once

#include "defs/EcuConstants.h"
#include "defs/FaultCodes.h"
#include "defs/RoleTable.h"
#include "defs/StatusFlags.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The display settings that change how raw bytes are scaled.
struct LiveSettings {
    static constexpr std::string_view kFahrenheit = "F";
    static constexpr std::string_view kMilesPerHour = "MPH";

    std::string temperatureUnit = "C"; // kFahrenheit gives Fahrenheit
    std::string speedUnit = std::string(kMilesPerHour); // converts road speeds to miles per hour
    std::string idleGaugeMode = "IAC"; // "MPG" keeps the MPG figure up to date
    int injectorFlow = 210; // used by the MPG figure
};

// What a role update changed, so the caller can refresh the matching gauge or label.
enum class LiveValueKind {
    None, // no role (55, 49, 50 or an unknown code): only the raw byte counts
    FaultFlags, // any of the five bytes; recolour the fault lamp
    StatusFlags,
    RpmHighByte,
    Rpm,
    RoadSpeed, // in "MPG" mode the MPG figure was updated too
    CoolantTemp,
    AirTemp,
    Load8,
    LoadHighWord,
    Load16,
    TpsPercent,
    TpsVolts,
    O2Bank1,
    O2Bank2,
    Raw17,
    Raw18,
    Iac,
    InjectorHighByte1,
    InjectorPw1,
    InjectorHighByte2,
    InjectorPw2,
    Advance,
    Stft1,
    Stft2,
    Ltft1,
    Ltft2,
    Tft1,
    Tft2,
    Ve,
    Battery,
    Purge,
    TargetIdle,
    IgnitionTrim,
    Egr,
    Baro,
    AtmVss,
    AtmPos,
    AtmStatus,
    EgtTemp,
    IacAdjust,
    TimeFromStart,
};

// Every value the role updates produce, in the units chosen, plus the stored high bytes that the
// low-byte roles combine with. Banks are index 0 (bank 1) and 1 (bank 2). All zero at start.
struct LiveValues {
    int rpm = 0;
    int targetIdle = 0;
    int roadSpeed = 0;
    FaultBytes faultBytes {};
    StatusBytes statusBytes {}; // byte 4 has no role and stays 0
    float batteryVolts = 0;
    std::array<float, 2> o2Volts {};
    float tpsPercent = 0; // a whole number
    float tpsVolts = 0;
    float coolantTemp = 0;
    float airTemp = 0;
    float egtTemp = 0; // a whole number
    int load8 = 0;
    float baro = 0; // a whole number
    int load16 = 0;
    std::array<float, 2> injectorPw {}; // ms
    int iac = 0;
    int iacAdjust = 0;
    std::array<float, 2> stft {};
    std::array<float, 2> ltft {};
    std::array<float, 2> tft {};
    int ve = 0;
    int advance = 0;
    float mpg = 0; // running average
    int purge = 0;
    int egr = 0;
    int ignitionTrim = 0;
    int atmVss = 0;
    int atmPos = 0;
    int atmStatus = 0;
    int timeFromStart = 0;
    int raw17 = 0;
    int raw18 = 0;

    int rpmHighByte = 0;
    int loadHighWord = 0; // high byte x 256
    std::array<int, 2> injectorHighByte {};

    bool operator==(const LiveValues&) const = default;
};

// A role whose value is the polled byte as it is, with nothing to scale.
struct PlainByteRole {
    RoleCode role;
    int LiveValues::*value;
    LiveValueKind kind;
};

inline constexpr std::array<PlainByteRole, 7> PlainByteRoles = { {
    { RoleRpmHigh, &LiveValues::rpmHighByte, LiveValueKind::RpmHighByte },
    { RoleRaw17, &LiveValues::raw17, LiveValueKind::Raw17 },
    { RoleRaw18, &LiveValues::raw18, LiveValueKind::Raw18 },
    { RoleIgnitionTrim, &LiveValues::ignitionTrim, LiveValueKind::IgnitionTrim },
    { RoleAtmVss, &LiveValues::atmVss, LiveValueKind::AtmVss },
    { RoleAtmPos, &LiveValues::atmPos, LiveValueKind::AtmPos },
    { RoleAtmStatus, &LiveValues::atmStatus, LiveValueKind::AtmStatus },
} };

// Runs the update of `role` for one raw byte: scales it with the ECU's constants in single
// precision, rounding after every step and truncating toward zero where a whole number is kept.
LiveValueKind ApplyRoleUpdate(LiveValues& values, int role, std::uint8_t raw,
    const EcuConstantsRow& constants, const LiveSettings& settings);

// One fuel economy reading in UK miles per gallon from engine speed, bank 2 pulse width (ms),
// road speed and injector flow: 99 when the pulse width or the road speed is 0, and at most 99.
float MpgReading(int rpm, float pulseWidthBank2, int roadSpeed, int injectorFlow);
// Folds a new reading into the running MPG figure over the ECU's averaging count. A figure that
// rounding would hold one step short of a steady reading moves that last step, so a steady 99
// reads 99 and not 98.99998.
void UpdateMpgFigure(LiveValues& values, const EcuConstantsRow& constants, const LiveSettings& settings);
