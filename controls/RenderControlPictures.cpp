// Renders the pictures of the controls for the documentation, offscreen:
//   render-control-pictures [output directory, default "docs"]
// writes gauge.png (a large RPM dial and a small dial) and chart.png (an 800 x 100 chart).
#include "controls/KodraGauge.h"
#include "controls/PerformanceGraph.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPalette>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int kMargin = 10;
constexpr int kLargeSide = 255;
constexpr int kSmallSide = 115;
constexpr int kChartSamples = 320;
const char* const kBundledFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The same face everywhere, so the pictures do not depend on the desktop's fonts.
void useBundledFont()
{
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kBundledFont));
    if (id < 0)
        return;
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

bool save(QWidget& widget, const QDir& directory, const char* name)
{
    const QString path = directory.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool renderGauges(const QDir& directory)
{
    QWidget panel;
    QPalette black = panel.palette();
    black.setColor(QPalette::Window, Qt::black);
    panel.setPalette(black);
    panel.setAutoFillBackground(true);
    panel.resize(kLargeSide + kSmallSide + 3 * kMargin, kLargeSide + 2 * kMargin);

    TKodraGauge revCounter(&panel);
    revCounter.setGeometry(kMargin, kMargin, kLargeSide, kLargeSide);
    revCounter.SetBorderStyle(bsNone);
    revCounter.SetGTitle(QStringLiteral("RPM"));
    revCounter.SetMaxValue(8000);
    revCounter.SetnTicks(9);
    revCounter.SetNeedleColor1(kColorYellow);
    revCounter.SetNeedleColor2(kColorRed);
    revCounter.SetProgress(3250);

    TKodraGauge coolant(&panel);
    coolant.setGeometry(
        2 * kMargin + kLargeSide, kMargin + (kLargeSide - kSmallSide) / 2, kSmallSide, kSmallSide);
    coolant.SetGTitle(QStringLiteral("CTS (C)"));
    coolant.SetMaxValue(120);
    coolant.SetnTicks(12);
    coolant.SetProgress(88);
    return save(panel, directory, "gauge.png");
}

bool renderChart(const QDir& directory)
{
    TPerformanceGraph chart;
    chart.resize(800, 100);
    chart.SetForeColor(kColorSilver);
    chart.SetBackColor(kColorWhite);
    chart.SetGridSize(25);
    chart.SetScale(100);
    chart.SetGradient(10);
    for (int i = 0; i < kChartSamples; ++i) {
        const double t = i * std::numbers::pi / 60;
        chart.DataPoint(kColorRed, static_cast<int>(60 + 25 * std::sin(t)));
        chart.DataPoint(kColorBlue, static_cast<int>(35 + 10 * std::sin(3 * t) + 5 * std::cos(t / 2)));
        chart.DataPoint(kColorGreen, i % 80 < 40 ? 20 : 45);
        chart.DataPoint(kColorPurple, static_cast<int>(80 + 8 * std::cos(2 * t)));
        chart.Update();
    }
    return save(chart, directory, "chart.png");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useBundledFont();
    const QDir directory(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    if (!directory.exists() && !QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory.path()));
        return 1;
    }
    const bool gauges = renderGauges(directory);
    const bool chart = renderChart(directory);
    return gauges && chart ? 0 : 1;
}
