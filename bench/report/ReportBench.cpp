// The diagnostic report of a hundred live values and no fault, written as a PDF and as HTML, as
// File > Save Report... and `dazederir-cli report` write it.
#include "bench/support/WindowBenchMain.h"
#include "report/ReportFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kValues = 100;
constexpr int kFlags = 30;

DiagnosticReport FaultFreeReport()
{
    DiagnosticReport report;
    report.made = QDateTime::currentDateTime();
    report.version = QStringLiteral("DazedErir v1.2");
    report.cable = QStringLiteral("VAD Interface, serial number R1000001");
    report.port = QStringLiteral("/dev/ttyUSB0");
    report.connection = QStringLiteral("Connected to ECU");
    report.ecuId = QStringLiteral("1103");
    report.support = QStringLiteral("Supported");
    report.fitted = QStringLiteral("VAF load sensor, DC idle valve, FLOW EGR");
    report.valuesCurrent = true;
    for (int flag = 0; flag < kFlags; ++flag)
        report.flags.push_back({ QStringLiteral("Flag %1").arg(flag), QStringLiteral("OFF") });
    for (int value = 0; value < kValues; ++value)
        report.values.push_back({ QStringLiteral("Value%1").arg(value), QString::number(value * 1.25, 'f', 2),
            QStringLiteral("rpm") });
    return report;
}

void BM_WriteReport(benchmark::State& state, const char* name)
{
    const DiagnosticReport report = FaultFreeReport();
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(name));
    for (auto _ : state) {
        if (const std::optional<QString> error = WriteReport(report, path)) {
            state.SkipWithError(error->toStdString().c_str());
            break;
        }
    }
}
BENCHMARK_CAPTURE(BM_WriteReport, pdf, "report.pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteReport, html, "report.html")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
