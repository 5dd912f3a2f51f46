#include "sim/EngineModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The drive cycle: idle, drive off, cruise, slow down, idle again (seconds into the cycle).
constexpr double IdleUntil = 8.0;
constexpr double AcceleratedBy = 16.0;
constexpr double CruiseUntil = 26.0;
constexpr double StoppedBy = 34.0;

constexpr double WarmIdleRpm = 800.0;
constexpr double ColdIdleRpm = 950.0;
constexpr double IdleWobbleRpm = 15.0;
constexpr double IdleWobblePeriod = 2.0;
constexpr double CruiseExtraRpm = 2600.0;
constexpr double CruiseSpeedKph = 95.0;

constexpr double ColdCoolantC = 15.0;
constexpr double WarmCoolantC = 90.0;
constexpr double WarmUpTimeConstant = 60.0; // seconds; close to warm after about four minutes
constexpr double ClosedLoopCoolantC = 45.0;
constexpr double RadiatorFanOnC = 88.0;
constexpr double AirC = 25.0;
constexpr double IdleExhaustC = 180.0;
constexpr double CruiseExtraExhaustC = 60.0;

constexpr double O2SwitchVolts = 0.45;
constexpr double O2SwingVolts = 0.35;
constexpr double O2SwitchPeriod = 1.3;
constexpr double O2Bank2Lag = 0.4; // fraction of a switching period
constexpr double BatteryVolts = 14.0;
constexpr double BatteryRippleVolts = 0.1;
constexpr double BatteryRipplePeriod = 7.0;

constexpr double IdleTpsPercent = 3.0;
constexpr double CruiseExtraTpsPercent = 35.0;
constexpr double ClosedTpsVolts = 0.5;
constexpr double TpsVoltsPerPercent = 0.04;
constexpr double IdleMapMbar = 330.0;
constexpr double CruiseExtraMapMbar = 500.0;
constexpr double IdleVafLitresPerMinute = 150.0;
constexpr double CruiseExtraVafLitresPerMinute = 600.0;
constexpr double IdleMafGramsPerSecond = 3.0;
constexpr double CruiseExtraMafGramsPerSecond = 15.0;
constexpr double BaroMbar = 1013.0;
constexpr double IdleInjectorMs = 2.2;
constexpr double CruiseExtraInjectorMs = 4.0;
constexpr double IdleAdvanceDegrees = 10.0;
constexpr double CruiseExtraAdvanceDegrees = 20.0;
constexpr double IdleIac = 30.0;
constexpr double CruiseLessIac = 10.0;
constexpr double IacAdjust = 50.0;
constexpr double IdleVePercent = 35.0;
constexpr double CruiseExtraVePercent = 50.0;
constexpr double CruisePurgePercent = 25.0;
constexpr double CruiseEgr = 20.0;
constexpr double EgrFromDrive = 0.5; // EGR opens once the drive is half way up
constexpr int StftSwingSteps = 6;
constexpr int LtftSteps = 3;
constexpr int CruiseGear = 4;

constexpr double CurrentFaultEvery = 60.0;
constexpr double CurrentFaultFrom = 45.0; // seconds into each such minute
constexpr double CurrentFaultUntil = 50.0;

double Wave(double seconds, double period, double phase = 0.0)
{
    return std::sin(2.0 * std::numbers::pi * (seconds / period + phase));
}

// 0 at standstill, 1 at cruise, with smooth ramps in between.
double Drive(double seconds)
{
    const double t = std::fmod(seconds, EngineModel::DriveCycleSeconds);
    const auto ramp = [](double from, double to, double at) {
        const double x = std::clamp((at - from) / (to - from), 0.0, 1.0);
        return (1.0 - std::cos(std::numbers::pi * x)) / 2.0;
    };
    if (t < IdleUntil || t >= StoppedBy)
        return 0.0;
    if (t < AcceleratedBy)
        return ramp(IdleUntil, AcceleratedBy, t);
    if (t < CruiseUntil)
        return 1.0;
    return 1.0 - ramp(CruiseUntil, StoppedBy, t);
}

} // namespace

double EngineState::LoadFor(int loadSensorKind) const
{
    switch (loadSensorKind) {
    case 0:
        return mapMbar;
    case 1:
        return vafLitresPerMinute;
    default:
        return mafGramsPerSecond;
    }
}

EngineState EngineModel::At(double seconds) const
{
    const double t = std::max(seconds, 0.0);
    const double drive = Drive(t);
    EngineState s;
    s.seconds = t;
    s.coolantC = WarmCoolantC - (WarmCoolantC - ColdCoolantC) * std::exp(-t / WarmUpTimeConstant);
    const double warmth = (s.coolantC - ColdCoolantC) / (WarmCoolantC - ColdCoolantC);
    s.targetIdleRpm = ColdIdleRpm + (WarmIdleRpm - ColdIdleRpm) * warmth;
    s.rpm = s.targetIdleRpm + IdleWobbleRpm * Wave(t, IdleWobblePeriod) + CruiseExtraRpm * drive;
    s.roadSpeedKph = CruiseSpeedKph * drive;
    s.airC = AirC;
    s.exhaustC = IdleExhaustC + CruiseExtraExhaustC * drive;

    s.closedLoop = s.coolantC >= ClosedLoopCoolantC;
    s.o2Active = s.closedLoop;
    s.o2Volts[0] = O2SwitchVolts + O2SwingVolts * Wave(t, O2SwitchPeriod);
    s.o2Volts[1] = O2SwitchVolts + O2SwingVolts * Wave(t, O2SwitchPeriod, O2Bank2Lag);
    s.richMixture = s.o2Volts[0] >= O2SwitchVolts;
    s.richMixtureBank2 = s.o2Volts[1] >= O2SwitchVolts;
    s.batteryVolts = BatteryVolts + BatteryRippleVolts * Wave(t, BatteryRipplePeriod);

    s.tpsPercent = IdleTpsPercent + CruiseExtraTpsPercent * drive;
    s.tpsVolts = ClosedTpsVolts + TpsVoltsPerPercent * s.tpsPercent;
    s.idlePosition = drive == 0.0;
    s.mapMbar = IdleMapMbar + CruiseExtraMapMbar * drive;
    s.vafLitresPerMinute = IdleVafLitresPerMinute + CruiseExtraVafLitresPerMinute * drive;
    s.mafGramsPerSecond = IdleMafGramsPerSecond + CruiseExtraMafGramsPerSecond * drive;
    s.baroMbar = BaroMbar;
    s.injectorMs
        = { IdleInjectorMs + CruiseExtraInjectorMs * drive, IdleInjectorMs + CruiseExtraInjectorMs * drive };
    s.advanceDegrees = IdleAdvanceDegrees + CruiseExtraAdvanceDegrees * drive;
    s.iac = IdleIac - CruiseLessIac * drive;
    s.iacAdjust = IacAdjust;
    s.vePercent = IdleVePercent + CruiseExtraVePercent * drive;

    s.purgeOn = s.closedLoop && !s.idlePosition;
    s.purgePercent = s.purgeOn ? CruisePurgePercent : 0.0;
    s.egrOn = drive >= EgrFromDrive;
    s.egr = s.egrOn ? CruiseEgr : 0.0;
    s.fuelPump = true;
    s.radiatorFan = s.coolantC >= RadiatorFanOnC;
    if (s.closedLoop) {
        s.stftSteps = { static_cast<int>(std::lround(StftSwingSteps * Wave(t, O2SwitchPeriod))),
            static_cast<int>(std::lround(StftSwingSteps * Wave(t, O2SwitchPeriod, O2Bank2Lag))) };
    }
    s.ltftSteps = { LtftSteps, LtftSteps };
    s.gear = drive > 0.0 ? CruiseGear : 0;

    s.storedFault = !m_storedFaultCleared;
    const double intoMinute = std::fmod(t, CurrentFaultEvery);
    s.currentFault = intoMinute >= CurrentFaultFrom && intoMinute < CurrentFaultUntil;
    return s;
}
