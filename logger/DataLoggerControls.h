#pragma once

#include "controls/ColorRef.h"
#include "logfile/DataLog.h"

#include <QStringList>
#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class TPerformanceGraph;

// The time labels under a chart, newest first: T0 at the right edge, T4 at the left.
constexpr int kTimeLabels = 5;

// The controls of one logged channel: its chart and the labels and choice around it.
struct ChartControls {
    TPerformanceGraph* graph = nullptr;
    QLabel* channelLabel = nullptr;
    QComboBox* channelCombo = nullptr;
    QLabel* valueLabel = nullptr;
    QLabel* maxScaleLabel = nullptr;
    QLabel* minScaleLabel = nullptr;
    std::array<QLabel*, kTimeLabels> timeLabels {};
    ColorRef traceColor = kColorBlack;
};

// Every control of the data logger window, laid out in code as the design places them. The
// window owns the widgets (Qt parent ownership); this only holds pointers to them.
struct DataLoggerControls {
    static constexpr int kStatusPanels = 4;

    std::array<ChartControls, kLoggedChannels> charts;
    QLabel* timeBaseCaption = nullptr; // Label1
    QComboBox* timeBaseCombo = nullptr; // GrT_Sel_T_Combo
    QPushButton* startButton = nullptr;
    QPushButton* stopButton = nullptr;
    QCheckBox* saveDataBox = nullptr;
    QCheckBox* allValuesBox = nullptr; // "Record all values"
    QPushButton* markerButton = nullptr; // also key M
    QLineEdit* markerNote = nullptr; // the note of the latest marker
    QLabel* markerLabel = nullptr; // which marker was made last, and when
    QPushButton* triggerButton = nullptr; // opens the Trigger dialog
    QLabel* triggerState = nullptr; // what the trigger waits for or did
    std::array<QLabel*, kStatusPanels> statusPanels {};
    QAction* openLogAction = nullptr;
    QAction* setPathAction = nullptr;
    QAction* closeAction = nullptr;
    QAction* exitAction = nullptr;

    // Builds the central widget, menu and status bar of `window`.
    static DataLoggerControls Build(QMainWindow& window);

    // The channel and time-base choices, "Save To File" and the trigger can be changed (not while
    // logging).
    void SetSelectionEnabled(bool enabled) const;
    // Gives every channel's combo box these items, keeping the text each shows.
    void ReplaceChannelItems(const QStringList& items) const;
    // Makes each channel's combo box show the channel in force, chosen from `items` if listed.
    void ShowChannels(const std::array<QString, kLoggedChannels>& names, const QStringList& items) const;
    QString PanelText(int panel) const;
    void SetPanel(int panel, const QString& text) const;
};

// Replacing the items of an editable combo box keeps the text it shows.
void ReplaceItems(QComboBox& combo, const QStringList& items);
