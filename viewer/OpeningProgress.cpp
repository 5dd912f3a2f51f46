#include "viewer/OpeningProgress.h"

#include "viewer/LogOpening.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kSteps = 1000;
// Often enough to look smooth, seldom enough to cost nothing beside the read.
constexpr int kShowEveryMs = 50;

} // namespace

OpeningProgress::OpeningProgress(LogOpening& opening, QWidget* parent)
    : QWidget(parent)
    , m_opening(opening)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_name = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("OpeningProgressBar"));
    m_bar->setRange(0, kSteps);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelOpeningButton"));
    layout->addWidget(m_name);
    layout->addWidget(m_bar, 1);
    layout->addWidget(m_cancel);
    m_timer = new QTimer(this);
    m_timer->setInterval(kShowEveryMs);
    connect(m_timer, &QTimer::timeout, this, &OpeningProgress::ShowFraction);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_opening.Cancel(); });
    hide();
}

void OpeningProgress::Follow()
{
    //: While a log file is read; %1 is its name.
    m_name->setText(tr("Reading %1").arg(QFileInfo(m_opening.Path()).fileName()));
    m_bar->setValue(0);
    show();
    m_timer->start();
}

void OpeningProgress::Stop()
{
    m_timer->stop();
    hide();
}

void OpeningProgress::ShowFraction()
{
    m_bar->setValue(static_cast<int>(m_opening.Fraction() * kSteps));
}
