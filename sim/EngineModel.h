#pragma once

#include <array>

// The engine the simulated ECU reports on, in engineering units, at one moment.
struct EngineState {
    double seconds = 0.0; // since the simulation started
    double rpm = 0.0;
    double targetIdleRpm = 0.0;
    double roadSpeedKph = 0.0;
    double coolantC = 0.0;
    double airC = 0.0;
    double exhaustC = 0.0;
    std::array<double, 2> o2Volts {}; // bank 1, bank 2
    double batteryVolts = 0.0;
    double tpsPercent = 0.0;
    double tpsVolts = 0.0;
    double mapMbar = 0.0; // manifold pressure, for ECUs with a MAP sensor
    double vafLitresPerMinute = 0.0; // air flow, for ECUs with a vane air flow meter
    double mafGramsPerSecond = 0.0; // air mass, for ECUs with a mass air flow sensor
    double baroMbar = 0.0;
    std::array<double, 2> injectorMs {}; // bank 1, bank 2
    double advanceDegrees = 0.0;
    double iac = 0.0; // idle air valve opening, read as flow, duty or position by the ECU
    double iacAdjust = 0.0;
    double vePercent = 0.0;
    double purgePercent = 0.0;
    double egr = 0.0;
    // Fuel trims in raw steps away from the neutral 128: the ECUs scale trims to different units
    // (fractions on some, percent on others), so the scene swings them by steps to look alive on all.
    std::array<int, 2> stftSteps {};
    std::array<int, 2> ltftSteps {};
    int gear = 0; // 0 while standing, for the transmission bytes
    // Switch and output states for the status flags.
    bool closedLoop = false;
    bool idlePosition = false;
    bool richMixture = false; // bank 1 O2 above the switch point
    bool richMixtureBank2 = false;
    bool o2Active = false;
    bool fuelPump = false;
    bool egrOn = false;
    bool purgeOn = false;
    bool radiatorFan = false;
    // Faults: one stored fault throughout (until a reset clears it) and, now and then, a current one.
    bool storedFault = false;
    bool currentFault = false;

    // The load in the unit of the ECU's sensor kind (0 MAP, 1 VAF, other MAF).
    double LoadFor(int loadSensorKind) const;
};

// A car idling, then driving off, cruising and coming back to idle, over and over, while the
// coolant warms up from cold. A pure function of time, so tests can ask for any moment.
class EngineModel {
public:
    static constexpr double DriveCycleSeconds = 40.0;

    EngineState At(double seconds) const;
    // A successful ECU reset erases the stored fault.
    void ClearStoredFaults() { m_storedFaultCleared = true; }

private:
    bool m_storedFaultCleared = false;
};
