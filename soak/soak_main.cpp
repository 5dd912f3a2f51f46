// dazederir-soak: the whole stack against dazederir-ecusim for a given time, with faults injected;
// prints one summary and exits with 0 only when every check passed.
#include "soak/SoakRun.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int ExitPassed = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// The simulator beside this program, else the one of the build tree it was made in.
std::string DefaultEcusim(const char* argv0)
{
    const QString beside = QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath() + "/dazederir-ecusim";
    return QFileInfo(beside).isExecutable() ? beside.toStdString() : std::string(DAZED_ECUSIM_PROGRAM);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const SoakOptionsParse parse = ParseSoakOptions(args, DefaultEcusim(argv[0]));
    if (!parse.error.empty()) {
        std::cerr << "dazederir-soak: " << parse.error << std::endl;
        return ExitUsage;
    }
    if (parse.options.help) {
        std::cout << SoakUsage;
        return ExitPassed;
    }

    QCoreApplication application(argc, argv);
    const SoakResult result = RunSoak(parse.options);
    const std::vector<SoakCheck> checks = EvaluateSoak(result);
    PrintSoakSummary(std::cout, parse.options, result, checks);
    return AllPassed(checks) ? ExitPassed : ExitFailed;
}
