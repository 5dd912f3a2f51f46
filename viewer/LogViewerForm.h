#pragma once

#include "logger/LogReader.h"
#include "logger/LogReplay.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class EcuSession;
class QCPAxisRect;
class QCPItemStraightLine;
class QCPMarginGroup;
class QCPRange;
class QComboBox;
class QCustomPlot;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;

// The log viewer: a log (ours or another tool's CSV) as stacked plots of the chosen channels on
// one time axis, with a cursor that follows the mouse, two fixed cursors A (left click) and B
// (right click), each channel's figures over the visible span, and a replay of the log through
// the session, so that the dashboard and the data viewer show it as if live.
//
// Wheel: zoom the time; drag: pan; Shift+drag: zoom to the box; "Fit all": the whole log.
class TLogViewerForm : public QMainWindow {
    Q_OBJECT

public:
    // The columns of the channel table.
    enum Figure {
        ChannelColumn,
        CursorColumn,
        AColumn,
        BColumn,
        ChangeColumn,
        MinColumn,
        MaxColumn,
        MeanColumn
    };
    static constexpr int kFigureColumns = MeanColumn + 1;

    // Replays through `session`, which outlives the window; the replay's timing reads `now`.
    explicit TLogViewerForm(
        EcuSession& session, LogPlayer::Now now = LogPlayer::Clock::now, QWidget* parent = nullptr);
    ~TLogViewerForm() override;

    // Reads the log and shows its first three channels; false when the file could not be read at
    // all (said in a message). What could not be read is listed under the plots.
    bool OpenLog(const QString& path);
    // Lets the user choose a log, starting in `folder`.
    void ChooseLog(const QString& folder = QString());
    bool ExportPng(const QString& path);

    // Which channels are plotted, in the order of the log; a name the log has twice shows its first.
    void ShowChannels(const QStringList& names);
    QStringList ShownChannels() const;
    // The visible span of time, in seconds.
    void SetVisibleSeconds(double from, double to);
    void SetCursorA(double seconds);
    void SetCursorB(double seconds);

    const LogContents& Log() const { return m_log; }
    QString LogPath() const { return m_path; }
    QCustomPlot* Plot() const { return m_plot; }
    // The text of a cell of the channel table (row: a shown channel).
    QString FigureText(int row, Figure column) const;
    QString FigureHeading(Figure column) const;
    QString ProblemsText() const;
    const LogPlayer* Player() const { return m_player.get(); }

    // Moves the replay on by the clock; the window's timer calls it while playing.
    void AdvanceReplay();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A message with OK; tests record the text instead.
    virtual void ShowMessage(const QString& text);

private:
    struct ShownChannel {
        std::size_t column;
        QCPAxisRect* rect;
        QCPItemStraightLine* cursor;
        QCPItemStraightLine* a;
        QCPItemStraightLine* b;
    };

    void BuildControls();
    void BuildMenu();
    void FillChannelList();
    void RebuildPlots();
    void FitAll();
    void SyncTimeRange(const QCPRange& range);
    void MoveCursor(std::optional<double> seconds);
    // Puts one of the three cursors at `seconds` (nowhere: nothing) on every plot.
    void PlaceCursor(std::optional<double>& cursor, QCPItemStraightLine* ShownChannel::*line,
        std::optional<double> seconds);
    void PlaceLine(QCPItemStraightLine* line, const std::optional<double>& seconds) const;
    void UpdateFigures();
    void UpdateCursorFigures();
    std::optional<double> TimeAtPixel(int x) const;
    QString ValueAt(std::size_t column, double seconds) const;

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

    QCustomPlot* m_plot = nullptr;
    QCPMarginGroup* m_margins = nullptr;
    QListWidget* m_channelList = nullptr;
    QTableWidget* m_figures = nullptr;
    QPlainTextEdit* m_problems = nullptr;
    QPushButton* m_playButton = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_stepButton = nullptr;
    QPushButton* m_endButton = nullptr;
    QComboBox* m_speedCombo = nullptr;
    QSlider* m_positionSlider = nullptr;
    QTimer* m_replayTimer = nullptr;

    std::vector<ShownChannel> m_shown;
    std::optional<double> m_cursor; // seconds
    std::optional<double> m_a;
    std::optional<double> m_b;
    bool m_syncing = false;
    QPoint m_pressedAt; // of the mouse button now down: a release close by is a click
};
