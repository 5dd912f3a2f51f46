#include "sim/SceneEncoder.h"

#include "defs/EcuIdentification.h"
#include "defs/StatusFlags.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double ByteMax = 255.0;
constexpr double WordMax = 65535.0;
constexpr int ByteBits = 8;
constexpr int ByteMask = 0xFF;
constexpr int TrimNeutral = 128;
constexpr double TpsVoltsPerStep = 5.0 * 0.00390625; // the 5 V reference over 256 steps
constexpr double InjectorSecondsPerStep = 0.001;
constexpr double TimeFromStartMax = 510.0;
constexpr double SecondsPerTimeStep = 2.0;

constexpr std::uint8_t StoredFaultMask = 0x40; // in fault byte 2
constexpr std::uint8_t CurrentFaultMask = 0x01; // in fault byte 0
constexpr std::uint8_t AtmDriveRange = 0x04;

// What ECUs without a row answer: fault bytes, a warm idle and the rest quiet.
// address:                             0     1     2     3     4     5     6     7
constexpr std::array<std::uint8_t, 8> FixedMemoryStart { 0x00, 0x00, 0x40, 0x00, 0x03, 0x20, 0x00, 0xD0 };

std::uint8_t ClampByte(double raw)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(raw, 0.0, ByteMax)));
}

int ClampWord(double raw, double max)
{
    return static_cast<int>(std::lround(std::clamp(raw, 0.0, max)));
}

std::uint8_t HighByte(int word)
{
    return static_cast<std::uint8_t>(word >> ByteBits);
}
std::uint8_t LowByte(int word)
{
    return static_cast<std::uint8_t>(word & ByteMask);
}

// The status flags the scene drives, by their index in the status text table; every other flag
// stays at its off-text.
struct StatusFlagSource {
    int textIndex;
    bool EngineState::*state;
};

// clang-format off
constexpr std::array<StatusFlagSource, 12> StatusFlagSources { {
    {  4, &EngineState::fuelPump },          // Fuel Pump
    {  5, &EngineState::closedLoop },        // Closed Loop
    {  6, &EngineState::o2Active },          // O2S Activated
    {  7, &EngineState::richMixture },       // Rich/Lean Monitor
    {  9, &EngineState::idlePosition },      // Idle Position
    { 10, &EngineState::egrOn },             // EGR Valve
    { 11, &EngineState::purgeOn },           // Evap. Can. Purge
    { 25, &EngineState::radiatorFan },       // Radiator Fan
    { 45, &EngineState::richMixture },       // Rich/Lean Monitor B1
    { 46, &EngineState::richMixtureBank2 },  // Rich/lean Monitor B2
    { 47, &EngineState::o2Active },          // O2S B1 Activated
    { 48, &EngineState::o2Active },          // O2S B2 Activated
} };
// clang-format on
constexpr int DriveRangeTextIndex = 40; // D Range Shift Switch: on while a gear is in
constexpr int StatusBitsPerByte = 8;
constexpr std::uint8_t StatusFirstBitMask = 0x80; // positions count from the most significant bit

bool StatusFlagOn(int textIndex, const EngineState& state)
{
    if (textIndex == DriveRangeTextIndex)
        return state.gear > 0;
    const auto source = std::find_if(StatusFlagSources.begin(), StatusFlagSources.end(),
        [textIndex](const StatusFlagSource& s) { return s.textIndex == textIndex; });
    return source != StatusFlagSources.end() && state.*(source->state);
}

} // namespace

struct SceneEncoder::Packed {
    int rpm;
    int load;
    std::array<int, 2> injector;
    StatusBytes status;
};

SceneEncoder::SceneEncoder(std::string_view ecuId)
    : m_ecuId(ecuId)
    , m_hasRow(ClassifyEcuId(ecuId) == SupportFull)
    , m_roles(RoleRowAt(EcuRowOf(ecuId)))
    , m_constants(ConstantsRowAt(EcuRowOf(ecuId)))
{
}

bool SceneEncoder::RowHasRole(int role) const
{
    return std::find(m_roles.begin(), m_roles.end(), role) != m_roles.end();
}

StatusBytes SceneEncoder::StatusBytesOf(const EngineState& state) const
{
    StatusBytes bytes {};
    for (int position = 0; position < StatusPositionCount; ++position) {
        if (StatusFlagOn(StatusTextIndexAt(m_ecuId, position), state))
            bytes[static_cast<std::size_t>(position / StatusBitsPerByte)]
                |= static_cast<std::uint8_t>(StatusFirstBitMask >> (position % StatusBitsPerByte));
    }
    return bytes;
}

SceneEncoder::Packed SceneEncoder::PackedOf(const EngineState& state) const
{
    const auto& c = m_constants;
    // A low byte whose row has no high byte combines with 0: then the byte alone carries the value.
    const auto wordMax = [this](int highRole) { return RowHasRole(highRole) ? WordMax : ByteMax; };
    const double injectorStep = InjectorSecondsPerStep * c[EcuConstant::InjectorFactor];
    const double load = state.LoadFor(c.Truncated(EcuConstant::LoadSensorKind));
    return {
        ClampWord((state.rpm - c[EcuConstant::RpmOffset]) / c[EcuConstant::RpmFactor], wordMax(RoleRpmHigh)),
        ClampWord((load + c[EcuConstant::LoadOffset]) / c[EcuConstant::LoadFactor], wordMax(RoleLoadHigh)),
        { ClampWord(state.injectorMs[0] / injectorStep, wordMax(RoleInjectorHigh1)),
            ClampWord(state.injectorMs[1] / injectorStep, wordMax(RoleInjectorHigh2)) },
        StatusBytesOf(state),
    };
}

std::uint8_t SceneEncoder::ByteFor(int role, const EngineState& s, const Packed& packed) const
{
    const auto& c = m_constants;
    switch (role) {
    case RoleFaultFlags0:
        return s.currentFault ? CurrentFaultMask : 0;
    case RoleFaultFlags2:
        return s.storedFault ? StoredFaultMask : 0;
    case RoleRpmHigh:
        return HighByte(packed.rpm);
    case RoleRpm:
        return LowByte(packed.rpm);
    case RoleRoadSpeed:
        return ClampByte((s.roadSpeedKph - c[EcuConstant::SpeedOffset]) / c[EcuConstant::SpeedFactor]);
    case RoleCoolantTemp:
        return ClampByte((s.coolantC + c[EcuConstant::CoolantOffset]) / c[EcuConstant::CoolantFactor]);
    case RoleAirTemp:
        return ClampByte((s.airC + c.Truncated(EcuConstant::AirTempOffset)) / c[EcuConstant::AirTempFactor]);
    case RoleLoad8:
        return ClampByte((s.LoadFor(c.Truncated(EcuConstant::LoadSensorKind)) - c[EcuConstant::LoadOffset])
            / c[EcuConstant::LoadFactor]);
    case RoleLoadHigh:
        return HighByte(packed.load);
    case RoleLoad16:
    case RoleLoad16Alt:
        return LowByte(packed.load);
    case RoleTpsPercent:
        return ClampByte(s.tpsPercent / c[EcuConstant::TpsFactor]);
    case RoleTpsVolts:
        return ClampByte(s.tpsVolts / (c[EcuConstant::TpsVoltFactor] * TpsVoltsPerStep));
    case RoleO2Bank1:
        return ClampByte(s.o2Volts[0] * c[EcuConstant::O2Divisor]);
    case RoleO2Bank2:
        return ClampByte(s.o2Volts[1] * c[EcuConstant::O2Divisor]);
    case RoleIac:
        return ClampByte((s.iac - c[EcuConstant::IacOffset]) / c[EcuConstant::IacFactor]);
    case RoleInjectorHigh1:
        return HighByte(packed.injector[0]);
    case RoleInjectorPw1:
        return LowByte(packed.injector[0]);
    case RoleInjectorHigh2:
        return HighByte(packed.injector[1]);
    case RoleInjectorPw2:
        return LowByte(packed.injector[1]);
    case RoleAdvance:
        return ClampByte((s.advanceDegrees - c[EcuConstant::AdvanceOffset]) / c[EcuConstant::AdvanceFactor]);
    case RoleStft1:
        return ClampByte(TrimNeutral + s.stftSteps[0]);
    case RoleStft2:
        return ClampByte(TrimNeutral + s.stftSteps[1]);
    case RoleLtft1:
        return ClampByte(TrimNeutral + s.ltftSteps[0]);
    case RoleLtft2:
        return ClampByte(TrimNeutral + s.ltftSteps[1]);
    case RoleTft1:
        return ClampByte(TrimNeutral + s.stftSteps[0] + s.ltftSteps[0]);
    case RoleTft2:
        return ClampByte(TrimNeutral + s.stftSteps[1] + s.ltftSteps[1]);
    case RoleVe:
        return ClampByte((s.vePercent + c[EcuConstant::VeOffset]) / c[EcuConstant::VeFactor]);
    case RoleBattery:
        return ClampByte(s.batteryVolts * c[EcuConstant::BatteryDivisor]);
    case RolePurge:
        return ClampByte(s.purgePercent / c[EcuConstant::PurgeFactor]);
    case RoleTargetIdle:
        return ClampByte(
            (s.targetIdleRpm - c[EcuConstant::TargetIdleOffset]) / c[EcuConstant::TargetIdleFactor]);
    case RoleEgr:
        return ClampByte(s.egr / c[EcuConstant::EgrFactor]);
    case RoleBaro:
        return ClampByte((s.baroMbar - c[EcuConstant::LoadOffset]) / c[EcuConstant::LoadFactor]);
    case RoleAtmVss:
        return ClampByte(s.roadSpeedKph);
    case RoleAtmPos:
        return s.gear > 0 ? AtmDriveRange : 0;
    case RoleEgtTemp:
        return ClampByte(s.exhaustC / c[EcuConstant::EgtFactor]);
    case RoleIacAdjust:
        return ClampByte((s.iacAdjust + c[EcuConstant::IacAdjOffset]) / c[EcuConstant::IacAdjFactor]);
    case RoleTimeFromStart:
        return ClampByte((TimeFromStartMax - s.seconds) / SecondsPerTimeStep);
    case RoleStatusFlags0:
    case RoleStatusFlags1:
    case RoleStatusFlags2:
    case RoleStatusFlags3:
        return packed.status[static_cast<std::size_t>(role - RoleStatusFlags0)];
    default:
        // Fault bytes 1, 3 and 4, the transmission status and roles the engine model does not drive.
        return 0;
    }
}

EcuMemory SceneEncoder::Encode(const EngineState& state) const
{
    EcuMemory memory {};
    if (!m_hasRow) {
        std::copy(FixedMemoryStart.begin(), FixedMemoryStart.end(), memory.begin());
        return memory;
    }
    const Packed packed = PackedOf(state);
    const int base = m_constants.Truncated(EcuConstant::BaseAddress);
    for (int offset = 0; offset < RoleOffsetCount; ++offset) {
        const auto address = static_cast<std::size_t>((base + offset) % EcuMemoryBytes);
        memory[address] = ByteFor(m_roles[static_cast<std::size_t>(offset)], state, packed);
    }
    return memory;
}
