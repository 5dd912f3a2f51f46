#pragma once

#include <QString>

#include <array>
#include <vector>

class ClickableLabel;
class QLabel;
class QMainWindow;
class TKodraGauge;

// The controls of the main window that its code reaches after they are built.
struct DashboardControls {
    static constexpr int PanelCount = 5;

    ClickableLabel* logoPic = nullptr;
    ClickableLabel* milLabel = nullptr;
    std::array<QLabel*, PanelCount> panels {};
    TKodraGauge* tpsGauge = nullptr;
    TKodraGauge* afmGauge = nullptr;
    TKodraGauge* ctsGauge = nullptr;
    TKodraGauge* atsGauge = nullptr;
    TKodraGauge* mpgGauge = nullptr;
    TKodraGauge* revCounter = nullptr;
    TKodraGauge* speedo = nullptr;
    std::vector<QLabel*> revLabels;
    std::vector<QLabel*> speedoLabels;
    QLabel* battVoltsLabel = nullptr;
    QLabel* o2B1VoltsLabel = nullptr;
    QLabel* ignAdvanceLabel = nullptr;
    QLabel* injPwB1Label = nullptr;
    QLabel* tftLabel = nullptr;
    QLabel* ltftLabel = nullptr;
};

// Builds the title row, the dials, the value boxes and the status bar of `window`, at the places
// drawn for its one size; the menu is ToolWindowMenu's.
DashboardControls BuildDashboardControls(QMainWindow& window);

// Puts the figures around `dial` next to its ticks, hiding those without a tick.
void PlaceDialLabels(const TKodraGauge& dial, const std::vector<QLabel*>& labels);
