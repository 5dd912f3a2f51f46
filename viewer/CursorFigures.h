#pragma once

#include "logger/LogReader.h"

#include <QTableWidget>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

// The figures of the plotted channels: each one's value at the mouse's cursor, at cursors A and B
// and the change from A to B, as held from the sample before (as the plots draw it), and its
// least, greatest and mean value over the visible span. The table can be copied and saved.
class CursorFigures : public QTableWidget {
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
    // The mouse's cursor, A and B.
    using Cursors = std::array<std::optional<double>, 3>;

    explicit CursorFigures(QWidget* parent = nullptr);

    // One row for each of these columns of `log`, which must stay as it is while they are shown.
    void ShowChannels(const LogContents& log, const std::vector<std::size_t>& columns);
    // The cursors' times in seconds.
    void ShowCursors(const Cursors& cursors);
    void ShowSpan(double fromSeconds, double toSeconds);

    QString Text(int row, Figure column) const;
    QString Heading(Figure column) const;
    QStringList Headings() const;
    std::vector<QStringList> Rows() const;
    // The headings and the rows, fields separated by `separator`, lines ended by "\r\n"; a field
    // that holds the separator or a quote is quoted.
    QString TableText(QChar separator) const;
    // Onto the clipboard, tab-separated, so that a spreadsheet puts each figure into a cell.
    void Copy() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString ValueAt(std::size_t column, double seconds) const;
    QString ChangeBetween(std::size_t column, double a, double b) const;

    const LogContents* m_log = nullptr;
    std::vector<std::size_t> m_columns;
};
