#include "viewer/StackedTimePlots.h"

#include "viewer/SpacedTicker.h"

#include <QFontMetrics>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMsPerSecond = 1000.0;
// A press and release closer than this is a click (a cursor), not a drag.
constexpr int kClickSlopPixels = 4;
// A log whose rows all have one time is shown this wide around it.
constexpr double kSingleTimeSpanSeconds = 1.0;
// A little room above and below a trace, so that its lowest and highest values are not drawn on
// the edge of the plot, where they would be hidden.
constexpr double kValuePadding = 1.1;
// Value ticks one and a half label heights apart at least, in halves of a label height.
constexpr int kTickSpacingHalves = 3;
constexpr double kLonePointSize = 5.0;
// Heights closer than this share of a plot's are even enough.
constexpr double kStretchTolerance = 0.02;
// QCustomPlot's own least margin beside a plot.
constexpr int kSideMargin = 15;

const std::array<QColor, 6> kTraceColours = { QColor(200, 0, 0), QColor(0, 0, 220), QColor(0, 128, 0),
    QColor(128, 0, 128), QColor(0, 128, 128), QColor(160, 96, 0) };
const QPen kMarkerPen(QColor(150, 0, 150), 1, Qt::DashLine);
// A marker's label: its number and the start of its note.
constexpr int kMarkerLabelChars = 24;
constexpr int kMarkerLabelGap = 2;

const std::array<QPen, 3> kCursorPens
    = { QPen(QColor(110, 110, 110), 1, Qt::DotLine), QPen(QColor(230, 120, 0)), QPen(QColor(0, 150, 200)) };

std::size_t IndexOf(StackedTimePlots::Cursor cursor)
{
    return static_cast<std::size_t>(cursor);
}

void FitValues(QCPAxisRect& rect)
{
    QCPAxis* values = rect.axis(QCPAxis::atLeft);
    values->rescale();
    values->scaleRange(kValuePadding);
}

// A sample with a gap (or the log's end) on both sides: a held value too short to see.
bool IsLone(const std::vector<float>& values, std::size_t row)
{
    const bool gapBefore = row == 0 || std::isnan(values[row - 1]);
    const bool gapAfter = row + 1 == values.size() || std::isnan(values[row + 1]);
    return !std::isnan(values[row]) && gapBefore && gapAfter;
}

QString AxisLabel(const LogColumn& column)
{
    const QString name = QString::fromStdString(column.name);
    return column.unit.empty() ? name
                               : name + QStringLiteral(" (") + QString::fromStdString(column.unit) + ')';
}

} // namespace

StackedTimePlots::StackedTimePlots(QWidget* parent)
    : QCustomPlot(parent)
{
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    setMouseTracking(true);
    plotLayout()->clear();
    connect(this, &QCustomPlot::afterLayout, this, &StackedTimePlots::FitValueAxes);
}

void StackedTimePlots::SetLog(const LogContents& log)
{
    m_log = &log;
    m_seconds.resize(static_cast<qsizetype>(log.Rows()));
    for (std::size_t row = 0; row < log.Rows(); ++row)
        m_seconds[static_cast<qsizetype>(row)] = log.timesMs[row] / kMsPerSecond;
}

void StackedTimePlots::Show(const std::vector<std::size_t>& columns)
{
    if (!m_log)
        return;
    const bool hadPlots = !m_plots.empty();
    const QCPRange oldRange = hadPlots ? VisibleSeconds() : QCPRange();
    m_plots.clear();
    clearItems();
    clearGraphs();
    plotLayout()->clear();
    delete m_margins;
    m_margins = new QCPMarginGroup(this);

    for (std::size_t i = 0; i < columns.size(); ++i)
        AddPlot(columns[i], i + 1 == columns.size());
    if (hadPlots && !m_plots.empty())
        SyncTime(oldRange);
    else
        FitAll();
    for (std::size_t i = 0; i < m_cursors.size(); ++i)
        PlaceCursor(static_cast<Cursor>(i), m_cursors[i]);
    replot();
}

void StackedTimePlots::AddPlot(std::size_t column, bool bottom)
{
    auto* rect = new QCPAxisRect(this);
    plotLayout()->addElement(static_cast<int>(m_plots.size()), 0, rect);
    rect->setMarginGroup(QCP::msLeft | QCP::msRight, m_margins);
    rect->setRangeDrag(Qt::Horizontal);
    rect->setRangeZoom(Qt::Horizontal);
    QCPAxis* x = rect->axis(QCPAxis::atBottom);
    QCPAxis* y = rect->axis(QCPAxis::atLeft);
    y->setTicker(QSharedPointer<SpacedTicker>::create());
    // Above and below, room for half a value label (one at the edge) and no more: stacked plots
    // of many channels need their height for their values.
    const int halfLabel = (QFontMetrics(y->tickLabelFont()).height() + 1) / 2;
    rect->setMinimumMargins(QMargins(kSideMargin, halfLabel, kSideMargin, halfLabel));
    // Only the lowest plot shows the time: the others give its room to their own values.
    x->setVisible(bottom);
    x->grid()->setVisible(true);
    if (bottom)
        x->setLabel(tr("Time (s)"));
    connect(x, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &StackedTimePlots::SyncTime);

    const QColor colour = kTraceColours[m_plots.size() % kTraceColours.size()];
    const std::vector<float>& source = m_log->columns[column].values;
    // NaN values (gaps) break the line: a gap stays a gap.
    QVector<double> values(static_cast<qsizetype>(source.size()));
    QVector<double> loneKeys;
    QVector<double> loneValues;
    for (std::size_t row = 0; row < source.size(); ++row) {
        values[static_cast<qsizetype>(row)] = static_cast<double>(source[row]);
        if (IsLone(source, row)) {
            loneKeys << m_seconds[static_cast<qsizetype>(row)];
            loneValues << static_cast<double>(source[row]);
        }
    }
    QCPGraph* trace = addGraph(x, y);
    trace->setPen(QPen(colour));
    trace->setLineStyle(QCPGraph::lsStepLeft);
    trace->setData(m_seconds, values, true);
    QCPGraph* lone = addGraph(x, y);
    lone->setLineStyle(QCPGraph::lsNone);
    lone->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, kLonePointSize));
    lone->setData(loneKeys, loneValues, true);
    FitValues(*rect);

    AddMarkers(*rect, m_plots.empty());

    Plot plot { column, rect, AxisLabel(m_log->columns[column]), {} };
    for (std::size_t i = 0; i < plot.cursors.size(); ++i) {
        auto* line = new QCPItemStraightLine(this);
        line->setClipAxisRect(rect);
        line->point1->setAxes(x, y);
        line->point2->setAxes(x, y);
        line->setPen(kCursorPens[i]);
        line->setVisible(false);
        plot.cursors[i] = line;
    }
    y->setLabel(plot.label);
    m_plots.push_back(plot);
}

void StackedTimePlots::AddMarkers(QCPAxisRect& rect, bool labelled)
{
    QCPAxis* x = rect.axis(QCPAxis::atBottom);
    QCPAxis* y = rect.axis(QCPAxis::atLeft);
    for (const LogMarker& marker : m_log->markers) {
        const double seconds = marker.ms / kMsPerSecond;
        auto* line = new QCPItemStraightLine(this);
        line->setClipAxisRect(&rect);
        line->point1->setAxes(x, y);
        line->point2->setAxes(x, y);
        line->point1->setCoords(seconds, 0);
        line->point2->setCoords(seconds, 1);
        line->setPen(kMarkerPen);
        // The plots stacked below share the top one's labels.
        if (!labelled)
            continue;
        auto* label = new QCPItemText(this);
        label->setObjectName(QStringLiteral("MarkerLabel"));
        label->setClipAxisRect(&rect);
        label->position->setAxisRect(&rect);
        label->position->setAxes(x, y);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(seconds, 0);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setPadding(QMargins(kMarkerLabelGap, 0, kMarkerLabelGap, 0));
        label->setColor(kMarkerPen.color());
        label->setBrush(QBrush(QColor(255, 255, 255, 200)));
        const QString note = QString::fromStdString(marker.note);
        const QString text = note.isEmpty() ? QString::number(marker.number)
                                            : QString::number(marker.number) + QLatin1Char(' ')
                + (note.size() > kMarkerLabelChars ? note.left(kMarkerLabelChars) + QChar(0x2026) : note);
        label->setText(text);
    }
}

void StackedTimePlots::FitAll()
{
    if (m_plots.empty() || !m_log)
        return;
    double first = m_log->FirstMs() / kMsPerSecond;
    double last = m_log->LastMs() / kMsPerSecond;
    if (last <= first) {
        first -= kSingleTimeSpanSeconds / 2;
        last = first + kSingleTimeSpanSeconds;
    }
    SetVisibleSeconds(first, last);
    for (Plot& plot : m_plots)
        FitValues(*plot.rect);
    replot();
}

void StackedTimePlots::SetVisibleSeconds(double from, double to)
{
    if (!m_plots.empty())
        m_plots.front().rect->axis(QCPAxis::atBottom)->setRange(from, to);
    SyncTime(QCPRange(from, to));
    replot(rpQueuedReplot);
}

QCPRange StackedTimePlots::VisibleSeconds() const
{
    return m_plots.empty() ? QCPRange() : m_plots.front().rect->axis(QCPAxis::atBottom)->range();
}

void StackedTimePlots::SyncTime(const QCPRange& range)
{
    // Every plot shares the time axis: a change in one is made in all.
    if (m_syncing)
        return;
    m_syncing = true;
    for (Plot& plot : m_plots)
        plot.rect->axis(QCPAxis::atBottom)->setRange(range);
    m_syncing = false;
    emit VisibleSecondsChanged(range);
}

void StackedTimePlots::PlaceCursor(Cursor which, std::optional<double> seconds)
{
    m_cursors[IndexOf(which)] = seconds;
    for (Plot& plot : m_plots) {
        QCPItemStraightLine* line = plot.cursors[IndexOf(which)];
        line->setVisible(seconds.has_value());
        if (seconds) {
            line->point1->setCoords(*seconds, 0);
            line->point2->setCoords(*seconds, 1);
        }
    }
    replot(rpQueuedReplot);
}

void StackedTimePlots::FitValueAxes()
{
    bool changed = false;
    for (Plot& plot : m_plots) {
        QCPAxis* values = plot.rect->axis(QCPAxis::atLeft);
        const int labelHeight = QFontMetrics(values->tickLabelFont()).height();
        auto* ticker = static_cast<SpacedTicker*>(values->ticker().data());
        changed = ticker->SetSpace(plot.rect->height(), labelHeight * kTickSpacingHalves / 2) || changed;
        // The name runs along the axis: longer than its plot, it would run into the next one's.
        const QString label
            = QFontMetrics(values->labelFont()).elidedText(plot.label, Qt::ElideRight, plot.rect->height());
        if (values->label() != label) {
            values->setLabel(label);
            changed = true;
        }
    }
    changed = EvenHeights() || changed;
    // The plots' heights are known only now; the ticks are placed by the next drawing.
    if (changed)
        replot(rpQueuedReplot);
}

bool StackedTimePlots::EvenHeights()
{
    // The lowest plot holds the time axis below it as well: given as much more room, its values
    // get as much height as the others'.
    if (m_plots.size() < 2)
        return false;
    const QCPAxisRect* last = m_plots.back().rect;
    const QCPAxisRect* other = m_plots.front().rect;
    const int otherOuter = other->outerRect().height();
    const int extra = last->margins().bottom() - other->margins().bottom();
    if (otherOuter <= 0 || extra <= 0)
        return false;
    const double stretch = static_cast<double>(otherOuter + extra) / otherOuter;
    const int lastRow = static_cast<int>(m_plots.size()) - 1;
    if (std::abs(plotLayout()->rowStretchFactors().value(lastRow) - stretch) < kStretchTolerance)
        return false;
    plotLayout()->setRowStretchFactor(lastRow, stretch);
    return true;
}

std::optional<double> StackedTimePlots::TimeAt(int x) const
{
    if (m_plots.empty())
        return std::nullopt;
    const QCPAxisRect* rect = m_plots.front().rect;
    if (x < rect->left() || x > rect->right())
        return std::nullopt;
    return rect->axis(QCPAxis::atBottom)->pixelToCoord(x);
}

void StackedTimePlots::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = event->pos();
    // Shift and a drag draws the box to zoom to; a plain drag pans.
    setSelectionRectMode(event->modifiers() & Qt::ShiftModifier ? QCP::srmZoom : QCP::srmNone);
    QCustomPlot::mousePressEvent(event);
}

void StackedTimePlots::mouseMoveEvent(QMouseEvent* event)
{
    QCustomPlot::mouseMoveEvent(event);
    emit MouseMovedTo(TimeAt(event->pos().x()));
}

void StackedTimePlots::mouseReleaseEvent(QMouseEvent* event)
{
    QCustomPlot::mouseReleaseEvent(event);
    if ((event->pos() - m_pressedAt).manhattanLength() > kClickSlopPixels)
        return;
    const std::optional<double> seconds = TimeAt(event->pos().x());
    if (!seconds)
        return;
    if (event->button() == Qt::LeftButton)
        emit CursorChosen(Cursor::A, *seconds);
    else if (event->button() == Qt::RightButton)
        emit CursorChosen(Cursor::B, *seconds);
}
