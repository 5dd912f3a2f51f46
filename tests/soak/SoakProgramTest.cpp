// A short soak run of the whole stack: the program's own checks must all pass, and its summary
// must show that faults were injected and values and rows checked.
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct SoakCase {
    const char* name;
    std::vector<std::string> args;
    bool pulls; // saves then wait for the cable to be out
};

void PrintTo(const SoakCase& c, std::ostream* out)
{
    *out << c.name;
}

// Beyond the longest run here: only a hung soak takes this long.
constexpr int PatienceMs = 120000;

long FirstNumber(const std::string& summary, const QString& pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(QString::fromStdString(summary));
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

// The first number after `label` at the start of a line.
long NumberAfter(const std::string& summary, const std::string& label)
{
    return FirstNumber(summary, QStringLiteral("\n%1 +[^0-9]*([0-9]+)").arg(QString::fromStdString(label)));
}

class SoakRun : public testing::TestWithParam<SoakCase> { };

TEST_P(SoakRun, PassesEveryCheckWithFaultsInjected)
{
    std::vector<std::string> args = { "--save-every", "0.05" };
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    QProcess soak;
    soak.start(QStringLiteral(SOAK_PROGRAM), arguments);
    ASSERT_TRUE(soak.waitForFinished(PatienceMs)) << "the soak run hung";
    const std::string summary = soak.readAllStandardOutput().toStdString();
    EXPECT_EQ(soak.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(soak.exitCode(), 0) << summary << soak.readAllStandardError().toStdString();
    EXPECT_NE(summary.find("\nresult: PASS\n"), std::string::npos) << summary;
    EXPECT_GT(NumberAfter(summary, "injected faults"), 0) << summary;
    EXPECT_EQ(NumberAfter(summary, "rows lost"), 0) << summary;
    EXPECT_EQ(NumberAfter(summary, "wrong values"), 0) << summary;
    EXPECT_EQ(NumberAfter(summary, "crashes"), 0) << summary;
    if (GetParam().pulls) {
        EXPECT_GT(NumberAfter(summary, "reconnections"), 0) << summary;
        EXPECT_GT(FirstNumber(summary, QStringLiteral("([0-9]+) with the cable out")), 0) << summary;
    }
}

INSTANTIATE_TEST_SUITE_P(Short, SoakRun,
    testing::Values(
        SoakCase { "CablePulledEveryThreeSeconds", { "--duration", "20", "--sim-unplug", "3:0.5" }, true },
        // Without pulls every failed exchange is the simulator's, so the counts must agree exactly.
        SoakCase {
            "ExactCountsWithTheCableIn", { "--duration", "10", "--no-unplug", "--ecu", "1901" }, false }),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
