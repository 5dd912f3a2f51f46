#include "viewer/CursorFigures.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

namespace {

constexpr const char* kLineEnd = "\r\n";

QString Field(const QString& text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

CursorFigures::CursorFigures(QWidget* parent)
    : QTableView(parent)
    , m_figures(new FiguresModel(this))
{
    setObjectName(QStringLiteral("FigureTable"));
    setModel(m_figures);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

QString CursorFigures::Text(int row, Figure column) const
{
    return m_figures->index(row, column).data().toString();
}

QString CursorFigures::Heading(Figure column) const
{
    return m_figures->headerData(column, Qt::Horizontal).toString();
}

QStringList CursorFigures::Headings() const
{
    QStringList headings;
    for (int column = 0; column < kFigureColumns; ++column)
        headings << Heading(static_cast<Figure>(column));
    return headings;
}

std::vector<QStringList> CursorFigures::Rows() const
{
    std::vector<QStringList> rows;
    for (int row = 0; row < m_figures->rowCount(); ++row) {
        QStringList& cells = rows.emplace_back();
        for (int column = 0; column < kFigureColumns; ++column)
            cells << Text(row, static_cast<Figure>(column));
    }
    return rows;
}

QString CursorFigures::TableText(QChar separator) const
{
    const auto line = [separator](const QStringList& cells) {
        QStringList fields;
        for (const QString& cell : cells)
            fields << Field(cell, separator);
        return fields.join(separator) + QString::fromLatin1(kLineEnd);
    };
    QString text = line(Headings());
    for (const QStringList& row : Rows())
        text += line(row);
    return text;
}

void CursorFigures::Copy() const
{
    QApplication::clipboard()->setText(TableText(QLatin1Char('\t')));
}

void CursorFigures::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    QTableView::keyPressEvent(event);
}
