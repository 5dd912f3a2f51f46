#pragma once

#include "logfile/LogReader.h"

#include <qcustomplot.h>

#include <QPoint>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// Channels of a log stacked on one time axis (seconds). Each is drawn as what the log holds: the
// value of a sample held until the next sample, an empty field breaking the line, and a sample
// alone between gaps marked by a point. Three cursors cross every plot: the mouse's, A and B.
//
// The markers made while recording cross every plot as dashed lines, labelled on the top one.
//
// Wheel: zoom the time; drag: pan; Shift+drag: zoom to the box; click: A (left) or B (right).
class StackedTimePlots : public QCustomPlot {
    Q_OBJECT

public:
    enum class Cursor { Mouse, A, B };

    explicit StackedTimePlots(QWidget* parent = nullptr);

    // The log to plot from, which must stay as it is while it is shown; nothing is plotted yet.
    void SetLog(const LogContents& log);
    // Plots these columns of the log; the visible time stays when some were shown before (FitAll
    // shows a new log whole).
    void Show(const std::vector<std::size_t>& columns);
    std::size_t ShownCount() const { return m_plots.size(); }
    std::size_t ShownColumn(std::size_t plot) const { return m_plots.at(plot).column; }

    void FitAll();
    void SetVisibleSeconds(double from, double to);
    QCPRange VisibleSeconds() const;
    // Puts a cursor at `seconds` on every plot; nowhere: hidden.
    void PlaceCursor(Cursor which, std::optional<double> seconds);

signals:
    void VisibleSecondsChanged(const QCPRange& seconds);
    // The mouse's time over the plots; nothing when it is beside them.
    void MouseMovedTo(std::optional<double> seconds);
    void CursorChosen(StackedTimePlots::Cursor which, double seconds);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Plot {
        std::size_t column;
        QCPAxisRect* rect;
        QString label; // the channel and its unit, before it is shortened to fit
        std::array<QCPItemStraightLine*, 3> cursors;
    };

    // The log's markers as lines across `rect`, with their numbers and notes where `labelled`.
    void AddMarkers(QCPAxisRect& rect, bool labelled);
    void AddPlot(std::size_t column, bool bottom);
    void SyncTime(const QCPRange& range);
    // Ticks and names of the value axes that fit their plots, however many are stacked.
    void FitValueAxes();
    // False when the plots' heights were even already.
    bool EvenHeights();
    std::optional<double> TimeAt(int x) const;

    const LogContents* m_log = nullptr;
    QVector<double> m_seconds; // of each row of the log
    std::vector<Plot> m_plots;
    QCPMarginGroup* m_margins = nullptr;
    std::array<std::optional<double>, 3> m_cursors;
    bool m_syncing = false;
    QPoint m_pressedAt; // of the mouse button now down: a release close by is a click
};
