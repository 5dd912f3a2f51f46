#pragma once

#include "logfile/LogReader.h"
#include "logfile/LogReplay.h"
#include "viewer/CursorFigures.h"
#include "viewer/StackedTimePlots.h"

#include <QImage>
#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

class EcuSession;
class LogOpening;
class MarkerList;
class OpeningProgress;
class QAction;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class ReplayBar;

// The log viewer: a log (ours or another tool's) as stacked plots of the chosen channels on one
// time axis, with a cursor that follows the mouse, two fixed cursors A (left click) and B (right
// click), each channel's figures over the visible span, and a replay of the log through the
// session, so that the dashboard and the data viewer show it as if live. A log is read on a
// thread of its own, with its progress and Cancel shown, so that the window goes on answering.
class TLogViewerForm : public QMainWindow {
    Q_OBJECT

public:
    using Figure = CursorFigures::Figure;

    // Replays through `session`, which outlives the window; the replay's timing reads `now`.
    explicit TLogViewerForm(
        EcuSession& session, LogPlayer::Now now = LogPlayer::Clock::now, QWidget* parent = nullptr);
    ~TLogViewerForm() override;

    // Starts reading the log; once read, it is shown with its first three channels and what
    // could not be read is listed under the plots. A file that could not be read, or from which no
    // value could, is said in a message, and the log shown before stays.
    void OpenLog(const QString& path);
    // For callers that are no user (the picture tool, tests): opens the log and waits for the
    // read; true when the log is shown.
    bool OpenLogAndWait(const QString& path);
    // Lets the user choose a log, starting in `folder`.
    void ChooseLog(const QString& folder = QString());
    // Saves the plots with the log's name and dates and the figures as a PNG picture, ".png"
    // added to a name without an extension; the path written, nothing when it could not be.
    std::optional<QString> ExportPng(const QString& path);
    // The plots with the log's name and dates and the figures, as exported.
    QImage Picture() const;
    // Saves the table of figures as CSV; false when it could not be written.
    bool SaveFigures(const QString& path);

    // Which channels are plotted, in the order of the log; a name the log has twice shows its first.
    void ShowChannels(const QStringList& names);
    QStringList ShownChannels() const;
    // The visible span of time, in seconds.
    void SetVisibleSeconds(double from, double to);
    void SetCursorA(double seconds);
    void SetCursorB(double seconds);
    // Cursor A at the marker's time, brought into view if it is not, as a click in the list does.
    void GoToMarker(double seconds);
    const MarkerList& Markers() const { return *m_markerList; }

    const LogContents& Log() const { return m_log; }
    QString LogPath() const { return m_path; }
    QCustomPlot* Plot() const { return m_plots; }
    QString FigureText(int row, Figure column) const { return m_figures->Text(row, column); }
    QString FigureHeading(Figure column) const { return m_figures->Heading(column); }
    QString ProblemsText() const;
    const LogPlayer* Player() const { return m_player.get(); }

    // Moves the replay on by the clock; the window's timer calls it while playing.
    void AdvanceReplay();

signals:
    // A read that OpenLog started is over: true when its log is shown, false when it was refused
    // or cancelled.
    void OpenFinished(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A message with OK; tests record the text instead.
    virtual void ShowMessage(const QString& text);

private:
    static QString Caption();
    void BuildControls();
    void BuildMenu();
    void ShowLog(const QString& path, LogContents log);
    void ShowProblems();
    void FillChannelList();
    void RebuildPlots();
    void PlaceCursor(StackedTimePlots::Cursor which, std::optional<double> seconds);

    void Play();
    void Pause();
    void Step();
    void EndReplay();
    void ShowReplayRow();
    // Begins the replay unless the data logger is recording; says why when it cannot.
    bool EnsureReplaying();

    EcuSession& m_session;
    LogPlayer::Now m_now;
    LogContents m_log;
    QString m_path;
    std::unique_ptr<ReplayColumns> m_replayColumns;
    std::unique_ptr<LogPlayer> m_player;
    CursorFigures::Cursors m_cursors;

    LogOpening* m_opening = nullptr;
    OpeningProgress* m_openingProgress = nullptr;
    StackedTimePlots* m_plots = nullptr;
    CursorFigures* m_figures = nullptr;
    ReplayBar* m_replay = nullptr;
    QListWidget* m_channelList = nullptr;
    MarkerList* m_markerList = nullptr;
    QPlainTextEdit* m_problems = nullptr;
    QPushButton* m_fitButton = nullptr;
    QTimer* m_replayTimer = nullptr;
    // Of no use without a log.
    std::vector<QAction*> m_logActions;
};
