#include "ui/DataViewerForm.h"

#include "controls/ColorRef.h"
#include "locale/LocaleFixed.h"
#include "controls/StatusPanel.h"
#include "defs/EcuIdentification.h"
#include "link/EcuQueries.h"

#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <string_view>

namespace {

constexpr int RefreshIntervalMs = 500;
constexpr int ClientWidth = 780;
constexpr int ClientHeight = 550;

constexpr int GridColumns = 5;
constexpr int GridLeft = 16;
constexpr int GridTop = 8;
constexpr int BoxPitchX = 152;
constexpr int BoxPitchY = 80;
constexpr int BoxWidth = 129;
constexpr int BoxHeight = 73;
constexpr int BoxCaptionPixels = 13;
constexpr int LabelLeft = 8;
constexpr int LabelTop = 24;
constexpr int LabelWidth = 113;
constexpr int LabelHeight = 33;
constexpr int LabelFontPixels = 32;

constexpr int ButtonTop = 420;
constexpr int ModeBtnLeft = 232;
constexpr int PageBtnLeft = 448;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 30;

// The second page shows RawDataTable entries 25..49.
constexpr int Page2RawOffset = TDataViewerForm::BoxCount;

constexpr QLatin1String FormatDataCaption("Format Data");
constexpr QLatin1String RawDataCaption("Raw Data");
constexpr QLatin1String Page1Caption("Page1");
constexpr QLatin1String Page2Caption("Page2");
constexpr QLatin1String NoValue("--");
constexpr QLatin1String MapLoadSensor("MAP");
// An ECU that identifies as "0000" has nothing to format.
constexpr std::string_view UnformattableEcuId = "0000";

struct PanelDesign {
    int width;
    const char* text;
};

constexpr std::array<PanelDesign, TDataViewerForm::PanelCount> StatusPanels { {
    { 120, "COM1" },
    { 100, "Not Connected" },
    { 150, "Sample Rate" },
    { 370, "Bad Data Count 0" },
    { 50, "" },
} };

struct CaptionRow {
    const char* raw1;
    const char* raw2;
    const char* formatted1; // nullptr: named after the ECU's kind, see KindCaptions
    const char* formatted2;
};

// clang-format off
constexpr std::array<CaptionRow, TDataViewerForm::BoxCount> Captions { {
    //  raw p1  raw p2  formatted page 1          formatted page 2
    { "0",  "25", "VSS",                    "Fault Flags 1" },
    { "1",  "26", "RPM",                    "Fault Flags 2" },
    { "2",  "27", nullptr,                  "Fault Flags 3" },
    { "3",  "28", "TPS(%)",                 "Fault Flags 4" },
    { "4",  "29", "TPS(V)",                 "Status Flags 1" },
    { "5",  "30", "O2 Bank1 (V)",           "Status Flags 2" },
    { "6",  "31", "Battery (V)",            "Status Flags 3" },
    { "7",  "32", "CTS",                    "Status Flags 4" },
    { "8",  "33", "IAT",                    "Ignition Trim" },
    { "9",  "34", "STFT Bank1",             "ATM VSS" },
    { "10", "35", "LTFT Bank1",             "ATM Pos" },
    { "11", "36", "TFT Bank1",              "ATM Status" },
    { "12", "37", "Inj PW Bank1 (ms)",      "Inj PW Bank2" },
    { "13", "38", "Ign Timing (degs)",      "EGT Temp" },
    { "14", "39", nullptr,                  "--" },
    { "15", "40", "Target Idle",            "O2 Bank2" },
    { "16", "41", "Evap Purge %",           "STFT Bank2" },
    { "17", "42", nullptr,                  "LTFT Bank2" },
    { "18", "43", "Baro (mB)",              "TFT Bank2" },
    { "19", "44", "IAC Adj Mon (%)",        "Time From Start(s)" },
    { "20", "45", "VE (%)",                 "--" },
    { "21", "46", "--",                     "--" },
    { "22", "47", "MPG",                    "--" },
    { "23", "48", "--",                     "--" },
    { "24", "49", "--",                     "--" },
} };
// clang-format on

constexpr int LoadBox = 2;
constexpr int IacBox = 14;
constexpr int EgrBox = 17;

struct KindCaption {
    int box;
    std::string_view kind; // empty: any other kind
    const char* caption;
};

// The first entry of the box whose kind matches, or its catch-all, names the box.
constexpr std::array KindCaptions {
    KindCaption { LoadBox, "MAP", "MAP (mB)" },
    KindCaption { LoadBox, "VAF", "VAF (l/m)" },
    KindCaption { LoadBox, "", "MAF (g/s)" },
    KindCaption { IacBox, "FLOW", "IAC Flow (l/m)" },
    KindCaption { IacBox, "DC", "IAC Duty (%)" },
    KindCaption { IacBox, "", "ISC Pos (%)" },
    KindCaption { EgrBox, "FLOW", "EGR Flow (l/m)" },
    KindCaption { EgrBox, "", "EGR Pos (%)" },
};

QString CaptionByKind(int box, const QString& kind)
{
    const std::string kindText = kind.toStdString();
    for (const KindCaption& entry : KindCaptions) {
        if (entry.box == box && (entry.kind.empty() || entry.kind == kindText))
            return QString::fromLatin1(entry.caption);
    }
    return {};
}

// What a value rule needs besides the live values.
struct ValueSource {
    const EcuQueries& q;
    bool mapLoad; // the load sensor is "MAP": box 2 shows the 8-bit load
};

QString Whole(int value)
{
    return QString::number(value);
}

using ValueRule = QString (*)(const ValueSource&);
constexpr ValueRule Dashes = [](const ValueSource&) { return QString(NoValue); };

// clang-format off
constexpr std::array<ValueRule, TDataViewerForm::BoxCount> FormattedPage1 {
    /*  0 */ [](const ValueSource& s) { return Whole(s.q.GetRoadSpeed()); },
    /*  1 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetRpm(), 5, 0); },
    /*  2 */ [](const ValueSource& s) {
                 return s.mapLoad ? Whole(s.q.GetLoad8()) : LocaleFixed(static_cast<float>(s.q.GetLoad16()), 4, 0);
             },
    /*  3 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetTpsPercent(), 3, 1); },
    /*  4 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetTpsVolts(), 3, 2); },
    /*  5 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetO2Volts(0), 4, 2); },
    /*  6 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetBatteryVolts(), 4, 2); },
    /*  7 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetCoolantTemp(), 3, 0); },
    /*  8 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetAirTemp(), 3, 0); },
    /*  9 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetStft(0), 4, 2); },
    /* 10 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetLtft(0), 4, 2); },
    /* 11 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetTft(0), 4, 2); },
    /* 12 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetInjectorPw(0), 5, 3); },
    /* 13 */ [](const ValueSource& s) { return Whole(s.q.GetAdvance()); },
    /* 14 */ [](const ValueSource& s) { return Whole(s.q.GetIac()); },
    /* 15 */ [](const ValueSource& s) { return Whole(s.q.GetTargetIdle()); },
    /* 16 */ [](const ValueSource& s) { return Whole(s.q.GetPurge()); },
    /* 17 */ [](const ValueSource& s) { return Whole(s.q.GetEgr()); },
    /* 18 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetBaro(), 4, 0); },
    /* 19 */ [](const ValueSource& s) { return Whole(s.q.GetIacAdjust()); },
    /* 20 */ [](const ValueSource& s) { return Whole(s.q.GetVe()); },
    /* 21 */ Dashes,
    /* 22 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetMpg(), 4, 2); },
    /* 23 */ Dashes,
    /* 24 */ Dashes,
};

constexpr std::array<ValueRule, TDataViewerForm::BoxCount> FormattedPage2 {
    /*  0 */ [](const ValueSource& s) { return Whole(s.q.GetFaultByte(0)); },
    /*  1 */ [](const ValueSource& s) { return Whole(s.q.GetFaultByte(1)); },
    /*  2 */ [](const ValueSource& s) { return Whole(s.q.GetFaultByte(2)); },
    /*  3 */ [](const ValueSource& s) { return Whole(s.q.GetFaultByte(3)); },
    /*  4 */ [](const ValueSource& s) { return Whole(s.q.GetStatusByte(0)); },
    /*  5 */ [](const ValueSource& s) { return Whole(s.q.GetStatusByte(1)); },
    /*  6 */ [](const ValueSource& s) { return Whole(s.q.GetStatusByte(2)); },
    /*  7 */ [](const ValueSource& s) { return Whole(s.q.GetStatusByte(3)); },
    /*  8 */ [](const ValueSource& s) { return Whole(s.q.GetIgnitionTrim()); },
    /*  9 */ [](const ValueSource& s) { return Whole(s.q.GetAtmVss()); },
    /* 10 */ [](const ValueSource& s) { return Whole(s.q.GetAtmPos()); },
    /* 11 */ [](const ValueSource& s) { return Whole(s.q.GetAtmStatus()); },
    /* 12 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetInjectorPw(1), 5, 3); },
    /* 13 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetEgtTemp(), 4, 0); },
    /* 14 */ Dashes,
    /* 15 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetO2Volts(1), 4, 2); },
    /* 16 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetStft(1), 4, 2); },
    /* 17 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetLtft(1), 4, 2); },
    /* 18 */ [](const ValueSource& s) { return LocaleFixed(s.q.GetTft(1), 4, 2); },
    /* 19 */ [](const ValueSource& s) { return Whole(s.q.GetTimeFromStart()); },
    /* 20 */ Dashes,
    /* 21 */ Dashes,
    /* 22 */ Dashes,
    /* 23 */ Dashes,
    /* 24 */ Dashes,
};
// clang-format on

void SetTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

QString ValueText(const ValueSource& source, bool formatted, bool page2, int box)
{
    if (!formatted)
        return Whole(source.q.GetRawValue(page2 ? Page2RawOffset + box : box));
    const auto& rules = page2 ? FormattedPage2 : FormattedPage1;
    return rules[static_cast<std::size_t>(box)](source);
}

bool ValidBox(int box)
{
    return box >= 0 && box < TDataViewerForm::BoxCount;
}

} // namespace

TDataViewerForm::TDataViewerForm(const EcuQueries& queries, QWidget* parent)
    : QMainWindow(parent)
    , m_queries(queries)
{
    setObjectName(QStringLiteral("DataViewerForm"));
    setWindowTitle(QStringLiteral("DazedErir DataViewer"));

    auto* area = new QWidget(this);
    SetColours(area, kColorBlack, kColorWhite);
    setCentralWidget(area);

    BuildGrid(area);
    BuildButtons(area);
    BuildStatusBar();
    BuildMenu();
    resize(ClientWidth, ClientHeight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(RefreshIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TDataViewerForm::Timer1Timer);
    Timer1->start();
}

void TDataViewerForm::BuildGrid(QWidget* area)
{
    QFont captionFont = area->font();
    captionFont.setPixelSize(BoxCaptionPixels);
    QFont valueFont = area->font();
    valueFont.setPixelSize(LabelFontPixels);

    for (int box = 0; box < BoxCount; ++box) {
        const auto index = static_cast<std::size_t>(box);
        auto* group = new QGroupBox(QString::fromLatin1(Captions[index].raw1), area);
        group->setObjectName(QStringLiteral("DVGP%1").arg(box));
        group->setFont(captionFont);
        group->setGeometry(GridLeft + (box % GridColumns) * BoxPitchX,
            GridTop + (box / GridColumns) * BoxPitchY, BoxWidth, BoxHeight);

        auto* label = new QLabel(group);
        label->setObjectName(QStringLiteral("DVLabel%1").arg(box));
        label->setFont(valueFont);
        label->setAlignment(Qt::AlignCenter);
        SetColours(label, kColorSilver, kColorBlack);
        label->setGeometry(LabelLeft, LabelTop, LabelWidth, LabelHeight);

        m_boxes[index] = group;
        m_labels[index] = label;
    }
}

void TDataViewerForm::BuildButtons(QWidget* area)
{
    ModeBtn = new QPushButton(QString(FormatDataCaption), area);
    ModeBtn->setObjectName(QStringLiteral("ModeBtn"));
    ModeBtn->setGeometry(ModeBtnLeft, ButtonTop, ButtonWidth, ButtonHeight);
    connect(ModeBtn, &QPushButton::clicked, this, &TDataViewerForm::ModeBtnClick);

    PageBtn = new QPushButton(QString(Page2Caption), area);
    PageBtn->setObjectName(QStringLiteral("PageBtn"));
    PageBtn->setGeometry(PageBtnLeft, ButtonTop, ButtonWidth, ButtonHeight);
    connect(PageBtn, &QPushButton::clicked, this, &TDataViewerForm::PageBtnClick);
}

void TDataViewerForm::BuildStatusBar()
{
    DataViewerSB = new QStatusBar(this);
    DataViewerSB->setObjectName(QStringLiteral("DataViewerSB"));
    DataViewerSB->setSizeGripEnabled(false);
    for (std::size_t panel = 0; panel < StatusPanels.size(); ++panel) {
        auto* label = new StatusPanel(
            StatusPanels[panel].width, QString::fromLatin1(StatusPanels[panel].text), DataViewerSB);
        DataViewerSB->addPermanentWidget(label);
        m_panels[panel] = label;
    }
    setStatusBar(DataViewerSB);
}

void TDataViewerForm::BuildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    QAction* close = file->addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(close, &QAction::triggered, this, &TDataViewerForm::Close1Click);
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TDataViewerForm::Exit1Click);
}

void TDataViewerForm::SetDisplayMode(int mode)
{
    m_formatted = mode != 0;
    RefreshCaptions();
}

void TDataViewerForm::SetStatusText(int panel, const QString& text)
{
    if (panel >= 0 && panel < PanelCount)
        SetTextIfChanged(m_panels[static_cast<std::size_t>(panel)], text);
}

QString TDataViewerForm::PanelText(int panel) const
{
    return panel >= 0 && panel < PanelCount ? m_panels[static_cast<std::size_t>(panel)]->text() : QString();
}

QString TDataViewerForm::BoxCaption(int box) const
{
    return ValidBox(box) ? m_boxes[static_cast<std::size_t>(box)]->title() : QString();
}

QString TDataViewerForm::BoxText(int box) const
{
    return ValidBox(box) ? m_labels[static_cast<std::size_t>(box)]->text() : QString();
}

bool TDataViewerForm::ShowsPage2() const
{
    // The page button names the page it leads to.
    return PageBtn->text() == Page1Caption;
}

void TDataViewerForm::RefreshCaptions()
{
    m_loadSensor = QString::fromStdString(m_queries.GetLoadSensorName());
    const QString egrKind = QString::fromStdString(m_queries.GetEgrKindName());
    const QString iacKind = QString::fromStdString(m_queries.GetIacKindName());

    const bool page2 = ShowsPage2();
    for (int box = 0; box < BoxCount; ++box) {
        const CaptionRow& row = Captions[static_cast<std::size_t>(box)];
        QString caption;
        if (!m_formatted)
            caption = QString::fromLatin1(page2 ? row.raw2 : row.raw1);
        else if (page2)
            caption = QString::fromLatin1(row.formatted2);
        else if (row.formatted1 != nullptr)
            caption = QString::fromLatin1(row.formatted1);
        else
            caption = CaptionByKind(box, box == LoadBox ? m_loadSensor : box == IacBox ? iacKind : egrKind);

        QGroupBox* group = m_boxes[static_cast<std::size_t>(box)];
        if (group->title() != caption)
            group->setTitle(caption);
    }
    // Set both ways, so that identifying a formattable ECU after a "0000" one brings it back.
    ModeBtn->setEnabled(m_queries.GetEcuId() != UnformattableEcuId);
}

void TDataViewerForm::Timer1Timer()
{
    const ValueSource source { m_queries, m_loadSensor == MapLoadSensor };
    const bool page2 = ShowsPage2();
    // Old values are not shown as current ones, nor zeros as the readings of an ECU whose values
    // cannot be decoded.
    const bool shown
        = m_queries.HasLiveValues() && (!m_formatted || ClassifyEcuId(m_queries.GetEcuId()) == SupportFull);
    for (int box = 0; box < BoxCount; ++box) {
        SetTextIfChanged(m_labels[static_cast<std::size_t>(box)],
            shown ? ValueText(source, m_formatted, page2, box) : QString(NoValue));
    }
}

void TDataViewerForm::ModeBtnClick()
{
    m_formatted = !m_formatted;
    ModeBtn->setText(m_formatted ? QString(RawDataCaption) : QString(FormatDataCaption));
    RefreshCaptions();
}

void TDataViewerForm::PageBtnClick()
{
    PageBtn->setText(ShowsPage2() ? QString(Page2Caption) : QString(Page1Caption));
    RefreshCaptions();
}

void TDataViewerForm::Close1Click()
{
    close();
}

void TDataViewerForm::Exit1Click()
{
    emit ExitRequested();
}
