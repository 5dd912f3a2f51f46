#include "viewer/LogViewerForm.h"

#include "link/EcuSession.h"
#include "viewer/LogOpening.h"
#include "viewer/MarkerList.h"
#include "viewer/OpeningProgress.h"
#include "viewer/PlotPicture.h"
#include "viewer/ReplayBar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 760;
constexpr int kChannelListWidth = 180;
constexpr int kProblemsHeight = 70;
constexpr int kFiguresHeight = 2 * kProblemsHeight;
constexpr int kFirstShownChannels = 3;
constexpr double kMsPerSecond = 1000.0;
// The replay moves on this often while playing; the log's own rows set what is shown.
constexpr int kReplayTickMs = 20;
constexpr const char* kPictureExtension = "png";
constexpr int kNameRole = Qt::UserRole;

using Cursor = StackedTimePlots::Cursor;

std::size_t IndexOf(Cursor cursor)
{
    return static_cast<std::size_t>(cursor);
}

} // namespace

TLogViewerForm::TLogViewerForm(EcuSession& session, LogPlayer::Now now, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_now(std::move(now))
{
    setObjectName(QStringLiteral("LogViewerForm"));
    setWindowTitle(Caption());
    resize(kWindowWidth, kWindowHeight);
    m_opening = new LogOpening(this);
    BuildControls();
    BuildMenu();
    m_replayTimer = new QTimer(this);
    m_replayTimer->setObjectName(QStringLiteral("ReplayTimer"));
    m_replayTimer->setInterval(kReplayTickMs);
    connect(m_replayTimer, &QTimer::timeout, this, &TLogViewerForm::AdvanceReplay);
    connect(m_opening, &LogOpening::Read, this, [this](const QString& path, std::shared_ptr<LogFile> file) {
        m_openingProgress->Stop();
        if (file->error) {
            ShowMessage(tr("The log could not be read: %1").arg(QString::fromStdString(*file->error)));
            emit OpenFinished(false);
            return;
        }
        ShowLog(path, std::move(file->contents));
        emit OpenFinished(true);
    });
    connect(m_opening, &LogOpening::Cancelled, this, [this] {
        m_openingProgress->Stop();
        emit OpenFinished(false);
    });
}

QString TLogViewerForm::Caption()
{
    return tr("DazedErir Log Viewer");
}

TLogViewerForm::~TLogViewerForm()
{
    EndReplay();
}

void TLogViewerForm::BuildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* topRow = new QHBoxLayout;
    m_replay = new ReplayBar(central);
    m_fitButton = new QPushButton(tr("Fit all"), central);
    m_fitButton->setObjectName(QStringLiteral("FitAllButton"));
    topRow->addWidget(m_replay, 1);
    topRow->addWidget(m_fitButton);
    layout->addLayout(topRow);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    auto* lists = new QSplitter(Qt::Vertical, splitter);
    lists->setMaximumWidth(kChannelListWidth);
    m_channelList = new QListWidget(lists);
    m_channelList->setObjectName(QStringLiteral("ChannelList"));
    m_markerList = new MarkerList(lists);
    m_plots = new StackedTimePlots(splitter);
    m_plots->setObjectName(QStringLiteral("LogPlot"));
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    m_figures = new CursorFigures(central);
    m_figures->setMaximumHeight(kFiguresHeight);
    layout->addWidget(m_figures);

    m_problems = new QPlainTextEdit(central);
    m_problems->setObjectName(QStringLiteral("ProblemsText"));
    m_problems->setReadOnly(true);
    m_problems->setMaximumHeight(kProblemsHeight);
    m_problems->hide();
    layout->addWidget(m_problems);

    m_openingProgress = new OpeningProgress(*m_opening, central);
    layout->addWidget(m_openingProgress);
    setCentralWidget(central);

    m_fitButton->setEnabled(false);
    connect(m_fitButton, &QPushButton::clicked, m_plots, &StackedTimePlots::FitAll);
    connect(m_replay, &ReplayBar::PlayClicked, this, &TLogViewerForm::Play);
    connect(m_replay, &ReplayBar::PauseClicked, this, &TLogViewerForm::Pause);
    connect(m_replay, &ReplayBar::StepClicked, this, &TLogViewerForm::Step);
    connect(m_replay, &ReplayBar::EndClicked, this, &TLogViewerForm::EndReplay);
    connect(m_replay, &ReplayBar::SpeedChosen, this, [this](double speed) {
        if (m_player)
            m_player->SetSpeed(speed);
    });
    // Set by the user (a drag, a click beside the handle, the keys); the replay sets it silently.
    connect(m_replay, &ReplayBar::RowChosen, this, [this](std::size_t row) {
        if (!m_player || !EnsureReplaying())
            return;
        m_player->Seek(row);
        ShowReplayRow();
    });
    connect(m_channelList, &QListWidget::itemChanged, this, [this] { RebuildPlots(); });
    connect(m_plots, &StackedTimePlots::VisibleSecondsChanged, this,
        [this](const QCPRange& seconds) { m_figures->Figures().ShowSpan(seconds.lower, seconds.upper); });
    connect(m_plots, &StackedTimePlots::MouseMovedTo, this,
        [this](std::optional<double> seconds) { PlaceCursor(Cursor::Mouse, seconds); });
    connect(m_plots, &StackedTimePlots::CursorChosen, this, &TLogViewerForm::PlaceCursor);
    connect(m_markerList, &MarkerList::MarkerChosen, this, &TLogViewerForm::GoToMarker);
}

void TLogViewerForm::BuildMenu()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("&Open Log..."));
    open->setObjectName(QStringLiteral("OpenLog"));
    connect(open, &QAction::triggered, this, [this] { ChooseLog(); });
    QAction* exportPng = file->addAction(tr("&Export PNG..."));
    exportPng->setObjectName(QStringLiteral("ExportPng"));
    connect(exportPng, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Export PNG"),
            QFileInfo(m_path).completeBaseName() + QLatin1Char('.') + QLatin1String(kPictureExtension),
            tr("PNG pictures (*.png)"));
        if (!path.isEmpty() && !ExportPng(path))
            ShowMessage(tr("The picture could not be written to %1").arg(path));
    });
    QAction* saveFigures = file->addAction(tr("&Save Figures as CSV..."));
    saveFigures->setObjectName(QStringLiteral("SaveFigures"));
    connect(saveFigures, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save Figures as CSV"),
            QFileInfo(m_path).completeBaseName() + QStringLiteral("-figures.csv"), tr("CSV files (*.csv)"));
        if (!path.isEmpty() && !SaveFigures(path))
            ShowMessage(tr("The figures could not be written to %1").arg(path));
    });
    QAction* close = file->addAction(tr("Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* copy = edit->addAction(tr("&Copy Figures"));
    copy->setObjectName(QStringLiteral("CopyFigures"));
    connect(copy, &QAction::triggered, m_figures, &CursorFigures::Copy);
    m_logActions = { exportPng, saveFigures, copy };
    for (QAction* action : m_logActions)
        action->setEnabled(false);
}

void TLogViewerForm::ChooseLog(const QString& folder)
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Log"), folder, tr("Logs (*.csv *.txt *.msl);;All files (*)"));
    if (!path.isEmpty())
        OpenLog(path);
}

void TLogViewerForm::OpenLog(const QString& path)
{
    m_opening->Start(path);
    m_openingProgress->Follow();
}

bool TLogViewerForm::OpenLogAndWait(const QString& path)
{
    QEventLoop loop;
    connect(this, &TLogViewerForm::OpenFinished, &loop, [&loop](bool shown) { loop.exit(shown ? 1 : 0); });
    OpenLog(path);
    return loop.exec() == 1;
}

void TLogViewerForm::ShowLog(const QString& path, LogContents log)
{
    EndReplay();
    m_log = std::move(log);
    m_path = path;
    m_cursors = {};
    m_replayColumns = std::make_unique<ReplayColumns>(m_log);
    m_player = std::make_unique<LogPlayer>(m_log.timesMs, m_now);
    m_player->SetSpeed(m_replay->Speed());
    m_replay->SetRows(m_log.Rows());
    m_fitButton->setEnabled(true);
    for (QAction* action : m_logActions)
        action->setEnabled(true);
    setWindowTitle(Caption() + QStringLiteral(" - ") + QFileInfo(path).fileName());
    ShowProblems();
    m_markerList->Show(m_log);
    FillChannelList();
    m_plots->FitAll();
}

void TLogViewerForm::ShowProblems()
{
    QStringList problems;
    for (const LogProblem& problem : m_log.problems)
        problems << QString::fromStdString(ProblemText(problem));
    if (m_log.unlistedProblems > 0)
        problems << tr("... and %1 more").arg(m_log.unlistedProblems);
    m_problems->setPlainText(problems.isEmpty()
            ? QString()
            : tr("Could not read all of %1:").arg(QFileInfo(m_path).fileName()) + QLatin1Char('\n')
                + problems.join(QLatin1Char('\n')));
    m_problems->setVisible(!problems.isEmpty());
}

void TLogViewerForm::FillChannelList()
{
    m_plots->SetLog(m_log);
    const QSignalBlocker blocker(m_channelList);
    m_channelList->clear();
    for (std::size_t i = 0; i < m_log.columns.size(); ++i) {
        const LogColumn& column = m_log.columns[i];
        const QString name = QString::fromStdString(column.name);
        auto* item = new QListWidgetItem(column.unit.empty()
                ? name
                : name + QStringLiteral(" (") + QString::fromStdString(column.unit) + ')',
            m_channelList);
        item->setData(kNameRole, name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < kFirstShownChannels ? Qt::Checked : Qt::Unchecked);
    }
    RebuildPlots();
}

void TLogViewerForm::ShowChannels(const QStringList& names)
{
    {
        const QSignalBlocker blocker(m_channelList);
        QStringList wanted = names;
        for (int i = 0; i < m_channelList->count(); ++i) {
            QListWidgetItem* item = m_channelList->item(i);
            item->setCheckState(
                wanted.removeOne(item->data(kNameRole).toString()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    RebuildPlots();
}

QStringList TLogViewerForm::ShownChannels() const
{
    QStringList names;
    for (std::size_t plot = 0; plot < m_plots->ShownCount(); ++plot)
        names << QString::fromStdString(m_log.columns[m_plots->ShownColumn(plot)].name);
    return names;
}

void TLogViewerForm::RebuildPlots()
{
    std::vector<std::size_t> columns;
    for (int i = 0; i < m_channelList->count(); ++i) {
        if (m_channelList->item(i)->checkState() == Qt::Checked)
            columns.push_back(static_cast<std::size_t>(i));
    }
    m_figures->Figures().ShowChannels(m_log, columns);
    m_plots->Show(columns);
    m_figures->Figures().ShowCursors(m_cursors);
    const QCPRange visible = m_plots->VisibleSeconds();
    m_figures->Figures().ShowSpan(visible.lower, visible.upper);
}

void TLogViewerForm::SetVisibleSeconds(double from, double to)
{
    m_plots->SetVisibleSeconds(from, to);
}

void TLogViewerForm::SetCursorA(double seconds)
{
    PlaceCursor(Cursor::A, seconds);
}

void TLogViewerForm::SetCursorB(double seconds)
{
    PlaceCursor(Cursor::B, seconds);
}

void TLogViewerForm::GoToMarker(double seconds)
{
    const QCPRange visible = m_plots->VisibleSeconds();
    if (!visible.contains(seconds))
        m_plots->SetVisibleSeconds(seconds - visible.size() / 2, seconds + visible.size() / 2);
    PlaceCursor(Cursor::A, seconds);
}

void TLogViewerForm::PlaceCursor(Cursor which, std::optional<double> seconds)
{
    m_cursors[IndexOf(which)] = seconds;
    m_plots->PlaceCursor(which, seconds);
    m_figures->Figures().ShowCursors(m_cursors);
}

QString TLogViewerForm::ProblemsText() const
{
    return m_problems->toPlainText();
}

std::optional<QString> TLogViewerForm::ExportPng(const QString& path)
{
    const QString file = QFileInfo(path).suffix().isEmpty()
        ? path + QLatin1Char('.') + QLatin1String(kPictureExtension)
        : path;
    if (!Picture().save(file, kPictureExtension))
        return std::nullopt;
    return file;
}

QImage TLogViewerForm::Picture() const
{
    const QDateTime now = QDateTime::currentDateTime();
    PlotPicture picture;
    picture.title = QFileInfo(m_path).fileName();
    picture.caption = m_log.startText.empty()
        ? tr("%1, exported %2").arg(picture.title, now.toString(Qt::ISODate))
        : tr("%1, recorded %2, exported %3")
              .arg(picture.title, QString::fromStdString(m_log.startText), now.toString(Qt::ISODate));
    picture.created = now.toString(Qt::ISODate);
    picture.headings = m_figures->Headings();
    picture.rows = m_figures->Rows();
    picture.description = picture.caption + QLatin1Char('\n') + m_figures->TableText(QLatin1Char('\t'));
    return picture.Compose(m_plots->toPixmap());
}

bool TLogViewerForm::SaveFigures(const QString& path)
{
    QSaveFile file(path);
    const QByteArray text = m_figures->TableText(QLatin1Char(',')).toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
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
    m_replay->ShowRow(row);
    // The viewer's cursor follows the replay.
    PlaceCursor(Cursor::Mouse, m_log.timesMs[row] / kMsPerSecond);
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
