#pragma once

#include "defs/LiveValues.h"

#include <string>
#include <string_view>

// The live values of the connected ECU as the other windows read them: each query returns the
// latest value and changes nothing. Temperatures and road speed come in the units the user chose.
// The connection logic implements it; tests use a fake.
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

    // The latest live values; the live value catalogue says how each one is read and shown.
    virtual const LiveValues& Values() const = 0;
    virtual int GetRawValue(int offset) const = 0; // RawDataTable entry 0..RawTableSize - 1; 0 outside
    virtual std::string GetLoadSensorName() const = 0; // "MAP", "VAF" or "MAF"
    virtual std::string GetIacKindName() const = 0; // "FLOW", "DC" or "POS"
    virtual std::string GetEgrKindName() const = 0; // "FLOW" or "POS"
    virtual std::string GetEcuId() const = 0; // empty until the first identification
    virtual std::string GetBaudText() const = 0;
    // The units the temperatures and road speed come in, among the other display settings.
    virtual const LiveSettings& Settings() const = 0;

    // Whether the values come from a log being replayed rather than from the ECU.
    virtual bool IsReplay() const { return false; }
    // Whether the value of that catalogue identifier is known now: always from the ECU; from a
    // log only when it holds the value and the row has it.
    virtual bool HoldsValue(std::string_view /*name*/) const { return true; }
};
