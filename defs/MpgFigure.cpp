#include "defs/LiveValues.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float MaxReading = 99.0f; // also the reading when standing still or coasting
constexpr float InjectorDeadTimeMs = 0.64f;
constexpr float FuelFormulaFactor = 2.0f; // the doubling the fuel formula applies
constexpr float SecondsPerMs = 0.001f;
constexpr float UkGallonsPerCc = 0.0002199f;
constexpr float HoursPerMinute = 1.0f / 60.0f;
constexpr float SmallestDistance = 0.00001f;

} // namespace

float MpgReading(int rpm, float pulseWidthBank2, int roadSpeed, int injectorFlow)
{
    if (pulseWidthBank2 == 0.0f || roadSpeed == 0)
        return MaxReading;
    float fuel = static_cast<float>(rpm) * (pulseWidthBank2 - InjectorDeadTimeMs);
    fuel = fuel * FuelFormulaFactor;
    fuel = fuel * SecondsPerMs;
    fuel = static_cast<float>(injectorFlow) * fuel;
    fuel = fuel * UkGallonsPerCc;
    float distance = static_cast<float>(roadSpeed) * HoursPerMinute;
    if (distance == 0.0f)
        distance = SmallestDistance;
    // No fuel (engine stopped, pulse within the injector's dead time) means no consumption: the
    // reading is the top of the scale, never a negative or infinite figure that would stick in
    // the running average.
    if (!(fuel > 0.0f))
        return MaxReading;
    return std::min(distance / fuel, MaxReading);
}

void UpdateMpgFigure(LiveValues& values, const EcuConstantsRow& constants, const LiveSettings& settings)
{
    const float reading
        = MpgReading(values.rpm, values.injectorPw[1], values.roadSpeed, settings.injectorFlow);
    // A record without an averaging count (nothing loaded yet) takes each reading as it is.
    const int count = std::max(constants.Truncated(EcuConstant::MpgAverageCount), 1);
    const float history = static_cast<float>(count - 1) * values.mpg;
    const float averaged = (history + reading) / static_cast<float>(count);
    // Rounding to single precision stalls the average a step or two short of a steady reading.
    values.mpg = averaged == values.mpg && averaged != reading ? std::nextafter(averaged, reading) : averaged;
}
