#include "ui/StatusForm.h"

#include "controls/ColorRef.h"
#include "link/EcuSession.h"
#include "link/FlagBytes.h"
#include "locale/SessionStateText.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <cstddef>
#include <vector>

namespace {

constexpr int RefreshIntervalMs = 100;
constexpr int ClientWidth = 543;
constexpr int ClientHeight = 539;
constexpr int NameColumnWidth = 300;
constexpr int GridLeft = 7;
constexpr int GridTop = 18;
// The grid keeps these margins to the window's client area when the window is resized.
constexpr int GridWidthMargin = 15;
constexpr int GridHeightMargin = 45;

} // namespace

TStatusForm::TStatusForm(const EcuQueries& queries, QWidget* parent)
    : QMainWindow(parent)
    , m_queries(queries)
{
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(tr("DazedErir Status Flag Viewer"));
    m_caption = windowTitle();

    StatusGB = new QGroupBox(tr("Current Status"), this);
    StatusGB->setObjectName(QStringLiteral("StatusGB"));
    SetColours(StatusGB, kColorBlack, kColorWhite);
    setCentralWidget(StatusGB);

    StatusSG = new QTableWidget(GridRows, GridColumns, StatusGB);
    StatusSG->setObjectName(QStringLiteral("StatusSG"));
    StatusSG->horizontalHeader()->hide();
    StatusSG->verticalHeader()->hide();
    StatusSG->setColumnWidth(0, NameColumnWidth);
    StatusSG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StatusSG->move(GridLeft, GridTop);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    resize(ClientWidth, ClientHeight);
    StatusSG->resize(ClientWidth - GridWidthMargin, ClientHeight - GridHeightMargin);

    StatusTimer = new QTimer(this);
    StatusTimer->setObjectName(QStringLiteral("StatusTimer"));
    StatusTimer->setInterval(RefreshIntervalMs);
    connect(StatusTimer, &QTimer::timeout, this, &TStatusForm::StatusTimerTimer);
}

TStatusForm::TStatusForm(const EcuSession& session, QWidget* parent)
    : TStatusForm(session.Queries(), parent)
{
    connect(&session, &EcuSession::StateChanged, this, &TStatusForm::ShowState);
    connect(&session, &EcuSession::EcuIdentified, this,
        [this](const IdentifiedEcu& ecu) { SetEcu(QString::fromStdString(ecu.ecuId)); });
    ShowState(session.State());
}

void TStatusForm::ShowState(const SessionState& state)
{
    setWindowTitle(SessionCaption(m_caption, state));
}

int TStatusForm::SetEcu(const QString& ecuId)
{
    m_statusTexts = std::make_unique<TranslatedTexts<StatusPositionCount>>(
        "StatusFlags", StatusListOf(ecuId.toStdString()));
    m_statusList = m_statusTexts->Texts();
    StatusTimer->start();
    return 0;
}

QString TStatusForm::CellText(int column, int row) const
{
    const QTableWidgetItem* item = StatusSG->item(row, column);
    return item != nullptr ? item->text() : QString();
}

void TStatusForm::SetCell(int column, int row, const QString& text)
{
    QTableWidgetItem* item = StatusSG->item(row, column);
    if (item == nullptr) {
        if (!text.isEmpty())
            StatusSG->setItem(row, column, new QTableWidgetItem(text));
    } else if (item->text() != text) {
        item->setText(text);
    }
}

void TStatusForm::StatusTimerTimer()
{
    // What was read last stays to be seen, dimmed, until the values are current again.
    const bool current = m_queries.HasLiveValues();
    StatusSG->setEnabled(current);
    const std::vector<StatusLine> lines = DecodeStatus(m_statusList, ReadStatusBytes(m_queries));
    const int lineCount = static_cast<int>(lines.size());
    for (int row = 0; row < lineCount; ++row) {
        const StatusLine& line = lines[static_cast<std::size_t>(row)];
        SetCell(0, row, QString::fromStdString(line.name));
        SetCell(1, row, QString::fromStdString(line.state));
    }
    // A previous ECU with more flags would otherwise leave states this ECU does not have.
    for (int row = lineCount; row < m_lineCount; ++row) {
        SetCell(0, row, QString());
        SetCell(1, row, QString());
    }
    m_lineCount = lineCount;
}

void TStatusForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    StatusSG->resize(width() - GridWidthMargin, height() - GridHeightMargin);
}
