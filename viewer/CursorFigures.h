#pragma once

#include "viewer/FiguresModel.h"

#include <QTableView>

#include <vector>

// The table of the plotted channels' figures (see FiguresModel). It can be copied and saved.
class CursorFigures : public QTableView {
    Q_OBJECT

public:
    using Figure = FiguresModel::Figure;
    using enum FiguresModel::Figure;
    using Cursors = FiguresModel::Cursors;
    static constexpr int kFigureColumns = FiguresModel::kFigureColumns;

    explicit CursorFigures(QWidget* parent = nullptr);

    FiguresModel& Figures() { return *m_figures; }

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
    FiguresModel* m_figures; // owned as a child
};
