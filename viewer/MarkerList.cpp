#include "viewer/MarkerList.h"

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kSecondsRole = Qt::UserRole;
constexpr int kSecondDecimals = 1;

} // namespace

MarkerList::MarkerList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("MarkerList"));
    setToolTip(tr("Markers made while recording: click one to put cursor A there"));
    connect(this, &QListWidget::itemClicked, this,
        [this](const QListWidgetItem* item) { emit MarkerChosen(item->data(kSecondsRole).toDouble()); });
    connect(this, &QListWidget::itemActivated, this,
        [this](const QListWidgetItem* item) { emit MarkerChosen(item->data(kSecondsRole).toDouble()); });
    hide();
}

void MarkerList::Show(const LogContents& log)
{
    clear();
    for (const LogMarker& marker : log.markers) {
        auto* item = new QListWidgetItem(LineOf(marker), this);
        item->setData(kSecondsRole, marker.ms / kMsPerSecond);
    }
    setVisible(!log.markers.empty());
}

QString MarkerList::LineOf(const LogMarker& marker)
{
    const QString line
        = tr("%1  %2 s").arg(marker.number).arg(marker.ms / kMsPerSecond, 0, 'f', kSecondDecimals);
    return marker.note.empty() ? line : line + QStringLiteral("  ") + QString::fromStdString(marker.note);
}
