#include "logger/DataLoggerControls.h"

#include "controls/PerformanceGraph.h"
#include "controls/StatusPanel.h"
#include "logfile/SampleInterval.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

namespace {

constexpr int kWindowWidth = 967;
constexpr int kWindowHeight = 652; // room for the trigger row under the marker row

constexpr int kChartLeft = 144;
constexpr std::array<int, kLoggedChannels> kChartTops = { 16, 136, 256, 376 };
constexpr int kChartWidth = 800;
constexpr int kChartHeight = 100;
constexpr std::array<int, kLoggedChannels> kGridSizes = { kFirstChartGridSize, 20, 20, 20 };
constexpr std::array<ColorRef, kLoggedChannels> kTraceColors
    = { kColorRed, kColorBlue, kColorGreen, kColorPurple };
constexpr int kInitialScale = 100;
constexpr int kScaleGradient = 10;
// One pixel per sample: a grid division then spans exactly the chosen seconds and the chart
// the time its labels give.
constexpr int kPixelsPerSample = 1;

// T0 (newest) at the right edge .. T4 at the left edge; T2 sits at 544 under chart 3.
constexpr std::array<int, kTimeLabels> kTimeLabelLefts = { 936, 736, 552, 344, 144 };
constexpr int kChart3T2Left = 544;
constexpr int kTimeLabelGap = 2;
constexpr int kTimeLabelWidth = 48;
constexpr int kLabelHeight = 16;

constexpr int kLeftColumn = 8;
constexpr int kComboWidth = 92;
constexpr int kComboHeight = 22;
constexpr int kScaleLabelLeft = 104;
constexpr int kScaleLabelWidth = 36;

constexpr int kBottomRowTop = 500;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMarkerRowTop = kBottomRowTop + kButtonHeight + 10;
constexpr int kMarkerNoteWidth = 400;
constexpr int kMarkerLabelWidth = 180;
constexpr int kTriggerRowTop = kMarkerRowTop + kButtonHeight + 10;
constexpr int kTriggerStateWidth = kMarkerLabelWidth + kMarkerNoteWidth;

constexpr std::array<int, DataLoggerControls::kStatusPanels> kPanelWidths = { 150, 250, 300, 50 };

const std::array<const char*, kLoggedChannels> kChannelLabelNames
    = { "Ch1_Label", "Ch2_label", "Ch3_Label", "Label3" };

template <typename Widget> Widget* Named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry)
{
    auto* label = Named(new QLabel(text, parent), name);
    label->setGeometry(geometry);
    return label;
}

QComboBox* MakeEditableCombo(QWidget* parent, const QString& name, const QString& text, QRect geometry)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->setEditable(true);
    // Typed texts are choices for this run, not new list entries.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setEditText(text);
    combo->setGeometry(geometry);
    return combo;
}

ChartControls MakeChart(QWidget* parent, int index)
{
    const auto slot = static_cast<std::size_t>(index);
    const int top = kChartTops[slot];
    const QString number = QString::number(index + 1);
    ChartControls chart;
    chart.traceColor = kTraceColors[slot];

    chart.graph = Named(new TPerformanceGraph(parent), QStringLiteral("PGraph") + number);
    chart.graph->setGeometry(kChartLeft, top, kChartWidth, kChartHeight);
    chart.graph->SetForeColor(kColorSilver);
    chart.graph->SetBackColor(kColorWhite);
    chart.graph->SetGridSize(kGridSizes[slot]);
    chart.graph->SetScale(kInitialScale);
    chart.graph->SetGradient(kScaleGradient);
    chart.graph->SetStepSize(kPixelsPerSample);

    chart.channelLabel = MakeLabel(parent, kChannelLabelNames[slot],
        QCoreApplication::translate("TDataLoggerForm", "Channel %1").arg(number),
        QRect(kLeftColumn, top, kComboWidth, kLabelHeight));
    SetTextColour(chart.channelLabel, kColorRed);
    chart.channelCombo = MakeEditableCombo(parent, QStringLiteral("Ch%1_Sel_Combo").arg(number),
        index == 0 ? QStringLiteral("RPM") : QStringLiteral("VSS"),
        QRect(kLeftColumn, top + kLabelHeight + kTimeLabelGap, kComboWidth, kComboHeight));
    chart.valueLabel = MakeLabel(parent, QStringLiteral("Ch%1ValueLbl").arg(number), QStringLiteral("0"),
        QRect(kLeftColumn, top + kLabelHeight + kComboHeight + 2 * kTimeLabelGap, kComboWidth, kLabelHeight));

    chart.maxScaleLabel = MakeLabel(parent, QStringLiteral("MaxScaleLbl") + number, QStringLiteral("Max"),
        QRect(kScaleLabelLeft, top, kScaleLabelWidth, kLabelHeight));
    chart.maxScaleLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    chart.minScaleLabel = MakeLabel(parent, QStringLiteral("MinScaleLbl") + number, QStringLiteral("0"),
        QRect(kScaleLabelLeft, top + kChartHeight - kLabelHeight, kScaleLabelWidth, kLabelHeight));

    for (int t = 0; t < kTimeLabels; ++t) {
        const auto tSlot = static_cast<std::size_t>(t);
        const bool chart3T2 = index == 2 && t == 2;
        const int left = chart3T2 ? kChart3T2Left : kTimeLabelLefts[tSlot];
        chart.timeLabels[tSlot]
            = MakeLabel(parent, QStringLiteral("T%1Lbl%2").arg(t).arg(number), QStringLiteral("T%1").arg(t),
                QRect(left, top + kChartHeight + kTimeLabelGap, kTimeLabelWidth, kLabelHeight));
    }
    return chart;
}

void BuildMenu(QMainWindow& window, DataLoggerControls& controls)
{
    QMenu* file = window.menuBar()->addMenu(QCoreApplication::translate("TDataLoggerForm", "&File"));
    file->setObjectName(QStringLiteral("File1"));
    controls.openLogAction
        = Named(file->addAction(QCoreApplication::translate("TDataLoggerForm", "&Open Log...")),
            QStringLiteral("OpenLog"));
    controls.setPathAction
        = Named(file->addAction(QCoreApplication::translate("TDataLoggerForm", "Set &Path")),
            QStringLiteral("SetPath"));
    controls.closeAction = Named(
        file->addAction(QCoreApplication::translate("TDataLoggerForm", "Close")), QStringLiteral("Close1"));
    controls.exitAction = Named(
        file->addAction(QCoreApplication::translate("TDataLoggerForm", "E&xit")), QStringLiteral("Exit1"));
}

void BuildStatusBar(QMainWindow& window, DataLoggerControls& controls)
{
    auto* bar = Named(new QStatusBar(&window), QStringLiteral("DataLoggerSB"));
    window.setStatusBar(bar);
    for (std::size_t i = 0; i < kPanelWidths.size(); ++i) {
        auto* panel
            = Named(new StatusPanel(kPanelWidths[i], {}, bar), QStringLiteral("DataLoggerSBPanel%1").arg(i));
        bar->addPermanentWidget(panel);
        controls.statusPanels[i] = panel;
    }
}

} // namespace

DataLoggerControls DataLoggerControls::Build(QMainWindow& window)
{
    DataLoggerControls controls;
    window.resize(kWindowWidth, kWindowHeight);

    auto* surface = Named(new QWidget(&window), QStringLiteral("DataLoggerSurface"));
    SetColours(surface, kColorBlack, kColorWhite);
    window.setCentralWidget(surface);

    for (int i = 0; i < kLoggedChannels; ++i)
        controls.charts[static_cast<std::size_t>(i)] = MakeChart(surface, i);

    int left = kChartLeft;
    controls.timeBaseCaption = MakeLabel(surface, QStringLiteral("Label1"),
        QCoreApplication::translate("TDataLoggerForm", "T/Div (secs)"),
        QRect(left, kBottomRowTop + kTimeLabelGap, kButtonWidth, kLabelHeight));
    left += kButtonWidth + kTimeLabelGap;
    controls.timeBaseCombo = MakeEditableCombo(surface, QStringLiteral("GrT_Sel_T_Combo"),
        QStringLiteral("1"), QRect(left, kBottomRowTop, kButtonWidth, kComboHeight));
    left += 2 * kButtonWidth;
    controls.startButton
        = Named(new QPushButton(QCoreApplication::translate("TDataLoggerForm", "Start"), surface),
            QStringLiteral("DL_Start_Button"));
    controls.startButton->setGeometry(left, kBottomRowTop, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kLeftColumn;
    controls.stopButton
        = Named(new QPushButton(QCoreApplication::translate("TDataLoggerForm", "Stop"), surface),
            QStringLiteral("DL_Stop_Button"));
    controls.stopButton->setGeometry(left, kBottomRowTop, kButtonWidth, kButtonHeight);
    left += 2 * kButtonWidth;
    controls.saveDataBox
        = Named(new QCheckBox(QCoreApplication::translate("TDataLoggerForm", "Save To File"), surface),
            QStringLiteral("SaveDataCB"));
    controls.saveDataBox->setGeometry(left, kBottomRowTop, 2 * kButtonWidth, kButtonHeight);
    controls.saveDataBox->setChecked(true);
    left += 2 * kButtonWidth;
    controls.allValuesBox
        = Named(new QCheckBox(QCoreApplication::translate("TDataLoggerForm", "Record all values"), surface),
            QStringLiteral("AllValuesCB"));
    // The last of the row, so a longer translation widens it to the right.
    controls.allValuesBox->setGeometry(left, kBottomRowTop,
        std::max(2 * kButtonWidth, controls.allValuesBox->sizeHint().width()), kButtonHeight);

    left = kChartLeft;
    controls.markerButton
        = Named(new QPushButton(QCoreApplication::translate("TDataLoggerForm", "&Marker (M)"), surface),
            QStringLiteral("MarkerButton"));
    controls.markerButton->setGeometry(left, kMarkerRowTop, kButtonWidth + kButtonWidth / 2, kButtonHeight);
    controls.markerButton->setEnabled(false);
    left += 2 * kButtonWidth;
    controls.markerLabel = MakeLabel(surface, QStringLiteral("MarkerLabel"), QString(),
        QRect(left, kMarkerRowTop + kTimeLabelGap, kMarkerLabelWidth, kLabelHeight));
    left += kMarkerLabelWidth;
    controls.markerNote = Named(new QLineEdit(surface), QStringLiteral("MarkerNote"));
    controls.markerNote->setGeometry(left, kMarkerRowTop, kMarkerNoteWidth, kComboHeight);
    controls.markerNote->setMaxLength(static_cast<int>(LogMarkerLine::kMostNoteBytes));
    controls.markerNote->setEnabled(false);

    left = kChartLeft;
    controls.triggerButton
        = Named(new QPushButton(QCoreApplication::translate("TDataLoggerForm", "&Trigger..."), surface),
            QStringLiteral("TriggerButton"));
    controls.triggerButton->setGeometry(left, kTriggerRowTop, kButtonWidth + kButtonWidth / 2, kButtonHeight);
    left += 2 * kButtonWidth;
    controls.triggerState = MakeLabel(surface, QStringLiteral("TriggerState"), QString(),
        QRect(left, kTriggerRowTop + kTimeLabelGap, kTriggerStateWidth, kLabelHeight));

    BuildMenu(window, controls);
    BuildStatusBar(window, controls);
    return controls;
}

void DataLoggerControls::SetSelectionEnabled(bool enabled) const
{
    for (const ChartControls& chart : charts)
        chart.channelCombo->setEnabled(enabled);
    timeBaseCombo->setEnabled(enabled);
    saveDataBox->setEnabled(enabled);
    allValuesBox->setEnabled(enabled);
    triggerButton->setEnabled(enabled);
}

void DataLoggerControls::ReplaceChannelItems(const QStringList& items) const
{
    for (const ChartControls& chart : charts)
        ReplaceItems(*chart.channelCombo, items);
}

void DataLoggerControls::ShowChannels(
    const std::array<QString, kLoggedChannels>& names, const QStringList& items) const
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        QComboBox& combo = *charts[i].channelCombo;
        if (combo.currentText() != names[i]) {
            combo.setCurrentIndex(static_cast<int>(items.indexOf(names[i])));
            combo.setEditText(names[i]);
        }
    }
}

QString DataLoggerControls::PanelText(int panel) const
{
    return statusPanels.at(static_cast<std::size_t>(panel))->text();
}

void DataLoggerControls::SetPanel(int panel, const QString& text) const
{
    statusPanels.at(static_cast<std::size_t>(panel))->setText(text);
}

void ReplaceItems(QComboBox& combo, const QStringList& items)
{
    const QString shown = combo.currentText();
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(static_cast<int>(items.indexOf(shown)));
    combo.setEditText(shown);
}
