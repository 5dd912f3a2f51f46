// dazederir-cli run as a program against its simulated ECU: what it prints and how it exits.
#include "CliRun.h"

#include "defs/EcuIdentification.h"
#include "tests/support/SilentTerminal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include <sys/stat.h>

namespace {

using Args = std::vector<std::string>;

QJsonObject JsonOf(const CliRun& run)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out;
    EXPECT_TRUE(document.isObject()) << run.out;
    return document.object();
}

float FloatOf(const QJsonObject& object, const char* name)
{
    return static_cast<float>(object.value(QLatin1String(name)).toDouble());
}

struct OutputCase {
    const char* name;
    Args args;
    const char* out;
    int status = 0;
};

void PrintTo(const OutputCase& c, std::ostream* out)
{
    *out << c.name;
}

class CliOutput : public testing::TestWithParam<OutputCase> { };

TEST_P(CliOutput, PrintsExactlyThisAndExitsSo)
{
    const CliRun run = RunCli(GetParam().args);
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(Commands, CliOutput,
    testing::Values(OutputCase { "Identify", { "--simulate", "identify" }, "1103 full\n" },
        OutputCase { "IdentifyJson", { "--simulate=f802", "--json", "identify" },
            "{\"ecu_id\": \"F802\", \"support\": \"full\", \"feature_flags\": 15}\n" },
        // The simulated cable's chip holds received bytes as asked; a port without one says so.
        OutputCase { "IdentifyVerbose", { "--simulate", "--sim-latency", "1", "identify", "--verbose" },
            "1103 full\nport simulated-cable\nproduct VAD Interface\nserial R1SIM001\nlatency 1 ms\n" },
        OutputCase { "IdentifyVerboseJson", { "--simulate", "--json", "identify", "--verbose" },
            "{\"ecu_id\": \"1103\", \"support\": \"full\", \"feature_flags\": 15, \"port\": "
            "\"simulated-cable\", \"product\": \"VAD Interface\", \"serial\": \"R1SIM001\", \"latency_ms\": "
            "null}\n" },
        OutputCase { "IdentifyObd2", { "--simulate=1B34", "identify" }, "1B34 obd2\n" },
        OutputCase { "IdentifyUnknown", { "--simulate=ABCD", "identify" }, "ABCD none\n" },
        OutputCase {
            "Actuator", { "--simulate", "actuator", "1", "102" }, "15 0B C0 66 00 00 00 00 00 00 BA\n" },
        // The window's Set with "800" in the target idle box sends this same frame.
        OutputCase { "ActuatorCommand", { "--simulate", "actuator", "1", "--command", "800" },
            "15 0B C0 66 00 00 00 00 00 00 BA\n" },
        OutputCase { "ActuatorCommandEgr", { "--simulate", "actuator", "5", "--command=50" },
            "15 0B 00 00 00 00 00 C0 32 00 EE\n" },
        OutputCase { "ActuatorPurgeJson", { "--json", "--simulate", "actuator", "7" },
            "{\"ecu_id\": \"1103\", \"frame\": \"15 0B 00 00 00 40 40 00 00 00 60\"}\n" },
        OutputCase { "Reset", { "--simulate", "reset" }, "ECU successfully reset\n" },
        OutputCase { "ResetFails", { "--simulate", "--sim-reset-fails", "reset" }, "ECU reset failed\n", 5 },
        OutputCase { "ResetJson", { "--simulate", "reset", "--json" },
            "{\"ecu_id\": \"1103\", \"result\": \"ECU successfully reset\"}\n" },
        OutputCase { "Faults", { "--simulate", "--sim-bytes", "0=1,1=0,2=0,3=1", "faults", "--sweeps", "1" },
            "Current:\nCode 13\n  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading "
            "doesn't change or is slow to change a fault is flagged\n\nHistory:\nCode 33\n  Mass Airflow "
            "Sensor High\n\n" },
        OutputCase { "NoFaults", { "--simulate", "--sim-bytes=0=0,1=0,2=0,3=0", "faults" },
            "Current:\nNo Current Codes\nHistory:\nNo Stored Codes\n" },
        OutputCase { "Status", { "--simulate", "--sim-bytes", "23=1,24=0", "status" },
            "Evap. Can. Purge: OFF\nEGR Valve: OFF\nRich/Lean Monitor: RICH\nIdle Position: OPEN\n"
            "D Range Shift Switch: PN\nAC Pressure Switch: OFF\nPS Switch: OFF\n" }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CliProgram, ASlowInterfaceIsShownAndExplainedOnStandardError)
{
    const CliRun run = RunCli({ "--simulate", "--sim-latency", "16", "identify", "--verbose" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nlatency 16 ms\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("16 ms, which slows polling"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Troubleshooting"), std::string::npos) << run.err;
}

TEST(CliProgram, ValuesJsonHoldsEveryValueDecodedFromTheSimulatorBytes)
{
    // Row 17E2: engine speed at 4 and 5, target idle 6, road speed 7, coolant 8, advance 13,
    // load 16, idle air 18, battery 22, fault flags 0..3 at 0..3, status flags 0 and 1 at 25 and 26.
    const CliRun run = RunCli({ "--simulate=17E2", "--json", "--sim-bytes",
        "0=0,1=0,2=0x40,3=0,4=1,5=0,6=64,7=30,8=100,13=40,16=60,18=50,22=204,25=4,26=0", "values", "--sweeps",
        "1" });
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value("ecu_id").toString(), QStringLiteral("17E2"));
    EXPECT_EQ(json.value("support").toString(), QStringLiteral("full"));
    EXPECT_EQ(json.value("rx_errors").toInt(-1), 0);
    EXPECT_EQ(json.value("load_sensor").toString(), QStringLiteral("MAP"));
    EXPECT_EQ(json.value("iac_kind").toString(), QStringLiteral("DC"));
    EXPECT_EQ(json.value("egr_kind").toString(), QStringLiteral("FLOW"));

    const QJsonObject values = json.value("values").toObject();
    const QStringList names { "Rpm", "TargetIdle", "RoadSpeed", "BatteryVolts", "O2Volts0", "O2Volts1",
        "TpsPercent", "TpsVolts", "CoolantTemp", "AirTemp", "EgtTemp", "Load8", "Baro", "Load16",
        "InjectorPw0", "InjectorPw1", "Iac", "IacAdjust", "Stft0", "Stft1", "Ltft0", "Ltft1", "Tft0", "Tft1",
        "Ve", "Advance", "Mpg", "Purge", "Egr", "IgnitionTrim", "AtmVss", "AtmPos", "AtmStatus",
        "TimeFromStart", "FaultBytes", "StatusBytes" };
    QStringList keys = values.keys();
    QStringList sortedNames = names;
    keys.sort();
    sortedNames.sort();
    EXPECT_EQ(keys, sortedNames);

    EXPECT_EQ(FloatOf(values, "Rpm"), 1003.0f); // 256 x 3.92, truncated
    EXPECT_EQ(values.value("TargetIdle").toInt(), 1000); // 500 + 7.8125 x 64
    EXPECT_EQ(values.value("RoadSpeed").toInt(), 37); // 60 km/h in MPH
    EXPECT_EQ(FloatOf(values, "CoolantTemp"), 100 * 0.937f - 75);
    EXPECT_EQ(values.value("Advance").toInt(), 47); // 40 x -0.35 + 61.5
    EXPECT_EQ(values.value("Load8").toInt(), 297); // 60 x 4.95
    EXPECT_EQ(values.value("Iac").toInt(), 100);
    EXPECT_EQ(FloatOf(values, "BatteryVolts"), 204 / 13.6f);
    EXPECT_EQ(values.value("FaultBytes").toArray(), (QJsonArray { 0, 0, 64, 0, 0 }));
    EXPECT_EQ(values.value("StatusBytes").toArray(), (QJsonArray { 4, 0, 0, 0 }));
}

// The list is read from the ECU tables: every ID they hold appears once with its class, without
// any ECU at hand, and says of a unit what a connection to it reports.
TEST(CliProgram, EcusListsEveryIdOfTheTablesAsAConnectionDescribesIt)
{
    const CliRun run = RunCli({ "--json", "ecus" });
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray ecus = JsonOf(run).value("ecus").toArray();
    std::map<std::string, QJsonObject> byId;
    for (const QJsonValue& ecu : ecus)
        byId[ecu.toObject().value("ecu_id").toString().toStdString()] = ecu.toObject();
    EXPECT_EQ(byId.size(), static_cast<std::size_t>(ecus.size())) << "an ID listed twice";
    std::vector<std::string_view> tableIds(KnownEcuIds.begin(), KnownEcuIds.end());
    tableIds.insert(tableIds.end(), Obd2EcuIds.begin(), Obd2EcuIds.end());
    EXPECT_EQ(byId.size(), tableIds.size());
    for (const std::string_view id : tableIds) {
        const auto found = byId.find(std::string(id));
        ASSERT_NE(found, byId.end()) << id;
        EXPECT_EQ(found->second.value("support").toString(),
            ClassifyEcuId(id) == SupportFull ? QStringLiteral("full") : QStringLiteral("obd2"))
            << id;
    }

    const CliRun text = RunCli({ "ecus" });
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), ecus.size());
    for (const char* id : { "1881", "1B41" }) {
        const CliRun values
            = RunCli({ std::string("--simulate=") + id, "--json", "values", "--sweeps", "1" });
        ASSERT_EQ(values.status, 0) << values.err;
        const QJsonObject connected = JsonOf(values);
        const QJsonObject listed = byId[id];
        QStringList fields { QString::fromLatin1(id) };
        for (const char* kind : { "support", "load_sensor", "iac_kind", "egr_kind" }) {
            EXPECT_EQ(listed.value(kind), connected.value(kind)) << id << " " << kind;
            fields << connected.value(kind).toString();
        }
        const std::string line = (fields.join(QLatin1Char(' ')) + QLatin1Char('\n')).toStdString();
        EXPECT_NE(text.out.find(line), std::string::npos) << text.out;
    }
}

TEST(CliProgram, ValuesTextNamesEachValueOnItsOwnLine)
{
    const CliRun run = RunCli({ "--simulate", "--sim-bytes", "22=180", "--temp-units", "F", "values" });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nBatteryVolts: 14.0625\n"), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 36);
}

TEST(CliProgram, RawJsonHoldsTheSixtyFourTableEntriesFromTheBaseAddress)
{
    const CliRun run = RunCli({ "--simulate=F802", "--json", "--sim-bytes", "20=7,27=200,66=9", "raw" });
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value("base_address").toInt(), 20);
    const QJsonArray raw = json.value("raw").toArray();
    ASSERT_EQ(raw.size(), 64);
    EXPECT_EQ(raw.at(0).toInt(), 7);
    EXPECT_EQ(raw.at(7).toInt(), 200);
    EXPECT_EQ(raw.at(46).toInt(), 9); // address 66, the end address
}

TEST(CliProgram, FaultsJsonKeepsTheDescriptionsLeadingBlanks)
{
    const CliRun run = RunCli({ "--simulate", "--json", "--sim-bytes", "0=1,1=0,2=0,3=1", "faults" });
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = JsonOf(run);
    const QJsonArray current = json.value("current").toArray();
    ASSERT_EQ(current.size(), 1);
    EXPECT_EQ(current.at(0).toObject().value("code").toString(), QStringLiteral("13"));
    EXPECT_TRUE(
        current.at(0).toObject().value("description").toString().startsWith("  Lambda Sensor Bank 1 - "));
    EXPECT_EQ(json.value("stored").toArray().at(0).toObject().value("description").toString(),
        QStringLiteral("  Mass Airflow Sensor High"));
}

struct UsageCase {
    const char* name;
    Args args;
    const char* message; // part of the one line on standard error
};

void PrintTo(const UsageCase& c, std::ostream* out)
{
    *out << c.name;
}

class CliBadUsage : public testing::TestWithParam<UsageCase> { };

TEST_P(CliBadUsage, ExitsWith2AndOneLineNamingTheBadInput)
{
    const CliRun run = RunCli(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliBadUsage,
    testing::Values(UsageCase { "UnknownOption", { "--frobnicate", "identify" }, "\"--frobnicate\"" },
        UsageCase { "SampleRate20", { "--simulate", "--sample-rate", "20", "identify" }, "\"20\"" },
        UsageCase { "SimBytes300", { "--simulate", "--sim-bytes", "300=1", "identify" }, "address 300" },
        UsageCase { "BaudAbc", { "--simulate", "--baud", "abc", "identify" }, "\"abc\"" },
        UsageCase { "SimulateAndPort", { "--simulate", "--port", "/dev/ttyS0", "identify" },
            "--simulate and --port" },
        UsageCase {
            "SimOptionWithoutSimulate", { "--sim-drop", "0.5", "identify" }, "--sim-drop needs --simulate" },
        UsageCase { "SimLatencyBeyondTheChip", { "--simulate", "--sim-latency", "256", "identify" },
            "256 is out of range 0..255" },
        UsageCase { "IdentifyTalkative", { "--simulate", "identify", "--loud" }, "\"--loud\"" },
        UsageCase { "BadSimulateId", { "--simulate=11", "identify" }, "\"11\"" },
        UsageCase { "UnknownCommand", { "--simulate", "frobnicate" }, "\"frobnicate\"" },
        UsageCase { "NoCommand", { "--simulate" }, "no command" },
        UsageCase { "ActuatorNumber", { "--simulate", "actuator", "9" }, "\"9\"" },
        UsageCase { "ActuatorValue", { "--simulate", "actuator", "1", "256" }, "\"256\"" },
        UsageCase { "Sweeps", { "--simulate", "values", "--sweeps", "-1" }, "\"-1\"" },
        UsageCase { "ValuesNoSweep", { "--simulate", "values", "--sweeps", "0" },
            "\"0\" is not a whole number from 1" },
        UsageCase {
            "RawNoSweep", { "--simulate", "raw", "--sweeps=0" }, "\"0\" is not a whole number from 1" },
        UsageCase { "ActuatorIdleBelowConditions", { "--simulate", "actuator", "1", "--command", "400" },
            "'400' is not a valid target idle: enter a whole number of rpm from 500 to 2000" },
        UsageCase { "ActuatorCommandText", { "--simulate", "actuator", "5", "--command", "half" },
            "'half' is not a valid integer value" },
        UsageCase { "ActuatorValueAndCommand", { "--simulate", "actuator", "1", "102", "--command", "800" },
            "not both" },
        UsageCase { "TempUnits", { "--simulate", "--temp-units", "K", "values" }, "\"K\"" },
        UsageCase { "MissingValue", { "--simulate", "identify", "--timeout" }, "--timeout: missing value" },
        UsageCase { "LogUnknownChannel", { "--simulate", "log", "--channels", "RPM,CTS,IAT,TPS" },
            "unknown channel name \"TPS\"" },
        UsageCase {
            "LogThreeChannels", { "--simulate", "log", "--channels", "RPM,CTS,IAT" }, "four channel" },
        UsageCase { "LogNoChannels", { "--simulate", "log", "--samples", "3" }, "--channels" },
        UsageCase { "LogFastWithoutFastPolling",
            { "--simulate", "log", "--channels", "RPM,CTS,IAT,VE", "--time-base", "fast" },
            "needs --poll fast" },
        UsageCase { "LogTimeBase",
            { "--simulate", "log", "--channels", "RPM,CTS,IAT,VE", "--time-base", "1.5" }, "\"1.5\"" }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CliProgram, HelpListsTheActuatorTestsByNumberAndName)
{
    const CliRun run = RunCli({ "actuator", "--help" });
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* line : { "  0  Cancel", "  1  RPM Control\n", "  2  Fix Advance\n",
             "  5  EGR Step Control\n", "  8  Fuel Pump Control\n", "--command TEXT" })
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

// Each pull identifies the ECU again; the sweeps polled before it still count, so a cable pulled
// more often than the sweeps asked for take does not keep the tool waiting.
TEST(CliProgram, ValuesAfterSweepsEndWhenTheCableIsPulledMoreOftenThanTheyTake)
{
    // About five sweeps fit between two pulls.
    const CliRun run = RunProgram("/usr/bin/timeout",
        { "30", CLI_PROGRAM, "--simulate", "--sim-unplug", "1.5:0.1", "--sample-rate", "50", "--timeout", "3",
            "values", "--sweeps", "12" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Rpm: "), std::string::npos) << run.out;
}

TEST(CliProgram, AnEcuThatAnswersTooLateExitsWith3)
{
    const CliRun run = RunCli({ "--simulate", "--sim-id-after", "1000", "--timeout", "0.5", "identify" });
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no identification from the ECU within 0.5 s"), std::string::npos) << run.err;
}

TEST(CliProgram, APortThatIsNotThereExitsWith3)
{
    const CliRun run = RunCli({ "--port", "/nonexistent/dazed-port", "--timeout", "0.3", "identify" });
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("no interface found within 0.3 s"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("/nonexistent/dazed-port"), std::string::npos) << run.err;
}

// A port the user may not open: the tool says so at once and tells how to get the right.
TEST(CliProgram, APortWithoutPermissionNamesTheDialoutGroup)
{
    const SilentTerminal port;
    ASSERT_FALSE(port.Path().empty());
    ASSERT_EQ(::chmod(port.Path().c_str(), 0), 0);
    // Root may open anything: the tool runs as nobody.
    const CliRun run = RunCliAsNobody({ "--port", port.Path(), "--timeout", "10", "identify" });
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("permission denied"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("dialout group"), std::string::npos) << run.err;
}

} // namespace
