#include "viewer/FiguresModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kValueDigits = 6;
constexpr int kTimeDecimals = 3;
constexpr const char* kNoValue = "--";

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

} // namespace

void FiguresModel::ShowChannels(const LogContents& log, const std::vector<std::size_t>& columns)
{
    beginResetModel();
    m_log = &log;
    m_columns = columns;
    m_spanStatistics.assign(columns.size(), {});
    endResetModel();
}

void FiguresModel::ShowCursors(const Cursors& cursors)
{
    m_cursors = cursors;
    emit headerDataChanged(Qt::Horizontal, CursorColumn, ChangeColumn);
    if (rowCount() > 0)
        emit dataChanged(index(0, CursorColumn), index(rowCount() - 1, ChangeColumn));
}

void FiguresModel::ShowSpan(double fromSeconds, double toSeconds)
{
    if (!m_log)
        return;
    const RowSpan shown
        = RowsShownWithin(m_log->timesMs, fromSeconds * kMsPerSecond, toSeconds * kMsPerSecond);
    for (std::size_t row = 0; row < m_columns.size(); ++row)
        m_spanStatistics[row] = StatisticsOf(m_log->columns[m_columns[row]].values, shown);
    if (rowCount() > 0)
        emit dataChanged(index(0, MinColumn), index(rowCount() - 1, MeanColumn));
}

int FiguresModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

int FiguresModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kFigureColumns;
}

QVariant FiguresModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !m_log)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const std::size_t column = m_columns.at(row);
    const auto& [mouse, a, b] = m_cursors;
    switch (static_cast<Figure>(index.column())) {
    case ChannelColumn:
        return ChannelName(row);
    case CursorColumn:
        return mouse ? ValueAt(column, *mouse) : QString();
    case AColumn:
        return a ? ValueAt(column, *a) : QString();
    case BColumn:
        return b ? ValueAt(column, *b) : QString();
    case ChangeColumn:
        return a && b ? ChangeBetween(column, *a, *b) : QString();
    case MinColumn:
        return FigureOf(m_spanStatistics[row].min);
    case MaxColumn:
        return FigureOf(m_spanStatistics[row].max);
    case MeanColumn:
        return FigureOf(m_spanStatistics[row].mean);
    }
    return {};
}

QVariant FiguresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto& [mouse, a, b] = m_cursors;
    switch (static_cast<Figure>(section)) {
    case ChannelColumn:
        return tr("Channel");
    case CursorColumn:
        return mouse ? tr("Cursor %1").arg(Seconds(*mouse)) : tr("Cursor");
    case AColumn:
        return a ? tr("A %1").arg(Seconds(*a)) : tr("A (left click)");
    case BColumn:
        return b ? tr("B %1").arg(Seconds(*b)) : tr("B (right click)");
    case ChangeColumn:
        return a && b ? tr("B - A %1").arg(Seconds(*b - *a)) : tr("B - A");
    case MinColumn:
        return tr("Min");
    case MaxColumn:
        return tr("Max");
    case MeanColumn:
        return tr("Mean");
    }
    return {};
}

QString FiguresModel::ChannelName(std::size_t row) const
{
    const LogColumn& channel = m_log->columns[m_columns[row]];
    QString name = QString::fromStdString(channel.name);
    if (!channel.unit.empty())
        name += QStringLiteral(" (") + QString::fromStdString(channel.unit) + QLatin1Char(')');
    return name;
}

QString FiguresModel::ValueAt(std::size_t column, double seconds) const
{
    const std::optional<std::size_t> row = RowAt(m_log->timesMs, seconds * kMsPerSecond);
    if (!row)
        return QString::fromLatin1(kNoValue);
    const float value = m_log->columns[column].values[*row];
    return std::isnan(value) ? QString::fromLatin1(kNoValue) : Number(value);
}

QString FiguresModel::ChangeBetween(std::size_t column, double a, double b) const
{
    const std::optional<std::size_t> rowA = RowAt(m_log->timesMs, a * kMsPerSecond);
    const std::optional<std::size_t> rowB = RowAt(m_log->timesMs, b * kMsPerSecond);
    const std::vector<float>& values = m_log->columns[column].values;
    if (!rowA || !rowB || std::isnan(values[*rowA]) || std::isnan(values[*rowB]))
        return QString::fromLatin1(kNoValue);
    return Change(values[*rowA], values[*rowB]);
}
