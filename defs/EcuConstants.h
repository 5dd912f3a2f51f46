#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The columns of the per-ECU constants record, in their fixed order.
enum class EcuConstant {
    BaseAddress, // used as an integer
    EndAddress, // used as an integer
    LoadSensorKind, // 0 MAP, 1 VAF, other MAF
    RpmFactor,
    RpmOffset,
    TpsFactor,
    TpsVoltFactor,
    SpeedFactor,
    SpeedOffset,
    InjectorFactor,
    UnusedColumn10, // read by no formula; kept so the later columns keep their numbers
    CoolantFactor,
    CoolantOffset,
    AirTempFactor,
    AirTempOffset, // used truncated
    MpgAverageCount, // used as an integer
    AdvanceFactor,
    AdvanceOffset,
    O2Divisor,
    LoadFactor,
    LoadOffset,
    TargetIdleFactor,
    TargetIdleOffset,
    EgtFactor,
    TrimFactor,
    IacKind, // 0 FLOW, 1 DC, other POS
    IacFactor,
    IacOffset,
    IacAdjFactor,
    IacAdjOffset,
    VeFactor,
    VeOffset,
    BatteryDivisor,
    PurgeFactor,
    EgrKind, // 0 FLOW, other POS
    EgrFactor,
    EcuFeatureFlags, // used as an integer
};
inline constexpr int EcuConstantCount = static_cast<int>(EcuConstant::EcuFeatureFlags) + 1;

// One ECU's 37 single-precision constants. A default-constructed record is all zero, which is
// what the connection logic holds before a fully supported ECU is identified.
struct EcuConstantsRow {
    std::array<float, EcuConstantCount> values {};

    float operator[](EcuConstant column) const { return values[static_cast<std::size_t>(column)]; }
    // Columns used as integers or compared as kinds are truncated toward zero.
    int Truncated(EcuConstant column) const { return static_cast<int>((*this)[column]); }
};

// The record of table row 0..17; any other row number gives the default row.
const EcuConstantsRow& ConstantsRowAt(int row);
float ConstantOf(std::string_view ecuId, EcuConstant column);

// "MAP", "VAF" or "MAF" by the load sensor kind.
std::string_view LoadSensorName(std::string_view ecuId);
// "FLOW", "DC" or "POS" by the idle-air actuator kind.
std::string_view IacKindName(std::string_view ecuId);
// "FLOW" or "POS" by the EGR actuator kind.
std::string_view EgrKindName(std::string_view ecuId);

// The same names from a record already copied out of the table.
std::string_view LoadSensorName(const EcuConstantsRow& constants);
std::string_view IacKindName(const EcuConstantsRow& constants);
std::string_view EgrKindName(const EcuConstantsRow& constants);
