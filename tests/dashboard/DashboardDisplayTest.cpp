#include "DashboardRig.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"
#include "defs/RoleTable.h"
#include "link/EcuFrame.h"
#include "locale/ConnectionTexts.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

const QColor Red = ColorFromRef(kColorRed);
const QColor Yellow = ColorFromRef(kColorYellow);
const QColor Green = ColorFromRef(kColorGreen);
const QColor Black = ColorFromRef(kColorBlack);

// As the user does it: a click on a label, a menu entry chosen.
void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

void Choose(const DashboardRig& rig, const char* entryName)
{
    auto* entry = rig.form->findChild<QAction*>(QString::fromLatin1(entryName));
    ASSERT_NE(entry, nullptr) << entryName;
    entry->trigger();
}

class Dashboard : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    std::uint8_t Raw(const std::string& id, int role, const std::function<bool(const LiveValues&)>& wanted,
        const LiveSettings& settings = {})
    {
        const auto raw = RawWhere(id, role, wanted, settings);
        EXPECT_TRUE(raw.has_value()) << "no byte of " << id << " gives the value wanted for role " << role;
        return raw.value_or(0);
    }
};

TEST_F(Dashboard, UnitsRescaleTheRightDialsAndFiguresAndBack)
{
    DashboardRig rig;
    const auto speedFigures = [&rig] {
        QStringList texts;
        for (int i = 0; i <= 12; ++i)
            texts << rig.Label(QStringLiteral("SpeedoLbl%1").arg(i).toLatin1().constData())->text();
        return texts.join(QLatin1Char(' '));
    };
    for (const char* dial : { "CTSGauge", "ATSGauge" }) {
        EXPECT_EQ(rig.Gauge(dial)->MaxValue(), 120) << dial;
        EXPECT_EQ(rig.Gauge(dial)->nTicks(), 13) << dial;
    }
    EXPECT_EQ(speedFigures(), "0 10 20 30 40 50 60 70 80 90 100 110 120");

    rig.form->SetTempUnits(QStringLiteral("F"));
    rig.form->SetSpeedUnits(QStringLiteral("KPH"));
    EXPECT_EQ(rig.Gauge("CTSGauge")->GTitle(), "CTS (F)");
    EXPECT_EQ(rig.Gauge("ATSGauge")->GTitle(), "IAT (F)");
    for (const char* dial : { "CTSGauge", "ATSGauge" }) {
        EXPECT_EQ(rig.Gauge(dial)->MaxValue(), 250) << dial;
        EXPECT_EQ(rig.Gauge(dial)->nTicks(), 11) << dial;
    }
    EXPECT_EQ(rig.Gauge("Speedo")->GTitle(), "KPH");
    EXPECT_EQ(rig.Gauge("Speedo")->MaxValue(), 240);
    EXPECT_EQ(rig.Gauge("Speedo")->nTicks(), 13);
    EXPECT_EQ(speedFigures(), "0 20 40 60 80 100 120 140 160 180 200 220 240");
    EXPECT_EQ(rig.Gauge("AFMGauge")->MaxValue(), 1100) << "the load dial has no unit";
    EXPECT_EQ(rig.Connection().Settings().temperatureUnit, "F");
    EXPECT_EQ(rig.Connection().Settings().speedUnit, "KPH");

    rig.form->SetTempUnits(QStringLiteral("C"));
    rig.form->SetSpeedUnits(QStringLiteral("MPH"));
    EXPECT_EQ(rig.Gauge("CTSGauge")->GTitle(), "CTS (C)");
    EXPECT_EQ(rig.Gauge("ATSGauge")->MaxValue(), 120);
    EXPECT_EQ(rig.Gauge("Speedo")->GTitle(), "MPH");
    EXPECT_EQ(rig.Gauge("Speedo")->MaxValue(), 120);
    EXPECT_EQ(speedFigures(), "0 10 20 30 40 50 60 70 80 90 100 110 120");
    EXPECT_EQ(rig.Connection().Settings().speedUnit, "MPH");
}

TEST_F(Dashboard, AnUnknownUnitTextShowsAndScalesAsTheDefaultUnit)
{
    DashboardRig rig;
    rig.form->SetSpeedUnits(QStringLiteral("KPH"));
    rig.form->SetSpeedUnits(QStringLiteral("knots"));
    EXPECT_EQ(rig.form->SpeedUnits(), "MPH");
    EXPECT_EQ(rig.Gauge("Speedo")->GTitle(), "MPH");
    EXPECT_EQ(rig.Connection().Settings().speedUnit, "MPH") << "dial and scaling must agree";
    rig.form->SetTempUnits(QStringLiteral("Kelvin"));
    EXPECT_EQ(rig.form->TempUnits(), "C");
}

TEST_F(Dashboard, CoolantOf100CelsiusShows212InFahrenheit)
{
    const std::string id = "1103";
    const std::uint8_t hot
        = Raw(id, RoleCoolantTemp, [](const LiveValues& v) { return v.coolantTemp == 100.0f; });
    DashboardRig rig;
    rig.form->SetTempUnits(QStringLiteral("F"));
    rig.Identify(id);
    rig.PollRoles({ { RoleCoolantTemp, hot } });
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 212);
    EXPECT_FLOAT_EQ(rig.Queries().Values().coolantTemp, 212.0f);

    rig.form->SetTempUnits(QStringLiteral("C"));
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 120)
        << "shown values wait for their next byte; the dial clamps";
    rig.PollRoles({ { RoleCoolantTemp, hot } });
    EXPECT_EQ(rig.Gauge("CTSGauge")->Progress(), 100);
}

TEST_F(Dashboard, DialsFollowTheirRolesTruncated)
{
    const std::string id = "1103";
    DashboardRig rig;
    rig.Identify(id);
    const std::uint8_t speed = 50; // 95 km/h on this ECU
    rig.PollRoles({ { RoleRoadSpeed, speed }, { RoleTpsPercent, 77 }, { RoleAirTemp, 100 },
        { RoleRpmHigh, 0x0C }, { RoleRpm, 0x80 }, { RoleLoad16Alt, 40 }, { RoleAdvance, 30 },
        { RoleInjectorPw1, 0x10 }, { RoleLtft1, 140 }, { RoleTft1, 120 } });
    const EcuQueries& q = rig.Queries();
    EXPECT_EQ(rig.Gauge("Speedo")->Progress(), 59);
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), static_cast<int>(q.Values().rpm));
    EXPECT_EQ(rig.Gauge("TPSGauge")->Progress(), static_cast<int>(q.Values().tpsPercent));
    EXPECT_EQ(rig.Gauge("ATSGauge")->Progress(), static_cast<int>(q.Values().airTemp));
    EXPECT_EQ(rig.Gauge("AFMGauge")->Progress(), q.Values().load16);
    EXPECT_EQ(rig.Label("IgnAdvanceLabel")->text(), QString::number(q.Values().advance));
    EXPECT_GT(q.Values().rpm, 0);
    EXPECT_NE(rig.Label("InjPWB1Label")->text(), "");
    EXPECT_EQ(rig.Label("LTFTLabel")->text().count(QLatin1Char('.')), 1);
    EXPECT_EQ(rig.Label("LTFTLabel")->text().section(QLatin1Char('.'), 1).size(), 2);
    EXPECT_TRUE(rig.Label("TFTLabel")->text().startsWith(QLatin1Char('-')))
        << "a trim byte below 128 is negative";
}

// The six value boxes and seven dials of the window.
constexpr const char* ValueLabels[]
    = { "BattVoltsLabel", "O2B1VoltsLabel", "IgnAdvanceLabel", "InjPWB1Label", "TFTLabel", "LTFTLabel" };
constexpr const char* Dials[]
    = { "TPSGauge", "AFMGauge", "CTSGauge", "ATSGauge", "MPGGauge", "RevCounter", "Speedo" };

// Whether every dial and box shows a value (true) or every one shows none (false); nullopt for a mix.
std::optional<bool> ShowsValues(const DashboardRig& rig)
{
    int shown = 0;
    for (const char* dial : Dials)
        shown += rig.Gauge(dial)->HasValue() ? 1 : 0;
    for (const char* label : ValueLabels)
        shown += rig.Label(label)->text() != "--" ? 1 : 0;
    constexpr int all = static_cast<int>(std::size(Dials) + std::size(ValueLabels));
    return shown == all ? std::optional(true) : shown == 0 ? std::optional(false) : std::nullopt;
}

// A technician must be able to trust that a dial is live: before the first values, with the cable
// gone and with an ECU gone quiet for a sweep, dials and boxes show no value until a fresh reply.
TEST_F(Dashboard, DialsAndBoxesShowNoValueWhileTheValuesAreNotLive)
{
    DashboardRig rig;
    EXPECT_EQ(ShowsValues(rig), false);
    rig.Identify("1103");
    rig.PollRoles({ { RoleAdvance, 30 }, { RoleRpm, 0x80 } });
    ASSERT_EQ(ShowsValues(rig), true);
    const QString advance = rig.Label("IgnAdvanceLabel")->text();
    const int rpm = rig.Gauge("RevCounter")->Progress();

    rig.link->status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick();
    EXPECT_EQ(ShowsValues(rig), false);
    rig.link->status = QString::fromLatin1(InterfaceLink::VadInterface);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Queries().HasLiveValues(); }));
    EXPECT_EQ(ShowsValues(rig), true);
    EXPECT_EQ(rig.Label("IgnAdvanceLabel")->text(), advance);
    EXPECT_EQ(rig.Gauge("RevCounter")->Progress(), rpm);

    for (int request = rig.ecu.requests + 1; request <= rig.ecu.requests + 40; ++request)
        rig.ecu.lostReplies.insert(request);
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.Queries().HasLiveValues(); }));
    EXPECT_EQ(ShowsValues(rig), false);
}

TEST_F(Dashboard, AnObd2EcuWhoseValuesCannotBeDecodedShowsNone)
{
    DashboardRig rig;
    rig.Identify("1B41");
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Queries().HasLiveValues(); }));
    EXPECT_EQ(ShowsValues(rig), false);
}

struct FaultCase {
    const char* name;
    std::array<std::uint8_t, 5> bytes;
    ColorRef mil;
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c)
{
    return out << c.name;
}

class DashboardMil : public Dashboard, public ::testing::WithParamInterface<FaultCase> { };

TEST_P(DashboardMil, LampColourFollowsTheFaultBytes)
{
    const std::string id
        = FirstEcuWhere([](const std::string& ecu) { return HasRole(ecu, RoleFaultFlags4); });
    ASSERT_FALSE(id.empty());
    DashboardRig rig;
    rig.Identify(id);
    // Start from a lit lamp, so that "black" is a change the bytes made.
    rig.PollRoles({ { RoleFaultFlags0, 0xFF } });
    ASSERT_EQ(TextColour(rig.Label("MILLabel")), Red);

    const auto& b = GetParam().bytes;
    rig.PollRoles({ { RoleFaultFlags0, b[0] }, { RoleFaultFlags1, b[1] }, { RoleFaultFlags2, b[2] },
        { RoleFaultFlags3, b[3] }, { RoleFaultFlags4, b[4] } });
    EXPECT_EQ(TextColour(rig.Label("MILLabel")), ColorFromRef(GetParam().mil));
    EXPECT_EQ(rig.Label("MILLabel")->palette().color(QPalette::Window), ColorFromRef(kColorSilver));
}

INSTANTIATE_TEST_SUITE_P(Rules, DashboardMil,
    ::testing::Values(FaultCase { "Clear", { 0, 0, 0, 0, 0 }, kColorBlack },
        FaultCase { "StoredByte2Only", { 0, 0, 0x01, 0, 0 }, kColorYellow },
        FaultCase { "StoredByte3Only", { 0, 0, 0, 0x80, 0 }, kColorYellow },
        FaultCase { "CurrentByte0WithStored", { 0x02, 0, 0x01, 0x01, 0 }, kColorRed },
        FaultCase { "CurrentByte1", { 0, 0x40, 0, 0, 0 }, kColorRed },
        FaultCase { "CurrentByte4WithStored", { 0, 0, 0x10, 0, 0x01 }, kColorRed }),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Dashboard, BatteryAndO2BoxesShowTextAndColour)
{
    const std::string id = "1103";
    const auto batteryNear = [&](float volts) {
        return Raw(id, RoleBattery,
            [volts](const LiveValues& v) { return std::abs(v.batteryVolts - volts) < 0.01f; });
    };
    DashboardRig rig;
    rig.Identify(id);
    struct Reading {
        int role;
        std::uint8_t raw;
        const char* label;
        const char* text;
        QColor colour;
    };
    const Reading readings[] {
        { RoleBattery, batteryNear(12.5f), "BattVoltsLabel", "12.50V", Green },
        // Beyond the default alarm limits the box turns red, its text white.
        { RoleBattery, batteryNear(15.0f), "BattVoltsLabel", "15.00V", ColorFromRef(kColorWhite) },
        // This ECU's O2 divisor is 205.
        { RoleO2Bank1, 190, "O2B1VoltsLabel", "0.927V", Red },
        { RoleO2Bank1, 100, "O2B1VoltsLabel", "0.488V", Green },
        { RoleO2Bank1, 50, "O2B1VoltsLabel", "0.244V", Yellow },
    };
    for (const Reading& r : readings) {
        rig.PollRoles({ { r.role, r.raw } });
        EXPECT_EQ(rig.Label(r.label)->text(), r.text) << int(r.raw);
        EXPECT_EQ(TextColour(rig.Label(r.label)), r.colour) << int(r.raw);
    }
    // Below 9 V: the nearest this ECU's divisor comes to 8.5 V.
    rig.PollRoles({ { RoleBattery,
        Raw(id, RoleBattery, [](const LiveValues& v) { return v.batteryVolts >= 8.5f; }) } });
    EXPECT_EQ(rig.Label("BattVoltsLabel")->text(), "8.52V");
    EXPECT_EQ(rig.Label("BattVoltsLabel")->palette().color(QPalette::Window), Red);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    rig.PollRoles({ { RoleBattery, batteryNear(12.5f) } });
    EXPECT_EQ(rig.Label("BattVoltsLabel")->text(), "12,50V") << "the locale's decimal separator";
    EXPECT_EQ(TextColour(rig.Label("BattVoltsLabel")), Green) << "back within its limits";
    EXPECT_EQ(rig.Label("BattVoltsLabel")->palette().color(QPalette::Window), ColorFromRef(kColorSilver));
}

TEST_F(Dashboard, O2ColourLimitsAreInclusiveOfGreen)
{
    const std::string id = FirstEcuWhere(
        [](const std::string& ecu) { return ConstantOf(ecu, EcuConstant::O2Divisor) == 100.0f; });
    ASSERT_FALSE(id.empty());
    DashboardRig rig;
    rig.Identify(id);
    for (const std::uint8_t raw : { std::uint8_t { 45 }, std::uint8_t { 90 } }) {
        rig.PollRoles({ { RoleO2Bank1, raw } });
        EXPECT_EQ(TextColour(rig.Label("O2B1VoltsLabel")), Green)
            << rig.Label("O2B1VoltsLabel")->text().toStdString();
    }
    rig.PollRoles({ { RoleO2Bank1, 44 } });
    EXPECT_EQ(TextColour(rig.Label("O2B1VoltsLabel")), Yellow);
    rig.PollRoles({ { RoleO2Bank1, 91 } });
    EXPECT_EQ(TextColour(rig.Label("O2B1VoltsLabel")), Red);
}

TEST_F(Dashboard, MpgDialSettlesAt99WithoutTheBank2PulseWidth)
{
    const std::string id = FirstEcuWhere([](const std::string& ecu) {
        return !HasRole(ecu, RoleInjectorPw2) && HasRole(ecu, RoleIac) && HasRole(ecu, RoleRoadSpeed);
    });
    ASSERT_FALSE(id.empty());
    DashboardRig rig("[Display]\nMPGDial=MPG\n");
    rig.Identify(id);
    EXPECT_EQ(rig.Gauge("MPGGauge")->GTitle(), "MPG") << "identification leaves the MPG dial alone";
    rig.PollRoles({ { RoleRoadSpeed, 60 }, { RoleRpm, 200 }, { RoleInjectorPw1, 50 }, { RoleIac, 120 } });
    EXPECT_TRUE(rig.TickUntil([&] { return rig.Gauge("MPGGauge")->Progress() == 50; }))
        << "the dial clamps 99 to its scale of 50";
    EXPECT_TRUE(rig.TickUntil([&] { return rig.Queries().Values().mpg == 99.0f; }))
        << rig.Queries().Values().mpg;
}

TEST_F(Dashboard, IdleDialShowsTheIdleAirValueInIacMode)
{
    const std::string id = FirstEcuWhere([](const std::string& ecu) { return HasRole(ecu, RoleIac); });
    const std::uint8_t raw = Raw(id, RoleIac, [](const LiveValues& v) { return v.iac > 30 && v.iac < 90; });
    DashboardRig rig;
    rig.Identify(id);
    rig.PollRoles({ { RoleIac, raw } });
    EXPECT_EQ(rig.Gauge("MPGGauge")->Progress(), rig.Queries().Values().iac);
    EXPECT_GT(rig.Queries().Values().iac, 30);
}

struct EcuKindCase {
    const char* name;
    EcuConstant column;
    std::string_view kind;
    const char* dial;
    const char* title;
    int maxValue;
    int nTicks;
};

std::ostream& operator<<(std::ostream& out, const EcuKindCase& c)
{
    return out << c.name;
}

class DashboardEcuKind : public Dashboard, public ::testing::WithParamInterface<EcuKindCase> { };

TEST_P(DashboardEcuKind, IdentificationSetsTheLoadAndIdleDials)
{
    const EcuKindCase& c = GetParam();
    const std::string id = FirstEcuWhere([&](const std::string& ecu) {
        return (c.column == EcuConstant::LoadSensorKind ? LoadSensorName(ecu) : IacKindName(ecu)) == c.kind;
    });
    ASSERT_FALSE(id.empty()) << "no ECU of kind " << c.kind;
    DashboardRig rig;
    QSignalSpy identified(rig.session.get(), &EcuSession::EcuIdentified);
    rig.Identify(id);
    EXPECT_EQ(rig.Gauge(c.dial)->GTitle(), c.title);
    EXPECT_EQ(rig.Gauge(c.dial)->MaxValue(), c.maxValue);
    EXPECT_EQ(rig.Gauge(c.dial)->nTicks(), c.nTicks);
    ASSERT_EQ(identified.size(), 1);
    const auto ecu = identified[0][0].value<IdentifiedEcu>();
    EXPECT_EQ(ecu.ecuId, id);
    EXPECT_EQ(ecu.support, SupportFull);
    EXPECT_EQ(ecu.featureFlags, FeatureFlagsOf(id));
    EXPECT_TRUE(rig.form->messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, DashboardEcuKind,
    ::testing::Values(
        EcuKindCase { "Map", EcuConstant::LoadSensorKind, "MAP", "AFMGauge", "MAP(mbar)", 1100, 12 },
        EcuKindCase { "Vaf", EcuConstant::LoadSensorKind, "VAF", "AFMGauge", "AFM(l/m)", 1800, 12 },
        EcuKindCase { "Maf", EcuConstant::LoadSensorKind, "MAF", "AFMGauge", "MAF(g/s)", 500, 12 },
        EcuKindCase { "Flow", EcuConstant::IacKind, "FLOW", "MPGGauge", "IAC Flow", 100, 10 },
        EcuKindCase { "Duty", EcuConstant::IacKind, "DC", "MPGGauge", "IAC Duty", 100, 10 },
        EcuKindCase { "Pos", EcuConstant::IacKind, "POS", "MPGGauge", "IAC Pos", 100, 10 }),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Dashboard, Obd2EcuGetsItsMessageAndLeavesTheDialsAlone)
{
    DashboardRig rig;
    QSignalSpy identified(rig.session.get(), &EcuSession::EcuIdentified);
    rig.form->show();
    rig.Identify(std::string(Obd2EcuIds[0]));
    EXPECT_EQ(rig.form->messages, QStringList { "OBD2 ECU detected - limited functionality available" });
    EXPECT_EQ(rig.Gauge("AFMGauge")->GTitle(), "MAP(mbar)");
    EXPECT_EQ(rig.Gauge("MPGGauge")->GTitle(), "IAC");
    EXPECT_TRUE(rig.form->isVisible());
    ASSERT_EQ(identified.size(), 1);
    EXPECT_EQ(identified[0][0].value<IdentifiedEcu>().support, SupportObd2);
}

TEST_F(Dashboard, UnknownEcuHidesTheWindowForTheDataViewerUntilTheViewerCloses)
{
    DashboardRig rig;
    QWidget viewer;
    rig.form->SetToolWindow(TDashBoardForm::ToolWindow::DataViewer, &viewer);
    rig.form->show();
    rig.ecu.memory[3] = 0x5A;
    rig.Identify("4242");
    EXPECT_EQ(rig.form->messages,
        QStringList { "Formatted data not available for ECU ID 4242. Please contact KodraPower Ltd" });
    EXPECT_FALSE(rig.form->isVisible());
    EXPECT_TRUE(viewer.isVisible());
    rig.Tick(20);
    EXPECT_EQ(rig.Queries().GetRawValue(3), 0x5A) << "raw bytes of addresses 0..7 still polled";

    viewer.close();
    EXPECT_TRUE(rig.form->isVisible()) << "the program must not run on with no window";

    // Once back, hiding the viewer again is the viewer's own business.
    viewer.show();
    viewer.close();
    EXPECT_TRUE(rig.form->isVisible());
}

TEST_F(Dashboard, AKnownEcuIdentifiedAfterAnUnknownOneBringsTheDashboardBack)
{
    DashboardRig rig;
    QWidget viewer;
    rig.form->SetToolWindow(TDashBoardForm::ToolWindow::DataViewer, &viewer);
    rig.form->show();
    rig.Identify("4242");
    ASSERT_FALSE(rig.form->isVisible());
    rig.PullAndReplugCable();
    rig.Identify("1103");
    EXPECT_TRUE(rig.form->isVisible());
    EXPECT_EQ(rig.Gauge("AFMGauge")->GTitle(), "AFM(l/m)");
}

TEST_F(Dashboard, ResetIsSentOnlyAfterConfirmationAndItsResultShown)
{
    DashboardRig rig;
    rig.Identify("1103");
    rig.form->confirmAnswer = false;
    Choose(rig, "ResetECU1");
    EXPECT_EQ(rig.form->confirmations,
        QStringList {
            "Warning!|All stored parameters will be lost and the stored fault codes cleared, do you "
            "wish to continue?" });
    rig.Tick(20);
    for (const auto& sent : rig.link->sent)
        EXPECT_NE(sent.bytes.at(0), etResetEcu);

    rig.form->confirmAnswer = true;
    Choose(rig, "ResetECU1");
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.form->messages.isEmpty(); }));
    EXPECT_EQ(rig.form->messages, QStringList { "ECU successfully reset" });

    rig.ecu.resetFails = true;
    Choose(rig, "ResetECU1");
    ASSERT_TRUE(rig.TickUntil([&] { return rig.form->messages.size() == 2; }));
    EXPECT_EQ(rig.form->messages[1], "ECU reset failed");
}

TEST_F(Dashboard, StatusPanelsFollowTheConnection)
{
    DashboardRig rig;
    EXPECT_EQ(rig.form->PanelText(0), "No Interface");
    EXPECT_EQ(rig.form->PanelText(1), "Not Connected");
    EXPECT_EQ(rig.form->PanelText(3), "Bad Data Count 0");
    EXPECT_EQ(rig.form->PanelText(4), "");
    QSignalSpy errors(rig.session.get(), &EcuSession::RxErrorCountChanged);
    rig.ecu.identifyAfter = 2;
    rig.Identify("1103");
    EXPECT_EQ(rig.form->PanelText(0), "VAD Interface");
    EXPECT_EQ(rig.form->PanelText(1), "Trying to Connect") << "identified, no whole sweep read yet";
    rig.PollUntilLive();
    EXPECT_EQ(rig.form->PanelText(1), "Connected to ECU");
    EXPECT_EQ(rig.form->PanelText(3), "Rx Errors 1");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(RxErrorsText(errors[0][0].toInt()), "Rx Errors 1");

    rig.form->SetSampleRate(200);
    EXPECT_EQ(rig.form->PanelText(2), "Sample Rate 200ms");
    rig.form->SetSampleRate(20);
    EXPECT_EQ(rig.form->SampleRate(), 200);
    EXPECT_EQ(rig.form->messages.size(), 1) << "a refused period is reported";

    rig.link->status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick();
    EXPECT_EQ(rig.form->PanelText(0), "No Interface");
    EXPECT_EQ(rig.form->PanelText(1), "Waiting to Connect");
}

TEST_F(Dashboard, TheCablePanelShowsTheReceiveLatencyAndASlowOneIsExplainedOnce)
{
    DashboardRig rig;
    rig.link->latencyMs = 16;
    rig.Identify("1103");
    EXPECT_EQ(rig.form->PanelText(0), "VAD Interface, 16 ms");
    // Said once the tick is over, so that polling goes on while the message is up.
    EXPECT_TRUE(rig.form->messages.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages[0].contains("16 ms")) << rig.form->messages[0].toStdString();
    EXPECT_TRUE(rig.form->messages[0].contains("Troubleshooting")) << rig.form->messages[0].toStdString();

    // The cable pulled and another, set to 1 ms, plugged in: no port, no figure; then 1 ms.
    rig.link->status = QString::fromLatin1(InterfaceLink::NoInterface);
    rig.Tick(2);
    EXPECT_EQ(rig.form->PanelText(0), "No Interface");
    rig.link->latencyMs = 1;
    rig.link->status = QString::fromLatin1(InterfaceLink::VadInterface);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.form->PanelText(0) == "VAD Interface, 1 ms"; }));
    rig.link->latencyMs = 16;
    rig.Tick();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.form->PanelText(0), "VAD Interface, 16 ms");
    EXPECT_EQ(rig.form->messages.size(), 1) << "said once a run";
}

TEST_F(Dashboard, LogoAndMenuConnectAndMilOpensTheFaultViewer)
{
    DashboardRig rig;
    rig.form->show();
    Click(rig.Label("LogoPic"));
    EXPECT_TRUE(rig.Connection().ConnectWanted());
    EXPECT_EQ(rig.Label("LogoPic")->toolTip(), "Connect to ECU");
    EXPECT_EQ(rig.Label("MILLabel")->toolTip(), "Open Fault Code Viewer");

    QWidget faults;
    Click(rig.Label("MILLabel")); // nothing registered yet: nothing happens
    EXPECT_FALSE(faults.isVisible());
    rig.form->SetToolWindow(TDashBoardForm::ToolWindow::FaultCodes, &faults);
    Click(rig.Label("MILLabel"));
    EXPECT_TRUE(faults.isVisible());
}

TEST_F(Dashboard, MenuEntriesOfUnregisteredWindowsStayDisabledAndShowWhenRegistered)
{
    using W = TDashBoardForm::ToolWindow;
    DashboardRig rig;
    QSignalSpy showing(rig.form, &TDashBoardForm::ToolWindowShowing);
    for (int i = 0; i < TDashBoardForm::ToolWindowCount; ++i) {
        const auto which = static_cast<W>(i);
        QAction* entry = rig.form->ToolWindowAction(which);
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
        QWidget window;
        rig.form->SetToolWindow(which, &window);
        EXPECT_TRUE(entry->isEnabled());
        entry->trigger();
        EXPECT_TRUE(window.isVisible()) << entry->text().toStdString();
        ASSERT_EQ(showing.size(), i + 1);
        EXPECT_EQ(showing.last()[0].value<W>(), which);
        rig.form->SetToolWindow(which, nullptr);
        EXPECT_FALSE(entry->isEnabled());
    }
    const auto* protocol = rig.form->findChild<QMenu*>(QStringLiteral("Protocol1"));
    ASSERT_NE(protocol, nullptr);
    EXPECT_FALSE(protocol->isEnabled());
}

TEST_F(Dashboard, ClosingClosesTheDataLoggerAndSaysSo)
{
    DashboardRig rig;
    QWidget logger;
    rig.form->SetToolWindow(TDashBoardForm::ToolWindow::DataLogger, &logger);
    logger.show();
    QSignalSpy closing(rig.form, &TDashBoardForm::Closing);
    rig.form->show();
    Choose(rig, "Exit1");
    EXPECT_FALSE(rig.form->isVisible());
    EXPECT_FALSE(logger.isVisible());
    EXPECT_EQ(closing.size(), 1);
    EXPECT_TRUE(std::filesystem::exists(rig.SettingsPath()));
}

TEST_F(Dashboard, ActuatorRequestsGoOutAndTheirRepliesAreAnnounced)
{
    DashboardRig rig;
    rig.Identify("1103");
    QSignalSpy replied(rig.session.get(), &EcuSession::ActuatorReplied);
    rig.session->RequestActuator(1, 0x20);
    ASSERT_TRUE(rig.TickUntil([&] { return replied.size() == 1; }));
    EXPECT_EQ(replied[0], (QVariantList { 1, 0x20 }));
}

TEST_F(Dashboard, BaudTextGoesToTheLinkAndABadOneIsRefused)
{
    DashboardRig rig;
    rig.form->SetBaudText(QStringLiteral("7812"));
    EXPECT_EQ(rig.form->GetBaudText(), "7812");
    ASSERT_FALSE(rig.link->baudCalls.empty());
    EXPECT_EQ(rig.link->baudCalls.back(), "7812");
    rig.form->SetBaudText(QStringLiteral("fast"));
    EXPECT_EQ(rig.form->GetBaudText(), "7812");
    EXPECT_EQ(rig.form->messages.size(), 1);
}

} // namespace

TEST_F(Dashboard, APortRefusedForPermissionSaysToJoinTheDialoutGroupOnce)
{
    DashboardRig rig;
    rig.link->openError = { true, "Cannot open /dev/ttyUSB0: Permission denied" };
    Choose(rig, "Connect1");
    rig.Tick(20);
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages[0].contains(QStringLiteral("dialout group")));
    EXPECT_TRUE(rig.form->messages[0].contains(QStringLiteral("/dev/ttyUSB0")));
}
