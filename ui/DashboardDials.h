#pragma once

#include "defs/EcuConstants.h"
#include "defs/LiveValues.h"
#include "defs/ValueLimits.h"
#include "ui/DashboardBuilder.h"

#include <QString>

#include <array>
#include <functional>
#include <string_view>

class QLabel;
class TKodraGauge;

// What the dials, the value boxes and the MIL lamp of the main window show: their scales for the
// units and the identified ECU, and every received value, dimmed or "--" while there is none.
class DashboardDials {
public:
    // `controls` are the main window's, which outlive this object.
    explicit DashboardDials(const DashboardControls& controls);

    void ShowTempUnits(const QString& units);
    void ShowSpeedUnits(const QString& units);
    // The idle gauge shows the idle air actuator in "IAC" mode, the fuel economy in "MPG" mode.
    void SetMpgMode(bool mpgMode) { m_mpgMode = mpgMode; }
    void SetupForEcu(const EcuConstantsRow& constants);

    // Dials, value boxes and the MIL show the values only while they are `live`; otherwise
    // dimmed needles, "--" and a grey lamp, until the first fresh reply. Back to live, every one of them
    // shows `values` as they are now.
    void ShowLive(bool live, const LiveValues& values, const EcuConstantsRow& constants);
    void ShowValue(LiveValueKind kind, const LiveValues& values);
    // While a log is replayed: tells by catalogue identifier whether a value is known (the log
    // may not hold it); a dial or box whose value is not known shows none, as with the link lost.
    // Empty again once the replay ends.
    void SetHeld(std::function<bool(std::string_view)> held) { m_held = std::move(held); }
    // The dials mark the limits as bands, and a dial or box turns amber or red while its value is
    // beyond one. `kept` in degrees Celsius and km/h; `units` the choices the values come in.
    void ShowLimits(const LimitTable& kept, const LiveSettings& units);
    // Colours every dial and box shown by the limits now in force.
    void ShowLevels(const LiveValues& values);

private:
    // Where a value is shown: a dial, a box, or neither.
    struct Shown {
        LiveValueKind kind;
        std::string_view value; // catalogue identifier
        TKodraGauge* dial;
        QLabel* box;
    };
    std::array<Shown, 14> ShownValues() const;
    // Colours the dial or box of `shown` by where its value stands against its limits.
    void ShowLevel(const Shown& shown, const LiveValues& values);
    // The load the ECU's sensor does not give, whose dial shows the other load.
    bool OtherLoad(const Shown& shown) const;
    void ShowFigure(LiveValueKind kind, const LiveValues& values);
    // False when the value shown for `kind` is not known; its dial or box then shows none.
    bool ShowHeld(LiveValueKind kind);
    void ShowMil(const LiveValues& values);
    void ShowO2Volts(float volts);
    void ShowBatteryVolts(float volts);

    const DashboardControls& m_c;
    bool m_mpgMode = false;
    bool m_mapLoad = true; // the load dial shows the 8-bit load (until an ECU says otherwise)
    bool m_valuesShown = true; // until the main window's first ShowLive
    std::function<bool(std::string_view)> m_held;
    LimitTable m_limits = DefaultLimits();
    LiveSettings m_units;
};
