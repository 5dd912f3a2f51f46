#pragma once

#include "link/EcuQueries.h"

#include <array>

// Live values that a test sets directly, for windows that only read them.
struct FakeEcuQueries : EcuQueries {
    std::array<int, 64> raw {};
    float rpm = 0;
    int targetIdle = 0;
    int roadSpeed = 0;
    std::array<int, 5> faultBytes {};
    std::array<int, 4> statusBytes {};
    float batteryVolts = 0;
    std::array<float, 2> o2Volts {};
    float tpsPercent = 0;
    float tpsVolts = 0;
    float coolantTemp = 0;
    float airTemp = 0;
    float egtTemp = 0;
    std::string loadSensorName = "MAP";
    int load8 = 0;
    float baro = 0;
    int load16 = 0;
    std::array<float, 2> injectorPw {};
    std::string iacKindName = "FLOW";
    int iac = 0;
    int iacAdjust = 0;
    std::array<float, 2> stft {};
    std::array<float, 2> ltft {};
    std::array<float, 2> tft {};
    int ve = 0;
    int advance = 0;
    float mpg = 0;
    int purge = 0;
    int egr = 0;
    int ignitionTrim = 0;
    int atmVss = 0;
    int atmPos = 0;
    int atmStatus = 0;
    int timeFromStart = 0;
    std::string egrKindName = "FLOW";
    std::string ecuId;
    std::string baudText = "15625";
    bool liveValues = true;

    bool HasLiveValues() const override { return liveValues; }

    int GetRawValue(int offset) const override
    {
        return offset >= 0 && offset < static_cast<int>(raw.size()) ? raw[static_cast<std::size_t>(offset)] : 0;
    }
    float GetRpm() const override { return rpm; }
    int GetTargetIdle() const override { return targetIdle; }
    int GetRoadSpeed() const override { return roadSpeed; }
    int GetFaultByte(int index) const override { return faultBytes.at(static_cast<std::size_t>(index)); }
    int GetStatusByte(int index) const override { return statusBytes.at(static_cast<std::size_t>(index)); }
    float GetBatteryVolts() const override { return batteryVolts; }
    float GetO2Volts(int bank) const override { return o2Volts.at(static_cast<std::size_t>(bank)); }
    float GetTpsPercent() const override { return tpsPercent; }
    float GetTpsVolts() const override { return tpsVolts; }
    float GetCoolantTemp() const override { return coolantTemp; }
    float GetAirTemp() const override { return airTemp; }
    float GetEgtTemp() const override { return egtTemp; }
    std::string GetLoadSensorName() const override { return loadSensorName; }
    int GetLoad8() const override { return load8; }
    float GetBaro() const override { return baro; }
    int GetLoad16() const override { return load16; }
    float GetInjectorPw(int bank) const override { return injectorPw.at(static_cast<std::size_t>(bank)); }
    std::string GetIacKindName() const override { return iacKindName; }
    int GetIac() const override { return iac; }
    int GetIacAdjust() const override { return iacAdjust; }
    float GetStft(int bank) const override { return stft.at(static_cast<std::size_t>(bank)); }
    float GetLtft(int bank) const override { return ltft.at(static_cast<std::size_t>(bank)); }
    float GetTft(int bank) const override { return tft.at(static_cast<std::size_t>(bank)); }
    int GetVe() const override { return ve; }
    int GetAdvance() const override { return advance; }
    float GetMpg() const override { return mpg; }
    int GetPurge() const override { return purge; }
    int GetEgr() const override { return egr; }
    int GetIgnitionTrim() const override { return ignitionTrim; }
    int GetAtmVss() const override { return atmVss; }
    int GetAtmPos() const override { return atmPos; }
    int GetAtmStatus() const override { return atmStatus; }
    int GetTimeFromStart() const override { return timeFromStart; }
    std::string GetEgrKindName() const override { return egrKindName; }
    std::string GetEcuId() const override { return ecuId; }
    std::string GetBaudText() const override { return baudText; }
};
