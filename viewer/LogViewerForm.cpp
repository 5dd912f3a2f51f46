#include "viewer/LogViewerForm.h"

#include "link/EcuSession.h"
#include "logger/LogStatistics.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr const char* kCaption = "DazedErir Log Viewer";
constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 760;
constexpr int kChannelListWidth = 180;
constexpr int kProblemsHeight = 70;
constexpr int kFirstShownChannels = 3;
constexpr double kMsPerSecond = 1000.0;
// A press and release closer than this is a click (a cursor), not a drag.
constexpr int kClickSlopPixels = 4;
// The replay moves on this often while playing; the log's own rows set what is shown.
constexpr int kReplayTickMs = 20;
constexpr int kValueDigits = 6;
constexpr int kTimeDecimals = 3;
// A span this small is widened so that a log of one row still shows.
constexpr double kLeastSpanSeconds = 1.0;

const std::array<double, 6> kSpeeds = { 0.25, 0.5, 1.0, 2.0, 4.0, 8.0 };
constexpr int kRealTimeSpeedIndex = 2;

const std::array<QColor, 6> kTraceColours = { QColor(200, 0, 0), QColor(0, 0, 220), QColor(0, 128, 0),
    QColor(128, 0, 128), QColor(0, 128, 128), QColor(160, 96, 0) };
const QColor kCursorColour(110, 110, 110);
const QColor kAColour(230, 120, 0);
const QColor kBColour(0, 150, 200);

const std::array<const char*, TLogViewerForm::kFigureColumns> kFigureHeadings
    = { "Channel", "Cursor", "A", "B", "B - A", "Min", "Max", "Mean" };

// A little room above and below a trace, so that its lowest and highest values are not drawn on
// the edge of the plot, where they would be hidden.
constexpr double kValuePadding = 1.1;

void FitValues(QCPAxisRect& rect)
{
    QCPAxis* values = rect.axis(QCPAxis::atLeft);
    values->rescale();
    values->scaleRange(kValuePadding);
}

QString Seconds(double seconds)
{
    return QString::number(seconds, 'f', kTimeDecimals) + QStringLiteral(" s");
}

QString Number(double value)
{
    return QString::number(value, 'g', kValueDigits);
}

// B - A of two values read as floats, to the digits the values themselves show: 139.84 - 140.63
// is -0.79, not the -0.790009 of their binary forms.
QString Change(float a, float b)
{
    const double larger = std::max(std::abs(static_cast<double>(a)), std::abs(static_cast<double>(b)));
    const int wholeDigits = larger >= 1.0 ? static_cast<int>(std::floor(std::log10(larger))) + 1 : 1;
    const double unit = std::pow(10.0, std::max(0, kValueDigits - wholeDigits));
    return Number(std::round((static_cast<double>(b) - static_cast<double>(a)) * unit) / unit);
}

QString FigureOf(const std::optional<double>& value)
{
    return value ? Number(*value) : QStringLiteral("--");
}

} // namespace

TLogViewerForm::TLogViewerForm(EcuSession& session, LogPlayer::Now now, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_now(std::move(now))
{
    setObjectName(QStringLiteral("LogViewerForm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    resize(kWindowWidth, kWindowHeight);
    BuildControls();
    BuildMenu();
    m_replayTimer = new QTimer(this);
    m_replayTimer->setObjectName(QStringLiteral("ReplayTimer"));
    m_replayTimer->setInterval(kReplayTickMs);
    connect(m_replayTimer, &QTimer::timeout, this, &TLogViewerForm::AdvanceReplay);
}

TLogViewerForm::~TLogViewerForm()
{
    EndReplay();
}

void TLogViewerForm::BuildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* replayRow = new QHBoxLayout;
    m_playButton = new QPushButton(QStringLiteral("Play"), central);
    m_playButton->setObjectName(QStringLiteral("PlayButton"));
    m_pauseButton = new QPushButton(QStringLiteral("Pause"), central);
    m_pauseButton->setObjectName(QStringLiteral("PauseButton"));
    m_stepButton = new QPushButton(QStringLiteral("Step"), central);
    m_stepButton->setObjectName(QStringLiteral("StepButton"));
    m_endButton = new QPushButton(QStringLiteral("End Replay"), central);
    m_endButton->setObjectName(QStringLiteral("EndReplayButton"));
    m_speedCombo = new QComboBox(central);
    m_speedCombo->setObjectName(QStringLiteral("SpeedCombo"));
    for (const double speed : kSpeeds)
        m_speedCombo->addItem(QString::number(speed) + QStringLiteral("x"), speed);
    m_speedCombo->setCurrentIndex(kRealTimeSpeedIndex);
    m_positionSlider = new QSlider(Qt::Horizontal, central);
    m_positionSlider->setObjectName(QStringLiteral("PositionSlider"));
    auto* fitButton = new QPushButton(QStringLiteral("Fit all"), central);
    fitButton->setObjectName(QStringLiteral("FitAllButton"));
    for (QWidget* widget :
        std::initializer_list<QWidget*> { m_playButton, m_pauseButton, m_stepButton, m_endButton })
        replayRow->addWidget(widget);
    replayRow->addWidget(new QLabel(QStringLiteral("Speed"), central));
    replayRow->addWidget(m_speedCombo);
    replayRow->addWidget(m_positionSlider, 1);
    replayRow->addWidget(fitButton);
    layout->addLayout(replayRow);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    m_channelList = new QListWidget(splitter);
    m_channelList->setObjectName(QStringLiteral("ChannelList"));
    m_channelList->setMaximumWidth(kChannelListWidth);
    m_plot = new QCustomPlot(splitter);
    m_plot->setObjectName(QStringLiteral("LogPlot"));
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->installEventFilter(this);
    m_plot->setMouseTracking(true);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    m_figures = new QTableWidget(0, kFigureColumns, central);
    m_figures->setObjectName(QStringLiteral("FigureTable"));
    m_figures->verticalHeader()->hide();
    m_figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_figures->setMaximumHeight(kProblemsHeight * 2);
    for (int column = 0; column < kFigureColumns; ++column)
        m_figures->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromLatin1(kFigureHeadings[column])));
    layout->addWidget(m_figures);

    m_problems = new QPlainTextEdit(central);
    m_problems->setObjectName(QStringLiteral("ProblemsText"));
    m_problems->setReadOnly(true);
    m_problems->setMaximumHeight(kProblemsHeight);
    m_problems->hide();
    layout->addWidget(m_problems);
    setCentralWidget(central);

    connect(m_playButton, &QPushButton::clicked, this, &TLogViewerForm::Play);
    connect(m_pauseButton, &QPushButton::clicked, this, &TLogViewerForm::Pause);
    connect(m_stepButton, &QPushButton::clicked, this, &TLogViewerForm::Step);
    connect(m_endButton, &QPushButton::clicked, this, &TLogViewerForm::EndReplay);
    connect(fitButton, &QPushButton::clicked, this, &TLogViewerForm::FitAll);
    connect(m_speedCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_player && index >= 0)
            m_player->SetSpeed(kSpeeds[static_cast<std::size_t>(index)]);
    });
    // Set by the user (a drag, a click beside the handle, the keys); the replay sets it silently.
    connect(m_positionSlider, &QSlider::valueChanged, this, [this](int row) {
        if (!m_player || !EnsureReplaying())
            return;
        m_player->Seek(static_cast<std::size_t>(row));
        ShowReplayRow();
    });
    connect(m_channelList, &QListWidget::itemChanged, this, [this] { RebuildPlots(); });
}

void TLogViewerForm::BuildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open Log..."));
    open->setObjectName(QStringLiteral("OpenLog"));
    connect(open, &QAction::triggered, this, [this] { ChooseLog(); });
    QAction* exportPng = file->addAction(QStringLiteral("&Export PNG..."));
    exportPng->setObjectName(QStringLiteral("ExportPng"));
    connect(exportPng, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export PNG"),
            QFileInfo(m_path).completeBaseName() + QStringLiteral(".png"),
            QStringLiteral("PNG pictures (*.png)"));
        if (!path.isEmpty() && !ExportPng(path))
            ShowMessage(QStringLiteral("The picture could not be written to %1").arg(path));
    });
    QAction* close = file->addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void TLogViewerForm::ChooseLog(const QString& folder)
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Log"), folder, QStringLiteral("Logs (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty())
        OpenLog(path);
}

bool TLogViewerForm::OpenLog(const QString& path)
{
    LogFile file = ReadLogFile(path.toStdString());
    if (file.error) {
        ShowMessage(QStringLiteral("The log could not be read: %1").arg(QString::fromStdString(*file.error)));
        return false;
    }
    EndReplay();
    m_shown.clear();
    m_plot->clearItems();
    m_plot->clearGraphs();
    m_log = std::move(file.contents);
    m_path = path;
    m_cursor.reset();
    m_a.reset();
    m_b.reset();
    m_replayColumns = std::make_unique<ReplayColumns>(m_log);
    m_player = std::make_unique<LogPlayer>(m_log.timesMs, m_now);
    m_player->SetSpeed(kSpeeds[static_cast<std::size_t>(std::max(0, m_speedCombo->currentIndex()))]);
    {
        const QSignalBlocker blocker(m_positionSlider);
        m_positionSlider->setRange(0, std::max(0, static_cast<int>(m_log.Rows()) - 1));
        m_positionSlider->setValue(0);
    }
    setWindowTitle(QString::fromLatin1(kCaption) + QStringLiteral(" - ") + QFileInfo(path).fileName());

    QStringList problems;
    for (const LogProblem& problem : m_log.problems)
        problems << QString::fromStdString(ProblemText(problem));
    if (m_log.unlistedProblems > 0)
        problems << QStringLiteral("... and %1 more").arg(m_log.unlistedProblems);
    m_problems->setPlainText(problems.isEmpty()
            ? QString()
            : QStringLiteral("Could not read all of %1:\n").arg(QFileInfo(path).fileName())
                + problems.join(QLatin1Char('\n')));
    m_problems->setVisible(!problems.isEmpty());
    FillChannelList();
    return true;
}

void TLogViewerForm::FillChannelList()
{
    const QSignalBlocker blocker(m_channelList);
    m_channelList->clear();
    for (std::size_t i = 0; i < m_log.columns.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_log.columns[i].name), m_channelList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < kFirstShownChannels ? Qt::Checked : Qt::Unchecked);
    }
    RebuildPlots();
    FitAll();
}

void TLogViewerForm::ShowChannels(const QStringList& names)
{
    {
        const QSignalBlocker blocker(m_channelList);
        // A log with every value holds the four charted channels twice: the first of each is shown.
        QStringList wanted = names;
        for (int i = 0; i < m_channelList->count(); ++i) {
            QListWidgetItem* item = m_channelList->item(i);
            item->setCheckState(wanted.removeOne(item->text()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    RebuildPlots();
}

QStringList TLogViewerForm::ShownChannels() const
{
    QStringList names;
    for (const ShownChannel& shown : m_shown)
        names << QString::fromStdString(m_log.columns[shown.column].name);
    return names;
}

void TLogViewerForm::RebuildPlots()
{
    const bool hadPlots = !m_shown.empty();
    const QCPRange oldRange = hadPlots ? m_shown.front().rect->axis(QCPAxis::atBottom)->range() : QCPRange();
    m_shown.clear();
    m_plot->clearItems();
    m_plot->clearGraphs();
    m_plot->plotLayout()->clear();
    delete m_margins;
    m_margins = new QCPMarginGroup(m_plot);

    std::vector<std::size_t> columns;
    for (int i = 0; i < m_channelList->count(); ++i) {
        if (m_channelList->item(i)->checkState() == Qt::Checked)
            columns.push_back(static_cast<std::size_t>(i));
    }
    QVector<double> keys(static_cast<qsizetype>(m_log.Rows()));
    for (std::size_t row = 0; row < m_log.Rows(); ++row)
        keys[static_cast<qsizetype>(row)] = m_log.timesMs[row] / kMsPerSecond;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::size_t column = columns[i];
        auto* rect = new QCPAxisRect(m_plot);
        m_plot->plotLayout()->addElement(static_cast<int>(i), 0, rect);
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, m_margins);
        rect->setRangeDrag(Qt::Horizontal);
        rect->setRangeZoom(Qt::Horizontal);
        QCPAxis* x = rect->axis(QCPAxis::atBottom);
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        y->setLabel(QString::fromStdString(m_log.columns[column].name));
        const bool bottom = i + 1 == columns.size();
        x->setTickLabels(bottom);
        if (bottom)
            x->setLabel(QStringLiteral("Time (s)"));
        QCPGraph* graph = m_plot->addGraph(x, y);
        graph->setPen(QPen(kTraceColours[i % kTraceColours.size()]));
        // NaN values (gaps) break the line: a gap stays a gap.
        QVector<double> values(static_cast<qsizetype>(m_log.Rows()));
        const std::vector<float>& source = m_log.columns[column].values;
        for (std::size_t row = 0; row < source.size(); ++row)
            values[static_cast<qsizetype>(row)] = static_cast<double>(source[row]);
        graph->setData(keys, values, true);
        connect(x, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &TLogViewerForm::SyncTimeRange);

        auto line = [this, rect, x, y](const QColor& colour, Qt::PenStyle style) {
            auto* item = new QCPItemStraightLine(m_plot);
            item->setClipAxisRect(rect);
            item->point1->setAxes(x, y);
            item->point2->setAxes(x, y);
            item->setPen(QPen(colour, 1, style));
            item->setVisible(false);
            return item;
        };
        m_shown.push_back({ column, rect, line(kCursorColour, Qt::DotLine), line(kAColour, Qt::SolidLine),
            line(kBColour, Qt::SolidLine) });
    }
    m_figures->setRowCount(static_cast<int>(m_shown.size()));
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        for (int column = 0; column < kFigureColumns; ++column)
            m_figures->setItem(static_cast<int>(i), column, new QTableWidgetItem);
        m_figures->item(static_cast<int>(i), ChannelColumn)
            ->setText(QString::fromStdString(m_log.columns[m_shown[i].column].name));
    }
    if (hadPlots && !m_shown.empty())
        SyncTimeRange(oldRange);
    else
        FitAll();
    for (ShownChannel& shown : m_shown) {
        FitValues(*shown.rect);
        PlaceLine(shown.a, m_a);
        PlaceLine(shown.b, m_b);
        PlaceLine(shown.cursor, m_cursor);
    }
    UpdateCursorFigures();
    m_plot->replot();
}

void TLogViewerForm::FitAll()
{
    if (m_shown.empty())
        return;
    double first = m_log.FirstMs() / kMsPerSecond;
    double last = m_log.LastMs() / kMsPerSecond;
    if (last - first < kLeastSpanSeconds)
        last = first + kLeastSpanSeconds;
    SetVisibleSeconds(first, last);
    for (ShownChannel& shown : m_shown)
        FitValues(*shown.rect);
    m_plot->replot();
}

void TLogViewerForm::SetVisibleSeconds(double from, double to)
{
    if (!m_shown.empty())
        m_shown.front().rect->axis(QCPAxis::atBottom)->setRange(from, to);
    SyncTimeRange(QCPRange(from, to));
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TLogViewerForm::SyncTimeRange(const QCPRange& range)
{
    // Every plot shares the time axis: a change in one is made in all.
    if (m_syncing)
        return;
    m_syncing = true;
    for (ShownChannel& shown : m_shown)
        shown.rect->axis(QCPAxis::atBottom)->setRange(range);
    m_syncing = false;
    UpdateFigures();
}

void TLogViewerForm::UpdateFigures()
{
    if (m_shown.empty())
        return;
    const QCPRange range = m_shown.front().rect->axis(QCPAxis::atBottom)->range();
    const RowSpan visible = RowsWithin(m_log.timesMs, range.lower * kMsPerSecond, range.upper * kMsPerSecond);
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        const ChannelStatistics statistics = StatisticsOf(m_log.columns[m_shown[i].column].values, visible);
        const int row = static_cast<int>(i);
        m_figures->item(row, MinColumn)->setText(FigureOf(statistics.min));
        m_figures->item(row, MaxColumn)->setText(FigureOf(statistics.max));
        m_figures->item(row, MeanColumn)->setText(FigureOf(statistics.mean));
    }
}

std::optional<double> TLogViewerForm::TimeAtPixel(int x) const
{
    if (m_shown.empty())
        return std::nullopt;
    const QCPAxisRect* rect = m_shown.front().rect;
    if (x < rect->left() || x > rect->right())
        return std::nullopt;
    return rect->axis(QCPAxis::atBottom)->pixelToCoord(x);
}

QString TLogViewerForm::ValueAt(std::size_t column, double seconds) const
{
    const std::optional<std::size_t> row = RowAt(m_log.timesMs, seconds * kMsPerSecond);
    if (!row)
        return QStringLiteral("--");
    const float value = m_log.columns[column].values[*row];
    return std::isnan(value) ? QStringLiteral("--") : Number(value);
}

void TLogViewerForm::PlaceLine(QCPItemStraightLine* line, const std::optional<double>& seconds) const
{
    line->setVisible(seconds.has_value());
    if (seconds) {
        line->point1->setCoords(*seconds, 0);
        line->point2->setCoords(*seconds, 1);
    }
}

void TLogViewerForm::MoveCursor(std::optional<double> seconds)
{
    PlaceCursor(m_cursor, &ShownChannel::cursor, seconds);
}

void TLogViewerForm::SetCursorA(double seconds)
{
    PlaceCursor(m_a, &ShownChannel::a, seconds);
}

void TLogViewerForm::SetCursorB(double seconds)
{
    PlaceCursor(m_b, &ShownChannel::b, seconds);
}

void TLogViewerForm::PlaceCursor(
    std::optional<double>& cursor, QCPItemStraightLine* ShownChannel::*line, std::optional<double> seconds)
{
    cursor = seconds;
    for (ShownChannel& shown : m_shown)
        PlaceLine(shown.*line, cursor);
    UpdateCursorFigures();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void TLogViewerForm::UpdateCursorFigures()
{
    auto heading = [this](Figure column, const QString& text) {
        m_figures->horizontalHeaderItem(column)->setText(text);
    };
    heading(
        CursorColumn, m_cursor ? QStringLiteral("Cursor ") + Seconds(*m_cursor) : QStringLiteral("Cursor"));
    heading(AColumn, m_a ? QStringLiteral("A ") + Seconds(*m_a) : QStringLiteral("A (left click)"));
    heading(BColumn, m_b ? QStringLiteral("B ") + Seconds(*m_b) : QStringLiteral("B (right click)"));
    heading(
        ChangeColumn, m_a && m_b ? QStringLiteral("B - A ") + Seconds(*m_b - *m_a) : QStringLiteral("B - A"));
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        const int row = static_cast<int>(i);
        const std::size_t column = m_shown[i].column;
        m_figures->item(row, CursorColumn)->setText(m_cursor ? ValueAt(column, *m_cursor) : QString());
        m_figures->item(row, AColumn)->setText(m_a ? ValueAt(column, *m_a) : QString());
        m_figures->item(row, BColumn)->setText(m_b ? ValueAt(column, *m_b) : QString());
        QString change;
        if (m_a && m_b) {
            const std::optional<std::size_t> rowA = RowAt(m_log.timesMs, *m_a * kMsPerSecond);
            const std::optional<std::size_t> rowB = RowAt(m_log.timesMs, *m_b * kMsPerSecond);
            const std::vector<float>& values = m_log.columns[column].values;
            if (rowA && rowB && !std::isnan(values[*rowA]) && !std::isnan(values[*rowB]))
                change = Change(values[*rowA], values[*rowB]);
            else
                change = QStringLiteral("--");
        }
        m_figures->item(row, ChangeColumn)->setText(change);
    }
}

QString TLogViewerForm::FigureText(int row, Figure column) const
{
    const QTableWidgetItem* item = m_figures->item(row, column);
    return item ? item->text() : QString();
}

QString TLogViewerForm::FigureHeading(Figure column) const
{
    return m_figures->horizontalHeaderItem(column)->text();
}

QString TLogViewerForm::ProblemsText() const
{
    return m_problems->toPlainText();
}

bool TLogViewerForm::ExportPng(const QString& path)
{
    return m_plot->savePng(path);
}

bool TLogViewerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_plot)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressedAt = mouse->pos();
        // Shift and a drag draws the box to zoom to; a plain drag pans.
        m_plot->setSelectionRectMode(mouse->modifiers() & Qt::ShiftModifier ? QCP::srmZoom : QCP::srmNone);
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if ((mouse->pos() - m_pressedAt).manhattanLength() <= kClickSlopPixels) {
            if (const std::optional<double> seconds = TimeAtPixel(mouse->pos().x())) {
                if (mouse->button() == Qt::LeftButton)
                    SetCursorA(*seconds);
                else if (mouse->button() == Qt::RightButton)
                    SetCursorB(*seconds);
            }
        }
        break;
    }
    case QEvent::MouseMove:
        MoveCursor(TimeAtPixel(static_cast<QMouseEvent*>(event)->pos().x()));
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TLogViewerForm::EnsureReplaying()
{
    if (m_session.IsReplaying() || m_session.BeginReplay(QFileInfo(m_path).fileName()))
        return true;
    ShowMessage(tr("The data logger is recording: the log can be replayed once its recording has "
                   "stopped, so that none of the log's values is taken for the car's."));
    return false;
}

void TLogViewerForm::Play()
{
    if (!m_player || m_log.Rows() == 0)
        return;
    if (!EnsureReplaying())
        return;
    m_player->Play();
    ShowReplayRow();
    m_replayTimer->start();
}

void TLogViewerForm::Pause()
{
    if (m_player)
        m_player->Pause();
    m_replayTimer->stop();
}

void TLogViewerForm::Step()
{
    if (!m_player || m_log.Rows() == 0)
        return;
    m_replayTimer->stop();
    // The first Step shows the row the replay stands at; each further one the next row.
    if (!m_session.IsReplaying()) {
        if (!EnsureReplaying())
            return;
        m_player->Pause();
    } else {
        m_player->Step();
    }
    ShowReplayRow();
}

void TLogViewerForm::AdvanceReplay()
{
    if (!m_player)
        return;
    if (m_player->Advance())
        ShowReplayRow();
    if (!m_player->Playing())
        m_replayTimer->stop();
}

void TLogViewerForm::ShowReplayRow()
{
    const std::size_t row = m_player->Row();
    if (row >= m_log.Rows())
        return;
    m_session.ShowReplayed(m_replayColumns->ValuesAt(m_log, row));
    {
        const QSignalBlocker blocker(m_positionSlider);
        m_positionSlider->setValue(static_cast<int>(row));
    }
    // The viewer's cursor follows the replay.
    MoveCursor(m_log.timesMs[row] / kMsPerSecond);
}

void TLogViewerForm::EndReplay()
{
    m_replayTimer->stop();
    if (m_player)
        m_player->Pause();
    m_session.EndReplay();
}

void TLogViewerForm::closeEvent(QCloseEvent* event)
{
    // The gauges go back to the link once nobody can see what is replayed.
    EndReplay();
    QMainWindow::closeEvent(event);
}

void TLogViewerForm::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
