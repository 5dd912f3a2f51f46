// The controls of the main window and their places.
#include "ui/DashboardBuilder.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "controls/StatusPanel.h"
#include "defs/ProgramVersion.h"
#include "ui/ClickableLabel.h"
#include "ui/DialLabels.h"
#include "ui/MakerLogo.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>

#include <cmath>

namespace {

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

constexpr std::array<int, DashboardControls::PanelCount> PanelWidths { 150, 120, 150, 200, 50 };
// Translated as they are put up; the session's texts replace them as soon as it reports.
constexpr std::array<const char*, DashboardControls::PanelCount> PanelTexts {
    QT_TRANSLATE_NOOP("TDashBoardForm", "No Interface"), QT_TRANSLATE_NOOP("TDashBoardForm", "Not Connected"),
    QT_TRANSLATE_NOOP("TDashBoardForm", "Sample Rate"),
    QT_TRANSLATE_NOOP("TDashBoardForm", "Bad Data Count 0"), ""
};

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
    { QT_TRANSLATE_NOOP("TDashBoardForm", "Battery (V)"),   "BattVoltsLabel" },
    { QT_TRANSLATE_NOOP("TDashBoardForm", "O2 Sensor (V)"), "O2B1VoltsLabel" },
    { QT_TRANSLATE_NOOP("TDashBoardForm", "Ign Adv (deg)"), "IgnAdvanceLabel" },
    { QT_TRANSLATE_NOOP("TDashBoardForm", "Inj PW (mS)"),   "InjPWB1Label" },
    // Fuel trims: short term, long term.
    { QT_TRANSLATE_NOOP("TDashBoardForm", "TFT"),           "TFTLabel" },
    { QT_TRANSLATE_NOOP("TDashBoardForm", "LTFT"),          "LTFTLabel" },
};
// clang-format on

QString Latin1(const char* text)
{
    return QString::fromLatin1(text);
}

// A text of the tables above, marked there for the main window's translation.
QString Tr(const char* text)
{
    return QCoreApplication::translate("TDashBoardForm", text);
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

void BuildTitleRow(QWidget* area, DashboardControls& c)
{
    c.logoPic = new ClickableLabel(area);
    c.logoPic->setObjectName(QStringLiteral("LogoPic"));
    c.logoPic->setGeometry(LogoRect);
    c.logoPic->setPixmap(MakerLogo(LogoRect.size()));
    c.logoPic->setToolTip(QCoreApplication::translate("TDashBoardForm", "Connect to ECU"));

    auto* title
        = new QLabel(QCoreApplication::translate("TDashBoardForm", "KodraPower Engine Management"), area);
    title->setObjectName(QStringLiteral("Label2"));
    title->setGeometry(TitleRect);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(BoldFont(TitlePointSize));

    c.milLabel = new ClickableLabel(area);
    c.milLabel->setObjectName(QStringLiteral("MILLabel"));
    //: The fault lamp: malfunction indicator lamp.
    c.milLabel->setText(QCoreApplication::translate("TDashBoardForm", "MIL"));
    c.milLabel->setGeometry(MilRect);
    c.milLabel->setAlignment(Qt::AlignCenter);
    c.milLabel->setFont(BoldFont(MilPointSize));
    c.milLabel->setToolTip(QCoreApplication::translate("TDashBoardForm", "Open Fault Code Viewer"));
    SetColours(c.milLabel, kColorSilver, kColorBlack);
}

void BuildSmallDials(QWidget* area, DashboardControls& c)
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
    c.tpsGauge = dials[0];
    c.afmGauge = dials[1];
    c.ctsGauge = dials[2];
    c.atsGauge = dials[3];
    c.mpgGauge = dials[4];
}

void BuildLargeDials(QWidget* area, DashboardControls& c)
{
    const auto largeDial = [area](const char* panelName, const QRect& rect, const DialLayout& layout) {
        TKodraGauge* dial = MakeDial(MakePanel(area, panelName, rect), layout, LargeDialSide, bsNone);
        dial->move(LargeDialPos);
        dial->SetNeedleColor1(kColorYellow);
        dial->SetNeedleColor2(kColorRed);
        return dial;
    };

    c.revCounter = largeDial("Panel2", Panel2Rect, RevCounterLayout);
    for (std::size_t i = 0; i < std::size(RevFigureNames); ++i) {
        c.revLabels.push_back(
            MakeFigure(c.revCounter->parentWidget(), Latin1(RevFigureNames[i]), QString::number(i)));
    }
    PlaceDialLabels(*c.revCounter, c.revLabels);

    c.speedo = largeDial("Panel3", Panel3Rect, SpeedoLayout);
    constexpr int speedStep = SpeedoLayout.maxValue / (SpeedoLayout.nTicks - 1);
    for (int i = 0; i < SpeedoLayout.nTicks; ++i) {
        c.speedoLabels.push_back(MakeFigure(
            c.speedo->parentWidget(), QStringLiteral("SpeedoLbl%1").arg(i), QString::number(i * speedStep)));
    }
    PlaceDialLabels(*c.speedo, c.speedoLabels);
}

void BuildValueBoxes(QWidget* area, DashboardControls& c)
{
    QFrame* panel = MakePanel(area, "Panel4", Panel4Rect);
    std::vector<QLabel*> labels;
    for (std::size_t i = 0; i < std::size(ValueBoxes); ++i) {
        auto* box = new QGroupBox(Tr(ValueBoxes[i].caption), panel);
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
    c.battVoltsLabel = labels[0];
    c.o2B1VoltsLabel = labels[1];
    c.ignAdvanceLabel = labels[2];
    c.injPwB1Label = labels[3];
    c.tftLabel = labels[4];
    c.ltftLabel = labels[5];
}

void BuildStatusBar(QMainWindow& window, DashboardControls& c)
{
    auto* statusBar = new QStatusBar(&window);
    statusBar->setObjectName(QStringLiteral("DashBoardSB"));
    statusBar->setSizeGripEnabled(false);
    statusBar->setFixedHeight(StatusBarHeight);
    for (std::size_t i = 0; i < DashboardControls::PanelCount; ++i) {
        auto* panel = new StatusPanel(PanelWidths[i], Tr(PanelTexts[i]), statusBar);
        panel->setObjectName(QStringLiteral("DashBoardSBPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The last panel takes the rest of the bar, so the panels start at its left edge.
        const bool last = i + 1 == DashboardControls::PanelCount;
        statusBar->addPermanentWidget(panel, last ? 1 : 0);
        c.panels[i] = panel;
    }
    window.setStatusBar(statusBar);
}

} // namespace

DashboardControls BuildDashboardControls(QMainWindow& window)
{
    DashboardControls controls;
    window.setWindowTitle(QCoreApplication::translate("TDashBoardForm", "DazedErir DashBoard v%1")
                              .arg(QLatin1String(ProgramVersion.data(), ProgramVersion.size())));
    auto* area = new QWidget(&window);
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setFixedSize(ClientWidth, ClientHeight - StatusBarHeight);
    SetColours(area, kColorBlack, kColorRed);
    window.setCentralWidget(area);

    BuildTitleRow(area, controls);
    BuildSmallDials(area, controls);
    BuildLargeDials(area, controls);
    BuildValueBoxes(area, controls);
    BuildStatusBar(window, controls);
    return controls;
}

void PlaceDialLabels(const TKodraGauge& dial, const std::vector<QLabel*>& labels)
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
