#pragma once

#include <array>
#include <string_view>

// What a polled byte is, by its address offset from the ECU's base address.
enum RoleCode : int {
    RoleFaultFlags0 = 0,
    RoleFaultFlags1 = 1,
    RoleFaultFlags2 = 2,
    RoleFaultFlags3 = 3,
    RoleRpmHigh = 4,
    RoleRpm = 5,
    RoleRoadSpeed = 6,
    RoleCoolantTemp = 7,
    RoleAirTemp = 8,
    RoleLoad8 = 9,
    RoleLoadHigh = 10,
    RoleLoad16 = 11,
    RoleLoad16Alt = 12,
    RoleTpsPercent = 13,
    RoleTpsVolts = 14,
    RoleO2Bank1 = 15,
    RoleO2Bank2 = 16,
    RoleRaw17 = 17,
    RoleRaw18 = 18,
    RoleIac = 19,
    RoleInjectorHigh1 = 20,
    RoleInjectorPw1 = 21,
    RoleInjectorHigh2 = 22,
    RoleInjectorPw2 = 23,
    RoleAdvance = 24,
    RoleStft1 = 25,
    RoleLtft1 = 26,
    RoleStft2 = 27,
    RoleLtft2 = 28,
    RoleVe = 29,
    RoleBattery = 30,
    RolePurge = 31,
    RoleStatusFlags0 = 32,
    RoleStatusFlags1 = 33,
    RoleStatusFlags2 = 34,
    RoleStatusFlags3 = 35,
    RoleTargetIdle = 36,
    RoleIgnitionTrim = 37,
    RoleEgr = 38,
    RoleBaro = 39,
    RoleAtmVss = 40,
    RoleAtmPos = 41,
    RoleAtmStatus = 42,
    RoleFaultFlags4 = 43,
    RoleEgtTemp = 44,
    RoleTft1 = 45,
    RoleTft2 = 46,
    RoleIacAdjust = 47,
    RoleTimeFromStart = 48,
    RoleUnused49 = 49, // in some rows; no update
    RoleUnused50 = 50, // in some rows; no update
    RoleNone = 55, // the byte is only kept as a raw value
};

inline constexpr int RoleOffsetCount = 50;
using RoleRow = std::array<int, RoleOffsetCount>;

// The 50 roles of table row 0..17; any other row number gives the default row.
const RoleRow& RoleRowAt(int row);
// A row without any role, for use while no fully supported ECU is loaded: polled bytes are then
// kept as raw values only instead of being taken for fault flags.
const RoleRow& EmptyRoleRow();

// The role at an address offset; RoleNone outside 0..49.
int RoleAt(std::string_view ecuId, int offset);
int RoleAt(const RoleRow& roles, int offset);
