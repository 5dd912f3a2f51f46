#pragma once

#include <array>
#include <optional>
#include <string_view>

// How much the program knows about an ECU, decided by its four-hex-digit ID.
enum EcuSupport { SupportNone = 0, SupportFull = 1, SupportObd2 = 2 };

// Every per-ECU table has the default row 0 followed by one row per known ID, in this order.
inline constexpr int KnownEcuCount = 17;
inline constexpr int DefaultEcuRow = 0;
inline constexpr int EcuRowCount = KnownEcuCount + 1;

// clang-format off
inline constexpr std::array<std::string_view, KnownEcuCount> KnownEcuIds {
    "1103", "1112", "1202", "1253", "1453", "1601", // rows 1..6
    "1701", "1702", "17E2", "1843", "1881", "1901", // rows 7..12
    "1902", "1903", "1943", "F602", "F802",         // rows 13..17
};
// clang-format on

// OBD2 units are recognised but have no row of their own: they use the default row.
inline constexpr std::array<std::string_view, 3> Obd2EcuIds { "1B34", "1B41", "1B84" };

// The bits of the feature flags; each enables one actuator test. Only the low eight bits count.
enum EcuFeature : int {
    FeatureRpmControl = 1,
    FeatureFixAdvance = 2,
    FeatureIacCalibration = 4,
    FeatureEgrSolControl = 8,
    FeatureEgrStepControl = 16,
    FeatureRadFanControl = 32,
    FeatureCanPurgeControl = 64,
    FeatureFuelPumpControl = 128,
};
inline constexpr int EcuFeatureMask = 0xFF;

// IDs are compared exactly, letter case included: "17e2" is not a known ID.
EcuSupport ClassifyEcuId(std::string_view ecuId);
// Row 1..17 of a known ID; 0 for anything else (OBD2 IDs and the empty text included).
int EcuRowOf(std::string_view ecuId);
// The feature flags of the ECU's row; IDs without a row get the default row's flags.
int FeatureFlagsOf(std::string_view ecuId);

// The display mode that the data viewer and the data logger take for an identified ECU: 1 shows
// a fully supported ECU's values scaled under their names, 0 an unknown one's raw bytes. None for
// an OBD2 unit, which leaves them as they were.
std::optional<int> DisplayModeFor(EcuSupport support);
