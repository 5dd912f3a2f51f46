#include "viewer/CursorFigures.h"

#include "logger/LogStatistics.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kValueDigits = 6;
constexpr int kTimeDecimals = 3;
constexpr const char* kNoValue = "--";
constexpr const char* kLineEnd = "\r\n";

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
    return value ? Number(*value) : QString::fromLatin1(kNoValue);
}

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
    : QTableWidget(0, kFigureColumns, parent)
{
    setObjectName(QStringLiteral("FigureTable"));
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int column = 0; column < kFigureColumns; ++column)
        setHorizontalHeaderItem(column, new QTableWidgetItem);
    ShowCursors({});
    setHorizontalHeaderItem(ChannelColumn, new QTableWidgetItem(tr("Channel")));
    setHorizontalHeaderItem(MinColumn, new QTableWidgetItem(tr("Min")));
    setHorizontalHeaderItem(MaxColumn, new QTableWidgetItem(tr("Max")));
    setHorizontalHeaderItem(MeanColumn, new QTableWidgetItem(tr("Mean")));
}

void CursorFigures::ShowChannels(const LogContents& log, const std::vector<std::size_t>& columns)
{
    m_log = &log;
    m_columns = columns;
    setRowCount(static_cast<int>(columns.size()));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const LogColumn& channel = log.columns[columns[i]];
        QString name = QString::fromStdString(channel.name);
        if (!channel.unit.empty())
            name += QStringLiteral(" (") + QString::fromStdString(channel.unit) + QLatin1Char(')');
        for (int column = 0; column < kFigureColumns; ++column)
            setItem(static_cast<int>(i), column, new QTableWidgetItem);
        item(static_cast<int>(i), ChannelColumn)->setText(name);
    }
}

void CursorFigures::ShowCursors(const Cursors& cursors)
{
    const auto& [mouse, a, b] = cursors;
    horizontalHeaderItem(CursorColumn)->setText(mouse ? tr("Cursor %1").arg(Seconds(*mouse)) : tr("Cursor"));
    horizontalHeaderItem(AColumn)->setText(a ? tr("A %1").arg(Seconds(*a)) : tr("A (left click)"));
    horizontalHeaderItem(BColumn)->setText(b ? tr("B %1").arg(Seconds(*b)) : tr("B (right click)"));
    horizontalHeaderItem(ChangeColumn)->setText(a && b ? tr("B - A %1").arg(Seconds(*b - *a)) : tr("B - A"));
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const int row = static_cast<int>(i);
        const std::size_t column = m_columns[i];
        item(row, CursorColumn)->setText(mouse ? ValueAt(column, *mouse) : QString());
        item(row, AColumn)->setText(a ? ValueAt(column, *a) : QString());
        item(row, BColumn)->setText(b ? ValueAt(column, *b) : QString());
        item(row, ChangeColumn)->setText(a && b ? ChangeBetween(column, *a, *b) : QString());
    }
}

void CursorFigures::ShowSpan(double fromSeconds, double toSeconds)
{
    if (!m_log)
        return;
    const RowSpan shown
        = RowsShownWithin(m_log->timesMs, fromSeconds * kMsPerSecond, toSeconds * kMsPerSecond);
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const ChannelStatistics statistics = StatisticsOf(m_log->columns[m_columns[i]].values, shown);
        const int row = static_cast<int>(i);
        item(row, MinColumn)->setText(FigureOf(statistics.min));
        item(row, MaxColumn)->setText(FigureOf(statistics.max));
        item(row, MeanColumn)->setText(FigureOf(statistics.mean));
    }
}

QString CursorFigures::ValueAt(std::size_t column, double seconds) const
{
    const std::optional<std::size_t> row = RowAt(m_log->timesMs, seconds * kMsPerSecond);
    if (!row)
        return QString::fromLatin1(kNoValue);
    const float value = m_log->columns[column].values[*row];
    return std::isnan(value) ? QString::fromLatin1(kNoValue) : Number(value);
}

QString CursorFigures::ChangeBetween(std::size_t column, double a, double b) const
{
    const std::optional<std::size_t> rowA = RowAt(m_log->timesMs, a * kMsPerSecond);
    const std::optional<std::size_t> rowB = RowAt(m_log->timesMs, b * kMsPerSecond);
    const std::vector<float>& values = m_log->columns[column].values;
    if (!rowA || !rowB || std::isnan(values[*rowA]) || std::isnan(values[*rowB]))
        return QString::fromLatin1(kNoValue);
    return Change(values[*rowA], values[*rowB]);
}

QString CursorFigures::Text(int row, Figure column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

QString CursorFigures::Heading(Figure column) const
{
    return horizontalHeaderItem(column)->text();
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
    for (int row = 0; row < rowCount(); ++row) {
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
    QTableWidget::keyPressEvent(event);
}
