#pragma once

#include "link/EcuQueries.h"

#include <array>

// Live values that a test sets directly (`fake.rpm = 850`), for windows that only read them.
struct FakeEcuQueries : EcuQueries, LiveValues {
    std::array<int, RawTableSize> raw {};
    std::string loadSensorName = "MAP";
    std::string iacKindName = "FLOW";
    std::string egrKindName = "FLOW";
    std::string ecuId;
    std::string baudText = "15625";
    bool liveValues = true;
    LiveSettings settings;

    bool HasLiveValues() const override { return liveValues; }
    const LiveValues& Values() const override { return *this; }
    int GetRawValue(int offset) const override
    {
        return offset >= 0 && offset < static_cast<int>(raw.size()) ? raw[static_cast<std::size_t>(offset)]
                                                                    : 0;
    }
    std::string GetLoadSensorName() const override { return loadSensorName; }
    std::string GetIacKindName() const override { return iacKindName; }
    std::string GetEgrKindName() const override { return egrKindName; }
    std::string GetEcuId() const override { return ecuId; }
    std::string GetBaudText() const override { return baudText; }
    const LiveSettings& Settings() const override { return settings; }
};
