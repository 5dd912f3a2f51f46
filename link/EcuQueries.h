#pragma once

#include <string>

// The live values of the connected ECU as the other windows read them: each query returns the
// latest value and changes nothing. Banks are 0 and 1; temperatures and road speed come in the
// units the user chose. The connection logic implements it; tests use a fake.
class EcuQueries {
public:
    static constexpr int RawTableSize = 64;
    // Status bytes 0..3 come from the ECU; byte 4 has no role and reads 0.
    static constexpr int FilledStatusBytes = 4;

    virtual ~EcuQueries() = default;

    // Whether the values below are live: the ECU is identified and connected, a whole sweep of its
    // addresses has been read since, and it has answered within the last whole sweep. False at
    // "Waiting to Connect", without an interface and once a sweep's worth of requests went
    // unanswered; the values then are the last ones received and must not be shown as current.
    virtual bool HasLiveValues() const = 0;

    virtual int GetRawValue(int offset) const = 0; // RawDataTable entry 0..RawTableSize - 1; 0 outside
    virtual float GetRpm() const = 0;
    virtual int GetTargetIdle() const = 0;
    virtual int GetRoadSpeed() const = 0;
    virtual int GetFaultByte(int index) const = 0; // 0..4
    virtual int GetStatusByte(int index) const = 0; // 0..FilledStatusBytes - 1
    virtual float GetBatteryVolts() const = 0;
    virtual float GetO2Volts(int bank) const = 0;
    virtual float GetTpsPercent() const = 0;
    virtual float GetTpsVolts() const = 0;
    virtual float GetCoolantTemp() const = 0;
    virtual float GetAirTemp() const = 0;
    virtual float GetEgtTemp() const = 0;
    virtual std::string GetLoadSensorName() const = 0; // "MAP", "VAF" or "MAF"
    virtual int GetLoad8() const = 0;
    virtual float GetBaro() const = 0;
    virtual int GetLoad16() const = 0;
    virtual float GetInjectorPw(int bank) const = 0;
    virtual std::string GetIacKindName() const = 0; // "FLOW", "DC" or "POS"
    virtual int GetIac() const = 0;
    virtual int GetIacAdjust() const = 0;
    virtual float GetStft(int bank) const = 0;
    virtual float GetLtft(int bank) const = 0;
    virtual float GetTft(int bank) const = 0;
    virtual int GetVe() const = 0;
    virtual int GetAdvance() const = 0;
    virtual float GetMpg() const = 0;
    virtual int GetPurge() const = 0;
    virtual int GetEgr() const = 0;
    virtual int GetIgnitionTrim() const = 0;
    virtual int GetAtmVss() const = 0;
    virtual int GetAtmPos() const = 0;
    virtual int GetAtmStatus() const = 0;
    virtual int GetTimeFromStart() const = 0;
    virtual std::string GetEgrKindName() const = 0; // "FLOW" or "POS"
    virtual std::string GetEcuId() const = 0; // empty until the first identification
    virtual std::string GetBaudText() const = 0;
};
