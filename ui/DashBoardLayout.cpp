// The controls of the main window, their places and the menu.
#include "ui/DashBoardForm.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "controls/StatusPanel.h"
#include "ui/ClickableLabel.h"
#include "ui/DialLabels.h"
#include "ui/MakerLogo.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <cmath>

namespace {

constexpr const char* Caption = "DazedErir DashBoard v1.3";

// The client area and the places in it.
constexpr int ClientWidth = 767;
constexpr int ClientHeight = 492;
constexpr int StatusBarHeight = 20;
constexpr QRect LogoRect { 8, 4, 96, 40 };
constexpr QRect TitleRect { 112, 8, 544, 32 };
constexpr QRect MilRect { 684, 11, 64, 26 };
constexpr QRect Panel1Rect { 0, 48, ClientWidth, 121 };
constexpr QRect Panel2Rect { 0, 170, 316, 300 };
constexpr QRect Panel3Rect { 318, 170, 316, 300 };
constexpr QRect Panel4Rect { 636, 170, 129, 300 };
constexpr int SmallDialSide = 115;
constexpr int SmallDialTop = 3;
constexpr int LargeDialSide = 255;
constexpr QPoint LargeDialPos { 27, 22 }; // leaves room for three-digit figures at 3 o'clock
constexpr int ValueBoxHeight = 50;
constexpr QRect ValueLabelRect { 6, 18, 117, 28 };

constexpr int TitlePointSize = 16;
constexpr int MilPointSize = 12;
constexpr int FigurePointSize = 9;
constexpr int ValuePointSize = 14;
// Room between the dial's rim and the nearest edge of a figure.
constexpr int FigureGap = 2;
constexpr double RimPenHalfWidth = 1.5; // the rim is drawn with a 3-pixel pen

constexpr std::array<int, TDashBoardForm::PanelCount> PanelWidths { 150, 120, 150, 200, 50 };
constexpr std::array<const char*, TDashBoardForm::PanelCount> PanelTexts { "No Interface", "Not Connected",
    "Sample Rate", "Bad Data Count 0", "" };

struct DialLayout {
    const char* name;
    const char* title;
    int maxValue;
    int nTicks;
};

// clang-format off
constexpr DialLayout SmallDials[] {
    // name        title        MaxValue  nTicks
    { "TPSGauge", "TPS%",       255,      10 },
    { "AFMGauge", "MAP(mbar)",  1100,     12 },
    { "CTSGauge", "CTS (C)",    120,      12 },
    { "ATSGauge", "IAT (C)",    120,      12 },
    { "MPGGauge", "MPG",        50,       10 },
};
constexpr DialLayout RevCounterLayout { "RevCounter", "RPM", 8000,  9 };
constexpr DialLayout SpeedoLayout     { "Speedo",     "MPH", 120,  13 };

constexpr const char* RevFigureNames[] {
    "Label1", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9", "Label10",
};

struct ValueBoxLayout {
    const char* caption;
    const char* labelName;
};
constexpr ValueBoxLayout ValueBoxes[] {
    { "Battery (V)",   "BattVoltsLabel" },
    { "O2 Sensor (V)", "O2B1VoltsLabel" },
    { "Ign Adv (deg)", "IgnAdvanceLabel" },
    { "Inj PW (mS)",   "InjPWB1Label" },
    { "TFT",           "TFTLabel" },
    { "LTFT",          "LTFTLabel" },
};
// clang-format on

QString Latin1(const char* text)
{
    return QString::fromLatin1(text);
}

QFont BoldFont(int pointSize)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

QFrame* MakePanel(QWidget* parent, const char* name, const QRect& rect)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(Latin1(name));
    panel->setGeometry(rect);
    return panel;
}

TKodraGauge* MakeDial(QWidget* parent, const DialLayout& layout, int side, TBorderStyle border)
{
    auto* dial = new TKodraGauge(parent);
    dial->setObjectName(Latin1(layout.name));
    dial->resize(side, side);
    dial->SetBorderStyle(border);
    dial->SetGTitle(Latin1(layout.title));
    dial->SetMaxValue(layout.maxValue);
    dial->SetnTicks(layout.nTicks);
    return dial;
}

QLabel* MakeFigure(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(BoldFont(FigurePointSize));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

void TDashBoardForm::BuildControls()
{
    setWindowTitle(Latin1(Caption));
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setFixedSize(ClientWidth, ClientHeight - StatusBarHeight);
    SetColours(area, kColorBlack, kColorRed);
    setCentralWidget(area);

    BuildTitleRow(area);
    BuildSmallDials(area);
    BuildLargeDials(area);
    BuildValueBoxes(area);
    BuildStatusBar();
    BuildMenu();
    // A fixed single border: the window keeps the size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(TimerIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &TDashBoardForm::Timer1Timer);
}

void TDashBoardForm::BuildTitleRow(QWidget* area)
{
    m_logoPic = new ClickableLabel(area);
    m_logoPic->setObjectName(QStringLiteral("LogoPic"));
    m_logoPic->setGeometry(LogoRect);
    m_logoPic->setPixmap(MakerLogo(LogoRect.size()));
    m_logoPic->setToolTip(QStringLiteral("Connect to ECU"));
    connect(m_logoPic, &ClickableLabel::Clicked, this, &TDashBoardForm::LogoPicClick);

    auto* title = new QLabel(QStringLiteral("KodraPower Engine Management"), area);
    title->setObjectName(QStringLiteral("Label2"));
    title->setGeometry(TitleRect);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(BoldFont(TitlePointSize));

    m_milLabel = new ClickableLabel(area);
    m_milLabel->setObjectName(QStringLiteral("MILLabel"));
    m_milLabel->setText(QStringLiteral("MIL"));
    m_milLabel->setGeometry(MilRect);
    m_milLabel->setAlignment(Qt::AlignCenter);
    m_milLabel->setFont(BoldFont(MilPointSize));
    m_milLabel->setToolTip(QStringLiteral("Open Fault Code Viewer"));
    SetColours(m_milLabel, kColorSilver, kColorBlack);
    connect(m_milLabel, &ClickableLabel::Clicked, this, &TDashBoardForm::MILLabelClick);
}

void TDashBoardForm::BuildSmallDials(QWidget* area)
{
    QFrame* panel = MakePanel(area, "Panel1", Panel1Rect);
    constexpr int count = static_cast<int>(std::size(SmallDials));
    const int gap = (Panel1Rect.width() - count * SmallDialSide) / (count + 1);
    std::array<TKodraGauge*, count> dials {};
    for (int i = 0; i < count; ++i) {
        TKodraGauge* dial = MakeDial(panel, SmallDials[i], SmallDialSide, bsSingle);
        dial->move(gap + i * (SmallDialSide + gap), SmallDialTop);
        dials[static_cast<std::size_t>(i)] = dial;
    }
    m_tpsGauge = dials[0];
    m_afmGauge = dials[1];
    m_ctsGauge = dials[2];
    m_atsGauge = dials[3];
    m_mpgGauge = dials[4];
}

void TDashBoardForm::BuildLargeDials(QWidget* area)
{
    const auto largeDial = [area](const char* panelName, const QRect& rect, const DialLayout& layout) {
        TKodraGauge* dial = MakeDial(MakePanel(area, panelName, rect), layout, LargeDialSide, bsNone);
        dial->move(LargeDialPos);
        dial->SetNeedleColor1(kColorYellow);
        dial->SetNeedleColor2(kColorRed);
        return dial;
    };

    m_revCounter = largeDial("Panel2", Panel2Rect, RevCounterLayout);
    for (std::size_t i = 0; i < std::size(RevFigureNames); ++i) {
        m_revLabels.push_back(
            MakeFigure(m_revCounter->parentWidget(), Latin1(RevFigureNames[i]), QString::number(i)));
    }
    PlaceDialLabels(*m_revCounter, m_revLabels);

    m_speedo = largeDial("Panel3", Panel3Rect, SpeedoLayout);
    constexpr int speedStep = SpeedoLayout.maxValue / (SpeedoLayout.nTicks - 1);
    for (int i = 0; i < SpeedoLayout.nTicks; ++i) {
        m_speedoLabels.push_back(MakeFigure(
            m_speedo->parentWidget(), QStringLiteral("SpeedoLbl%1").arg(i), QString::number(i * speedStep)));
    }
    PlaceDialLabels(*m_speedo, m_speedoLabels);
}

void TDashBoardForm::BuildValueBoxes(QWidget* area)
{
    QFrame* panel = MakePanel(area, "Panel4", Panel4Rect);
    std::vector<QLabel*> labels;
    for (std::size_t i = 0; i < std::size(ValueBoxes); ++i) {
        auto* box = new QGroupBox(Latin1(ValueBoxes[i].caption), panel);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(i + 1));
        box->setGeometry(0, static_cast<int>(i) * ValueBoxHeight, Panel4Rect.width(), ValueBoxHeight);
        auto* label = new QLabel(box);
        label->setObjectName(Latin1(ValueBoxes[i].labelName));
        label->setGeometry(ValueLabelRect);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(BoldFont(ValuePointSize));
        SetColours(label, kColorSilver, kColorBlack);
        labels.push_back(label);
    }
    m_battVoltsLabel = labels[0];
    m_o2B1VoltsLabel = labels[1];
    m_ignAdvanceLabel = labels[2];
    m_injPwB1Label = labels[3];
    m_tftLabel = labels[4];
    m_ltftLabel = labels[5];
}

void TDashBoardForm::BuildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("DashBoardSB"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setFixedHeight(StatusBarHeight);
    for (std::size_t i = 0; i < PanelCount; ++i) {
        auto* panel = new StatusPanel(PanelWidths[i], Latin1(PanelTexts[i]), m_statusBar);
        panel->setObjectName(QStringLiteral("DashBoardSBPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The last panel takes the rest of the bar, so the panels start at its left edge.
        const bool last = i + 1 == PanelCount;
        m_statusBar->addPermanentWidget(panel, last ? 1 : 0);
        m_panels[i] = panel;
    }
    setStatusBar(m_statusBar);
}

QAction* TDashBoardForm::AddToolWindowEntry(
    QMenu* menu, const QString& caption, const char* name, ToolWindow which)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(Latin1(name));
    action->setEnabled(false); // until the window is registered
    connect(action, &QAction::triggered, this, [this, which] { ShowToolWindow(which); });
    m_toolActions[static_cast<std::size_t>(which)] = action;
    return action;
}

void TDashBoardForm::BuildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TDashBoardForm::Exit1Click);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    AddToolWindowEntry(view, QStringLiteral("DataViewer"), "DataViewer1", ToolWindow::DataViewer);
    AddToolWindowEntry(view, QStringLiteral("DataLogger"), "DataLogger1", ToolWindow::DataLogger);
    AddToolWindowEntry(view, QStringLiteral("FaultCodes"), "FaultCodes1", ToolWindow::FaultCodes);
    AddToolWindowEntry(view, QStringLiteral("Status Flags"), "StatusFlags1", ToolWindow::StatusFlags);
    AddToolWindowEntry(view, QStringLiteral("Controls"), "Controls1", ToolWindow::Controls);
    AddToolWindowEntry(view, QStringLiteral("ECU ID"), "ECUID1", ToolWindow::EcuId);

    QMenu* comms = bar->addMenu(QStringLiteral("&Comms"));
    QAction* connectEntry = comms->addAction(QStringLiteral("Connect"));
    connectEntry->setObjectName(QStringLiteral("Connect1"));
    connect(connectEntry, &QAction::triggered, this, &TDashBoardForm::Connect);
    AddToolWindowEntry(comms, QStringLiteral("Baud Rate"), "BaudRate1", ToolWindow::Comms);
    AddToolWindowEntry(comms, QStringLiteral("Sample Rate"), "SampleRate1", ToolWindow::SampleRate);
    QMenu* protocol = comms->addMenu(QStringLiteral("Protocol"));
    protocol->setObjectName(QStringLiteral("Protocol1"));
    protocol->addAction(QStringLiteral("VAD"))->setObjectName(QStringLiteral("VAD1"));
    protocol->addAction(QStringLiteral("ISO9141"))->setObjectName(QStringLiteral("ISO91411"));
    protocol->setEnabled(false);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    AddToolWindowEntry(options, QStringLiteral("Units"), "Units1", ToolWindow::Units);

    QMenu* command = bar->addMenu(QStringLiteral("Co&mmand"));
    QAction* reset = command->addAction(QStringLiteral("Reset ECU"));
    reset->setObjectName(QStringLiteral("ResetECU1"));
    connect(reset, &QAction::triggered, this, &TDashBoardForm::ResetEcu);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddToolWindowEntry(help, QStringLiteral("Help"), "Help1", ToolWindow::Help);
}

void TDashBoardForm::PlaceDialLabels(const TKodraGauge& dial, const std::vector<QLabel*>& labels)
{
    const DialGeometry geometry
        = ComputeDialGeometry(dial.size(), GaugePaintRect(dial.size(), dial.BorderStyle()));
    const int clearRadius
        = static_cast<int>(std::ceil(geometry.face.width() / 2.0 + RimPenHalfWidth)) + FigureGap;
    std::vector<QSize> sizes;
    for (QLabel* label : labels)
        sizes.push_back(label->sizeHint());
    const std::vector<QRect> rects
        = DialLabelRects(dial.pos() + geometry.centre, clearRadius, dial.nTicks(), sizes);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        // A figure without a tick of its own has no place on the scale.
        labels[i]->setVisible(i < rects.size());
        if (i < rects.size())
            labels[i]->setGeometry(rects[i]);
    }
}
