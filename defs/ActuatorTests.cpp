#include "defs/ActuatorTests.h"

#include "defs/TranslatableText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

using Kind = ActuatorCommandKind;
using Monitor = ActuatorMonitor;

// clang-format off
constexpr std::array<ActuatorTest, ActuatorTestCount> Tests { {
    { 1, DAZED_TRANSLATABLE("TActuatorForm", "RPM Control"), "RPMControl1", DAZED_TRANSLATABLE("TActuatorForm", "RPM Control"), DAZED_TRANSLATABLE("TActuatorForm", "Set Target Idle"), "800", { DAZED_TRANSLATABLE("TActuatorForm", "Target Idle"), "RPM", "CTS", "VSS" }, 0x01, Kind::TargetIdleRpm, Monitor::TargetIdle },
    { 2, DAZED_TRANSLATABLE("TActuatorForm", "Fix Advance"), "FixAdvance1", DAZED_TRANSLATABLE("TActuatorForm", "Fix Advance"), DAZED_TRANSLATABLE("TActuatorForm", "Fix Spark Advance"), "---", { DAZED_TRANSLATABLE("TActuatorForm", "Ign Adv"), "RPM", "CTS", "VSS" }, 0x02, Kind::FixedAdvance,  Monitor::Advance },
    { 3, DAZED_TRANSLATABLE("TActuatorForm", "IAC Calibration"), "IACCalibration1", DAZED_TRANSLATABLE("TActuatorForm", "IAC Calibration"), DAZED_TRANSLATABLE("TActuatorForm", "Set IAC CAl"), "---", { DAZED_TRANSLATABLE("TActuatorForm", "IAC Adjust Mon."), "RPM", "CTS", "VSS" }, 0x04, Kind::NoValue,       Monitor::IacAdjust },
    { 4, DAZED_TRANSLATABLE("TActuatorForm", "EGR Sol. Control"), "EGRSolControl1", DAZED_TRANSLATABLE("TActuatorForm", "EGR Solenoid Control"), DAZED_TRANSLATABLE("TActuatorForm", "EGR Solenoid"), "---", { "---", "RPM", "CTS", "VSS" }, 0x08, Kind::NoValue,       Monitor::None },
    { 5, DAZED_TRANSLATABLE("TActuatorForm", "EGR Step Control"), "EGRStepControl1", DAZED_TRANSLATABLE("TActuatorForm", "EGR Stepper Control"), DAZED_TRANSLATABLE("TActuatorForm", "EGR Position (%)"), "0", { DAZED_TRANSLATABLE("TActuatorForm", "EGR"), "RPM", "CTS", "VSS" }, 0x10, Kind::EgrPosition,   Monitor::Egr },
    { 6, DAZED_TRANSLATABLE("TActuatorForm", "Rad.Fan Control"), "RadFanControl1", DAZED_TRANSLATABLE("TActuatorForm", "Radiator Fan Control"), DAZED_TRANSLATABLE("TActuatorForm", "Radiator Fan"), "---", { "---", "RPM", "CTS", "VSS" }, 0x20, Kind::NoValue,       Monitor::None },
    { 7, DAZED_TRANSLATABLE("TActuatorForm", "Can. Purge Control"), "CanPurgeControl1", DAZED_TRANSLATABLE("TActuatorForm", "Can. Purge Sol. Control"), DAZED_TRANSLATABLE("TActuatorForm", "Can. Purge"), "---", { "---", "RPM", "CTS", "VSS" }, 0x40, Kind::NoValue,       Monitor::None },
    { 8, DAZED_TRANSLATABLE("TActuatorForm", "Fuel Pump Control"), "FuelPumpControl1", DAZED_TRANSLATABLE("TActuatorForm", "Fuel Pump Control"), DAZED_TRANSLATABLE("TActuatorForm", "Fuel Pump"), "---", { "---", "RPM", "CTS", "VSS" }, 0x80, Kind::NoValue,       Monitor::None },
} };
// clang-format on

// The first line states the target idle range above (two blanks after "between", as always shown).
constexpr std::array<const char*, ActuatorConditionCount> Conditions {
    DAZED_TRANSLATABLE("TActuatorForm", "Maintain RPM between  500RPM and 2000RPM"),
    DAZED_TRANSLATABLE("TActuatorForm", "Maintain Coolant temp above 70C"),
    DAZED_TRANSLATABLE("TActuatorForm", "Maintain VSS = 0"),
    DAZED_TRANSLATABLE("TActuatorForm", "Maintain Throttle closed"),
};

constexpr double RpmToIdleSteps = 0.12750223128904756; // one idle step is 7.843 rpm
constexpr int FixedAdvanceValue = 16;
constexpr int MaxEgrPosition = 255; // the one data byte

// `text` as a whole number, blanks around it allowed; a sign is taken so that "-5" is reported as
// out of range rather than as no number at all.
std::optional<long long> SignedWholeNumber(std::string_view text)
{
    constexpr std::string_view Blanks = " \t";
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(Blanks) - first + 1);
    long long value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

constexpr const char* NotAWholeNumber
    = DAZED_TRANSLATABLE("TActuatorForm", "'%1' is not a valid integer value");

// `text` as a whole number from `min` to `max`, or the refusal `outOfRange` when it is outside them.
ActuatorCommand WholeNumberWithin(std::string_view text, int min, int max, const char* outOfRange)
{
    const std::optional<long long> number = SignedWholeNumber(text);
    if (!number)
        return { 0, ActuatorRefusal { NotAWholeNumber, std::string(text), min, max } };
    if (*number < min || *number > max)
        return { 0, ActuatorRefusal { outOfRange, std::string(text), min, max } };
    return { static_cast<int>(*number), std::nullopt };
}

} // namespace

std::span<const ActuatorTest> ActuatorTests()
{
    return Tests;
}

const ActuatorTest* FindActuatorTest(int number)
{
    const auto test = std::find_if(
        Tests.begin(), Tests.end(), [number](const ActuatorTest& t) { return t.number == number; });
    return test == Tests.end() ? nullptr : &*test;
}

const std::array<const char*, ActuatorConditionCount>& ActuatorConditions()
{
    return Conditions;
}

ActuatorCommand ActuatorCommandValue(int number, std::string_view text, int previousValue)
{
    const ActuatorTest* test = FindActuatorTest(number);
    if (test == nullptr)
        return { previousValue, std::nullopt };
    switch (test->command) {
    case Kind::FixedAdvance:
        return { FixedAdvanceValue, std::nullopt };
    case Kind::NoValue:
        return { previousValue, std::nullopt };
    case Kind::EgrPosition:
        return WholeNumberWithin(text, 0, MaxEgrPosition,
            DAZED_TRANSLATABLE(
                "TActuatorForm", "'%1' is not a valid EGR position: enter a whole number from %2 to %3"));
    case Kind::TargetIdleRpm: {
        // The ECU holds an idle only between the speeds its conditions name.
        const ActuatorCommand rpm = WholeNumberWithin(text, MinTargetIdleRpm, MaxTargetIdleRpm,
            DAZED_TRANSLATABLE("TActuatorForm",
                "'%1' is not a valid target idle: enter a whole number of rpm from %2 to %3"));
        if (rpm.refusal)
            return rpm;
        return { static_cast<int>(std::trunc(rpm.value * RpmToIdleSteps)), std::nullopt };
    }
    }
    return { previousValue, std::nullopt };
}

std::string ActuatorRefusal::Worded(std::string_view wording) const
{
    // %1, %2 and %3 in that order; each is filled from the wording alone, so a '%' typed by the
    // user stays as typed.
    const std::array<std::string, 3> fillings { typed, std::to_string(min), std::to_string(max) };
    std::string worded;
    for (std::size_t i = 0; i < wording.size(); ++i) {
        const char digit = i + 1 < wording.size() ? wording[i + 1] : '\0';
        const bool place
            = wording[i] == '%' && digit >= '1' && digit < '1' + static_cast<int>(fillings.size());
        if (place) {
            worded += fillings.at(static_cast<std::size_t>(digit - '1'));
            ++i;
        } else {
            worded += wording[i];
        }
    }
    return worded;
}

std::string ActuatorTestList()
{
    std::string list = "  0  Cancel (ends any running test)\n";
    for (const ActuatorTest& test : Tests)
        list += "  " + std::to_string(test.number) + "  " + test.entryCaption + "\n";
    return list;
}
