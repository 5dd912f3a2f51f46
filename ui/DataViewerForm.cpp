#include "ui/DataViewerForm.h"

#include "controls/ColorRef.h"
#include "controls/StatusPanel.h"
#include "defs/EcuIdentification.h"
#include "defs/LiveValueCatalogue.h"
#include "link/EcuQueries.h"
#include "link/EcuSession.h"
#include "locale/ConnectionTexts.h"
#include "locale/LocaleFixed.h"
#include "locale/SessionStateText.h"

#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>

#include <algorithm>
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

constexpr const char* FormatDataCaption = QT_TRANSLATE_NOOP("TDataViewerForm", "Format Data");
constexpr const char* RawDataCaption = QT_TRANSLATE_NOOP("TDataViewerForm", "Raw Data");
constexpr const char* Page1Caption = QT_TRANSLATE_NOOP("TDataViewerForm", "Page1");
constexpr const char* Page2Caption = QT_TRANSLATE_NOOP("TDataViewerForm", "Page2");
constexpr QLatin1String NoValue("--");
constexpr QLatin1String MapLoadSensor("MAP");
// An ECU that identifies as "0000" has nothing to format.
constexpr std::string_view UnformattableEcuId = "0000";

struct PanelDesign {
    int width;
    const char* text;
};

constexpr std::array<PanelDesign, TDataViewerForm::PanelCount> StatusPanels { {
    { 120, "" },
    { 100, QT_TRANSLATE_NOOP("TDataViewerForm", "Not Connected") },
    { 150, QT_TRANSLATE_NOOP("TDataViewerForm", "Sample Rate") },
    { 370, QT_TRANSLATE_NOOP("TDataViewerForm", "Bad Data Count 0") },
    { 50, "" },
} };

constexpr int PortPanel = 0;
constexpr int ConnectPanel = 1;
constexpr int SampleRatePanel = 2;
constexpr int RxErrorsPanel = 3;

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
    KindCaption { LoadBox, "MAP", QT_TRANSLATE_NOOP("TDataViewerForm", "MAP (mB)") },
    KindCaption { LoadBox, "VAF", QT_TRANSLATE_NOOP("TDataViewerForm", "VAF (l/m)") },
    KindCaption { LoadBox, "", QT_TRANSLATE_NOOP("TDataViewerForm", "MAF (g/s)") },
    KindCaption { IacBox, "FLOW", QT_TRANSLATE_NOOP("TDataViewerForm", "IAC Flow (l/m)") },
    KindCaption { IacBox, "DC", QT_TRANSLATE_NOOP("TDataViewerForm", "IAC Duty (%)") },
    KindCaption { IacBox, "", QT_TRANSLATE_NOOP("TDataViewerForm", "ISC Pos (%)") },
    KindCaption { EgrBox, "FLOW", QT_TRANSLATE_NOOP("TDataViewerForm", "EGR Flow (l/m)") },
    KindCaption { EgrBox, "", QT_TRANSLATE_NOOP("TDataViewerForm", "EGR Pos (%)") },
};

QString CaptionByKind(int box, const QString& kind)
{
    const std::string kindText = kind.toStdString();
    for (const KindCaption& entry : KindCaptions) {
        if (entry.box == box && (entry.kind.empty() || entry.kind == kindText))
            return TDataViewerForm::tr(entry.caption);
    }
    return {};
}

// Two values share the load box: the 8-bit load for a MAP sensor, the 16-bit load for the others.
constexpr std::string_view MapLoadValue = "Load8";
constexpr std::string_view OtherLoadValue = "Load16";

bool ShownFor(const LiveValueRow& row, bool mapLoad)
{
    if (row.name == MapLoadValue)
        return mapLoad;
    return row.name != OtherLoadValue || !mapLoad;
}

// The value in a box of a formatted page, or nullptr for a box without one.
const LiveValueRow* RowAt(bool page2, int box, bool mapLoad)
{
    const int page = page2 ? 2 : 1;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (row.viewer.page == page && row.viewer.box == box && ShownFor(row, mapLoad))
            return &row;
    }
    return nullptr;
}

QString Readout(const LiveNumber& value, ReadoutDigits digits)
{
    if (digits.IsWholeNumber())
        return QString::number(TruncateToInt(value));
    return LocaleFixed(AsFloat(value), digits.precision, digits.decimals);
}

void SetTextIfChanged(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

QString ValueText(const EcuQueries& queries, bool mapLoad, bool formatted, bool page2, int box)
{
    // A replayed log holds no raw bytes, and maybe not every value.
    if (!formatted)
        return queries.IsReplay() ? QString(NoValue)
                                  : QString::number(queries.GetRawValue(page2 ? Page2RawOffset + box : box));
    const LiveValueRow* row = RowAt(page2, box, mapLoad);
    if (!row || !queries.HoldsValue(row->name))
        return QString(NoValue);
    return Readout(row->read(queries.Values()), row->viewer.digits);
}

// Where a box's title would end were it `caption`, as the style places a title.
int TitleEnd(const QGroupBox& box, const QString& caption)
{
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = caption;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title
        = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return title.left() + box.fontMetrics().horizontalAdvance(caption);
}

// The width of a box that shows each caption a formatted page may give it whole: the design's,
// unless a translation is longer.
int BoxWidthForCaptions(const QGroupBox& box)
{
    int width = BoxWidth;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (!row.viewer.caption.empty())
            width = std::max(
                width, TitleEnd(box, TDataViewerForm::tr(std::string(row.viewer.caption).c_str())));
    }
    for (const KindCaption& entry : KindCaptions)
        width = std::max(width, TitleEnd(box, TDataViewerForm::tr(entry.caption)));
    return width;
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
    setWindowTitle(tr("DazedErir DataViewer"));

    auto* area = new QWidget(this);
    SetColours(area, kColorBlack, kColorWhite);
    setCentralWidget(area);

    BuildGrid(area);
    BuildButtons(area);
    BuildStatusBar();
    BuildMenu();
    resize(ClientWidth + GridColumns * m_widening, ClientHeight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(RefreshIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TDataViewerForm::Timer1Timer);
    Timer1->start();
    m_caption = windowTitle();
}

TDataViewerForm::TDataViewerForm(const EcuSession& session, QWidget* parent)
    : TDataViewerForm(session.Queries(), parent)
{
    m_session = &session;
    FollowSession(session);
    ShowState(session.State());
    // The period in force from the start; in fast polling the rate is shown once it is measured.
    SetStatusText(SampleRatePanel,
        PollsFast() ? FastPollRateText(0) : SampleRateText(session.Connection().SampleRate()));
}

void TDataViewerForm::FollowSession(const EcuSession& session)
{
    connect(&session, &EcuSession::StateChanged, this, &TDataViewerForm::ShowState);
    connect(&session, &EcuSession::EcuIdentified, this, [this](const IdentifiedEcu& ecu) {
        if (const std::optional<int> mode = DisplayModeFor(ecu.support))
            SetDisplayMode(*mode);
    });
    connect(&session, &EcuSession::RxErrorCountChanged, this,
        [this](int count) { SetStatusText(RxErrorsPanel, RxErrorsText(count)); });
    connect(&session, &EcuSession::SampleRateChanged, this, [this](int ms) {
        if (!PollsFast())
            SetStatusText(SampleRatePanel, SampleRateText(ms));
    });
    connect(&session, &EcuSession::SweepRateMeasured, this,
        [this](double perSecond) { SetStatusText(SampleRatePanel, FastPollRateText(perSecond)); });
}

bool TDataViewerForm::PollsFast() const
{
    return m_session && m_session->Connection().GetPollMode() == EcuConnection::PollMode::Fast;
}

void TDataViewerForm::ShowState(const SessionState& state)
{
    const QString text = SessionStateText(state);
    SetStatusText(ConnectPanel, text);
    setWindowTitle(state.file.isEmpty() ? m_caption : SessionCaption(m_caption, state));
    Timer1Timer();
}

void TDataViewerForm::BuildGrid(QWidget* area)
{
    QFont captionFont = area->font();
    captionFont.setPixelSize(BoxCaptionPixels);
    QFont valueFont = area->font();
    valueFont.setPixelSize(LabelFontPixels);

    for (int box = 0; box < BoxCount; ++box) {
        const auto index = static_cast<std::size_t>(box);
        auto* group = new QGroupBox(QString::number(box), area);
        group->setObjectName(QStringLiteral("DVGP%1").arg(box));
        group->setFont(captionFont);
        if (box == 0)
            m_widening = BoxWidthForCaptions(*group) - BoxWidth;
        group->setGeometry(GridLeft + (box % GridColumns) * (BoxPitchX + m_widening),
            GridTop + (box / GridColumns) * BoxPitchY, BoxWidth + m_widening, BoxHeight);

        auto* label = new QLabel(group);
        label->setObjectName(QStringLiteral("DVLabel%1").arg(box));
        label->setFont(valueFont);
        label->setAlignment(Qt::AlignCenter);
        SetColours(label, kColorSilver, kColorBlack);
        label->setGeometry(LabelLeft, LabelTop, LabelWidth + m_widening, LabelHeight);

        m_boxes[index] = group;
        m_labels[index] = label;
    }
}

void TDataViewerForm::BuildButtons(QWidget* area)
{
    ModeBtn = new QPushButton(tr(FormatDataCaption), area);
    ModeBtn->setObjectName(QStringLiteral("ModeBtn"));
    // The buttons stay centred under a grid that translations widened.
    const int shift = GridColumns * m_widening / 2;
    ModeBtn->setGeometry(ModeBtnLeft + shift, ButtonTop, ButtonWidth, ButtonHeight);
    connect(ModeBtn, &QPushButton::clicked, this, &TDataViewerForm::ModeBtnClick);

    PageBtn = new QPushButton(tr(Page2Caption), area);
    PageBtn->setObjectName(QStringLiteral("PageBtn"));
    PageBtn->setGeometry(PageBtnLeft + shift, ButtonTop, ButtonWidth, ButtonHeight);
    connect(PageBtn, &QPushButton::clicked, this, &TDataViewerForm::PageBtnClick);
}

void TDataViewerForm::BuildStatusBar()
{
    DataViewerSB = new QStatusBar(this);
    DataViewerSB->setObjectName(QStringLiteral("DataViewerSB"));
    DataViewerSB->setSizeGripEnabled(false);
    for (std::size_t panel = 0; panel < StatusPanels.size(); ++panel) {
        auto* label = new StatusPanel(StatusPanels[panel].width, tr(StatusPanels[panel].text), DataViewerSB);
        DataViewerSB->addPermanentWidget(label);
        m_panels[panel] = label;
    }
    setStatusBar(DataViewerSB);
}

void TDataViewerForm::BuildMenu()
{
    QMenu* file = menuBar()->addMenu(tr("File"));
    QAction* close = file->addAction(tr("Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(close, &QAction::triggered, this, &TDataViewerForm::Close1Click);
    QAction* exit = file->addAction(tr("Exit"));
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
    return PageBtn->text() == tr(Page1Caption);
}

void TDataViewerForm::RefreshCaptions()
{
    m_loadSensor = QString::fromStdString(m_queries.GetLoadSensorName());
    const QString egrKind = QString::fromStdString(m_queries.GetEgrKindName());
    const QString iacKind = QString::fromStdString(m_queries.GetIacKindName());

    const bool page2 = ShowsPage2();
    for (int box = 0; box < BoxCount; ++box) {
        QString caption;
        const LiveValueRow* row = m_formatted ? RowAt(page2, box, m_loadSensor == MapLoadSensor) : nullptr;
        if (!m_formatted)
            caption = QString::number(page2 ? Page2RawOffset + box : box);
        else if (!row)
            caption = QString(NoValue);
        else if (!row->viewer.caption.empty())
            caption = tr(std::string(row->viewer.caption).c_str());
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
    if (m_session) {
        const QString port = m_session->PortInUse();
        SetStatusText(PortPanel, port.isEmpty() ? tr("No port open") : port);
    }
    const bool mapLoad = m_loadSensor == MapLoadSensor;
    const bool page2 = ShowsPage2();
    // Old values are not shown as current ones, nor zeros as the readings of an ECU whose values
    // cannot be decoded.
    const bool shown = m_queries.HasLiveValues()
        && (!m_formatted || m_queries.IsReplay() || ClassifyEcuId(m_queries.GetEcuId()) == SupportFull);
    for (int box = 0; box < BoxCount; ++box) {
        SetTextIfChanged(m_labels[static_cast<std::size_t>(box)],
            shown ? ValueText(m_queries, mapLoad, m_formatted, page2, box) : QString(NoValue));
    }
}

void TDataViewerForm::ModeBtnClick()
{
    m_formatted = !m_formatted;
    ModeBtn->setText(m_formatted ? tr(RawDataCaption) : tr(FormatDataCaption));
    RefreshCaptions();
}

void TDataViewerForm::PageBtnClick()
{
    PageBtn->setText(ShowsPage2() ? tr(Page2Caption) : tr(Page1Caption));
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
