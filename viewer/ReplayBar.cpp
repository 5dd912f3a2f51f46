#include "viewer/ReplayBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<double, 6> kSpeeds = { 0.25, 0.5, 1.0, 2.0, 4.0, 8.0 };
constexpr double kRealTime = 1.0;

} // namespace

ReplayBar::ReplayBar(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    connect(AddButton(tr("Play"), "PlayButton"), &QPushButton::clicked, this, &ReplayBar::PlayClicked);
    connect(AddButton(tr("Pause"), "PauseButton"), &QPushButton::clicked, this, &ReplayBar::PauseClicked);
    connect(AddButton(tr("Step"), "StepButton"), &QPushButton::clicked, this, &ReplayBar::StepClicked);
    connect(
        AddButton(tr("End Replay"), "EndReplayButton"), &QPushButton::clicked, this, &ReplayBar::EndClicked);
    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("SpeedCombo"));
    for (const double speed : kSpeeds)
        m_speed->addItem(QString::number(speed) + QStringLiteral("x"), speed);
    m_speed->setCurrentIndex(m_speed->findData(kRealTime));
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName(QStringLiteral("PositionSlider"));
    layout->addWidget(new QLabel(tr("Speed"), this));
    layout->addWidget(m_speed);
    layout->addWidget(m_position, 1);
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this] { emit SpeedChosen(Speed()); });
    connect(m_position, &QSlider::valueChanged, this,
        [this](int row) { emit RowChosen(static_cast<std::size_t>(std::max(row, 0))); });
    SetRows(0);
}

QPushButton* ReplayBar::AddButton(const QString& text, const char* name)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    layout()->addWidget(button);
    return button;
}

void ReplayBar::SetRows(std::size_t rows)
{
    const QSignalBlocker blocker(m_position);
    m_position->setRange(0, std::max(0, static_cast<int>(rows) - 1));
    m_position->setValue(0);
    setEnabled(rows > 0);
}

void ReplayBar::ShowRow(std::size_t row)
{
    const QSignalBlocker blocker(m_position);
    m_position->setValue(static_cast<int>(row));
}

double ReplayBar::Speed() const
{
    return m_speed->currentData().toDouble();
}
