// The connection and the command-line tool talking through the serial-port driver to
// dazederir-ecusim on a pseudo-terminal, as they would to a cable.
#include "ChildProcess.h"
#include "ExpectedValues.h"
#include "LiveRig.h"

#include "port/SerialPortDriver.h"
#include "sim/EcuSimulator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// dazederir-ecusim serving `ecuId` with `settings`; its first line of output is the terminal.
struct Ecusim {
    Ecusim(const std::string& ecuId, const SimulatorSettings& settings, std::vector<std::string> extra = {})
        : process(ECUSIM_PROGRAM, Arguments(ecuId, settings, std::move(extra)))
        , path(process.ReadLine().value_or(""))
    {
    }

    static std::vector<std::string> Arguments(
        const std::string& ecuId, const SimulatorSettings& settings, std::vector<std::string> extra)
    {
        std::vector<std::string> args { "--ecu", ecuId, "--sim-bytes", SimBytesArgument(settings),
            "--sim-seed", std::to_string(settings.seed) };
        const std::pair<const char*, double> chances[]
            = { { "--sim-drop", settings.dropChance }, { "--sim-corrupt", settings.corruptChance },
                  { "--sim-cut", settings.cutChance }, { "--sim-noise", settings.noiseChance } };
        for (const auto& [option, chance] : chances) {
            args.push_back(option);
            args.push_back(std::to_string(chance));
        }
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    ChildProcess process;
    std::string path;
};

TD2xxThread::DriverFactory PortDriver(const std::string& path)
{
    return [port = QString::fromStdString(path)] { return std::make_shared<SerialPortDriver>(port); };
}

struct PtyCase {
    const char* ecuId;
    double chance; // of each of drop, corrupt, cut and noise
    std::uint32_t seed;
};

void PrintTo(const PtyCase& c, std::ostream* out)
{
    *out << c.ecuId << " seed " << c.seed;
}

class PtyLine : public testing::TestWithParam<PtyCase> { };

TEST_P(PtyLine, ValuesAreRightAndEveryFailedExchangeIsCounted)
{
    SimulatorSettings faults;
    faults.dropChance = faults.corruptChance = faults.cutChance = faults.noiseChance = GetParam().chance;
    faults.seed = GetParam().seed;
    const SimulatorSettings settings = FixedScene(GetParam().ecuId, faults);
    Ecusim ecusim(GetParam().ecuId, settings);
    ASSERT_TRUE(ecusim.path.starts_with("/dev/pts/")) << ecusim.path;
    LiveRig rig(PortDriver(ecusim.path));

    ASSERT_TRUE(rig.ConnectAndPoll(4));

    const auto memory = FixedMemory(settings);
    const EcuConnection& c = rig.Connection();
    EXPECT_EQ(c.Values(), ExpectedValues(GetParam().ecuId, memory));
    // The simulator at the far end made its choices from the same seed and the same requests.
    const int failed = ReplayCounters(GetParam().ecuId, settings, rig.Sent()).FailedExchanges();
    EXPECT_LE(c.RxErrorCount(), failed);
    EXPECT_GE(c.RxErrorCount(), failed - 1);
    if (GetParam().chance > 0) {
        EXPECT_GT(failed, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, PtyLine,
    testing::Values(PtyCase { "1103", 0, 1 }, PtyCase { "F802", 0, 1 }, PtyCase { "1103", 0.1, 5 },
        PtyCase { "1902", 0.15, 23 }),
    [](const auto& param) {
        return std::string(param.param.ecuId) + "_seed" + std::to_string(param.param.seed);
    });

TEST(PtyE2e, ACableThatVanishesAndReturnsIsReconnected)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const std::string link = directory.filePath(QStringLiteral("cable")).toStdString();
    const SimulatorSettings settings = FixedScene("1103", {});
    Ecusim ecusim("1103", settings, { "--link", link, "--sim-unplug", "2:0.5" });
    ASSERT_TRUE(ecusim.path.starts_with("/dev/pts/")) << ecusim.path;
    LiveRig rig(PortDriver(link));

    ASSERT_TRUE(rig.ReconnectsTwice());
    const auto memory = FixedMemory(settings);
    EXPECT_EQ(rig.Connection().Values(), ExpectedValues("1103", memory));
}

class PtyCli : public testing::TestWithParam<const char*> { };

// The tool given the terminal as its port, the simulator sending at the line speed.
TEST_P(PtyCli, ValuesThroughThePortMatchTheSimulatorBytes)
{
    const SimulatorSettings settings = FixedScene("17E2", {});
    Ecusim ecusim("17E2", settings, { "--sim-pace" });
    ASSERT_TRUE(ecusim.path.starts_with("/dev/pts/")) << ecusim.path;

    ChildProcess cli(CLI_PROGRAM, { "--port", ecusim.path, "--baud", GetParam(), "--json", "values" });
    const std::string out = cli.ReadLine().value_or("");
    ASSERT_EQ(cli.Wait(), 0) << cli.ErrorOutput();

    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    const QJsonObject values = json.value("values").toObject();
    const auto memory = FixedMemory(settings);
    const LiveValues expected = ExpectedValues("17E2", memory);
    EXPECT_EQ(json.value("ecu_id").toString(), QStringLiteral("17E2"));
    EXPECT_EQ(json.value("rx_errors").toInt(-1), 0);
    EXPECT_EQ(values.value("Rpm").toDouble(), expected.rpm);
    EXPECT_EQ(values.value("TargetIdle").toInt(), expected.targetIdle);
    EXPECT_EQ(static_cast<float>(values.value("CoolantTemp").toDouble()), expected.coolantTemp);
    EXPECT_EQ(static_cast<float>(values.value("BatteryVolts").toDouble()), expected.batteryVolts);
    EXPECT_EQ(static_cast<float>(values.value("O2Volts0").toDouble()), expected.o2Volts[0]);
    EXPECT_EQ(static_cast<float>(values.value("InjectorPw0").toDouble()), expected.injectorPw[0]);
    EXPECT_EQ(values.value("Advance").toInt(), expected.advance);
}

INSTANTIATE_TEST_SUITE_P(Bauds, PtyCli, testing::Values("7812", "15625"));

// An actuator command through a real port: the tool waits for the ECU's reply before it prints.
TEST(PtyActuator, TheReplyComesBackThroughThePortAndTheFrameIsPrinted)
{
    const SimulatorSettings settings = FixedScene("1103", {});
    Ecusim ecusim("1103", settings, { "--sim-pace" });
    ASSERT_TRUE(ecusim.path.starts_with("/dev/pts/")) << ecusim.path;

    ChildProcess cli(CLI_PROGRAM, { "--port", ecusim.path, "--timeout", "10", "actuator", "1", "102" });
    const std::string out = cli.ReadLine().value_or("");
    ASSERT_EQ(cli.Wait(), 0) << cli.ErrorOutput();
    EXPECT_EQ(out, "15 0B C0 66 00 00 00 00 00 00 BA");
}

} // namespace
