#pragma once

#include "logfile/LogReader.h"
#include "logfile/LogStatistics.h"

#include <QAbstractTableModel>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// The figures of the plotted channels, one row each: the channel, its value at the mouse's cursor,
// at cursors A and B and the change from A to B, as held from the sample before (as the plots
// draw it), and its least, greatest and mean value over the visible span. The figures are kept as
// numbers and written out only when shown.
class FiguresModel : public QAbstractTableModel {
    Q_OBJECT

public:
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
    // The mouse's cursor, A and B, in seconds.
    using Cursors = std::array<std::optional<double>, 3>;

    using QAbstractTableModel::QAbstractTableModel;

    // One row for each of these columns of `log`, which must stay as it is while they are shown.
    void ShowChannels(const LogContents& log, const std::vector<std::size_t>& columns);
    void ShowCursors(const Cursors& cursors);
    void ShowSpan(double fromSeconds, double toSeconds);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString ChannelName(std::size_t row) const;
    QString ValueAt(std::size_t column, double seconds) const;
    QString ChangeBetween(std::size_t column, double a, double b) const;

    const LogContents* m_log = nullptr;
    std::vector<std::size_t> m_columns;
    Cursors m_cursors;
    std::vector<ChannelStatistics> m_spanStatistics; // of each row
};
