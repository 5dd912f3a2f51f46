#include "ui/LimitsForm.h"

#include "ui/LimitTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int ColumnCount = 6;
constexpr QSize WindowSize { 640, 480 };

// The four limit columns and the limit each holds.
struct LimitColumn {
    int column;
    std::optional<float> ValueLimits::*limit;
};
constexpr std::array<LimitColumn, 4> LimitColumns { {
    { TLimitsForm::AlarmLowColumn, &ValueLimits::alarmLow },
    { TLimitsForm::WarningLowColumn, &ValueLimits::warningLow },
    { TLimitsForm::WarningHighColumn, &ValueLimits::warningHigh },
    { TLimitsForm::AlarmHighColumn, &ValueLimits::alarmHigh },
} };

// Kept with each limit cell: the limit as kept when shown, so that a cell left alone gives back
// exactly that number, not one converted there and back.
constexpr int ShownTextRole = Qt::UserRole;
constexpr int KeptLimitRole = Qt::UserRole + 1;

// The bit patterns (fault and status bytes) have no range to watch.
bool HasRange(const LiveValueRow& row)
{
    return row.jsonArray.empty();
}

QTableWidgetItem* FixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// A number typed the window's way ("14,5" in German) or the file's ("14.5").
std::optional<float> ParseNumber(const QString& text)
{
    bool ok = false;
    const float number = QLocale().toFloat(text, &ok);
    if (ok)
        return number;
    const float plain = QLocale::c().toFloat(text, &ok);
    return ok ? std::optional<float>(plain) : std::nullopt;
}

} // namespace

TLimitsForm::TLimitsForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LimitsForm"));
    setWindowTitle(tr("Limits"));
    resize(WindowSize);

    auto* layout = new QVBoxLayout(this);
    auto* hint
        = new QLabel(tr("A value beyond a warning limit turns its dial or box amber, beyond an alarm "
                        "limit red; an alarm names the value in the main window's status bar and marks "
                        "a running recording. Leave a box empty for no limit."),
            this);
    hint->setObjectName(QStringLiteral("LimitsHint"));
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("LimitsTable"));
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({ tr("Value"), tr("Unit"), tr("Low alarm"), tr("Low warning"),
        tr("High warning"), tr("High alarm") });
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (HasRange(row))
            m_rows.push_back(&row);
    }
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->setItem(
            row, NameColumn, FixedItem(LimitTexts::ValueName(*m_rows[static_cast<std::size_t>(row)])));
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->setObjectName(QStringLiteral("LimitsButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("LimitsOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("LimitsCancel"));
    buttons->button(QDialogButtonBox::RestoreDefaults)->setObjectName(QStringLiteral("LimitsDefaults"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TLimitsForm::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
        &TLimitsForm::RestoreDefaults);
    layout->addWidget(buttons);

    SetShownLimits(DefaultLimits(), m_units);
}

int TLimitsForm::RowOf(std::string_view value) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i]->name == value)
            return static_cast<int>(i);
    }
    return -1;
}

void TLimitsForm::SetShownLimits(const LimitTable& kept, const LiveSettings& units)
{
    m_units = units;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const LiveValueRow& value = *m_rows[static_cast<std::size_t>(row)];
        const std::string_view unit = UnitText(value.unit, units);
        m_table->setItem(
            row, UnitColumn, FixedItem(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()))));
        const auto found = kept.find(value.name);
        ShowRow(row, found == kept.end() ? ValueLimits {} : found->second);
    }
}

void TLimitsForm::ShowRow(int row, const ValueLimits& kept)
{
    const LiveValueRow& value = *m_rows[static_cast<std::size_t>(row)];
    const ValueLimits shown = LimitsInChosenUnits(kept, value.unit.choice, m_units);
    for (const LimitColumn& column : LimitColumns) {
        const std::optional<float>& limit = shown.*column.limit;
        const QString text = limit ? LimitTexts::LimitNumber(*limit) : QString();
        auto* item = new QTableWidgetItem(text);
        item->setData(ShownTextRole, text);
        if (const std::optional<float>& keptLimit = kept.*column.limit)
            item->setData(KeptLimitRole, *keptLimit);
        m_table->setItem(row, column.column, item);
    }
}

void TLimitsForm::RestoreDefaults()
{
    const LimitTable defaults = DefaultLimits();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto found = defaults.find(m_rows[static_cast<std::size_t>(row)]->name);
        ShowRow(row, found == defaults.end() ? ValueLimits {} : found->second);
    }
}

std::optional<ValueLimits> TLimitsForm::RowLimits(int row)
{
    const LiveValueRow& value = *m_rows[static_cast<std::size_t>(row)];
    ValueLimits shown;
    ValueLimits untouched; // the kept limits of the cells left as shown
    for (const LimitColumn& column : LimitColumns) {
        const QTableWidgetItem* item = m_table->item(row, column.column);
        const QString text = item ? item->text().trimmed() : QString();
        if (text.isEmpty())
            continue;
        const std::optional<float> number = ParseNumber(text);
        if (!number) {
            m_table->setCurrentCell(row, column.column);
            ShowMessage(tr("%1: \"%2\" is not a number.").arg(LimitTexts::ValueName(value), text));
            return std::nullopt;
        }
        shown.*column.limit = number;
        if (text == item->data(ShownTextRole).toString() && item->data(KeptLimitRole).isValid())
            untouched.*column.limit = item->data(KeptLimitRole).toFloat();
    }
    if (const LimitProblem problem = ProblemOf(shown); problem != LimitProblem::None) {
        m_table->setCurrentCell(row, NameColumn);
        ShowMessage(LimitTexts::ProblemText(value, problem));
        return std::nullopt;
    }
    ValueLimits kept = LimitsFromChosenUnits(shown, value.unit.choice, m_units);
    for (const LimitColumn& column : LimitColumns) {
        if (untouched.*column.limit)
            kept.*column.limit = untouched.*column.limit;
    }
    return kept;
}

void TLimitsForm::OkClick()
{
    LimitTable kept;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const std::optional<ValueLimits> limits = RowLimits(row);
        if (!limits)
            return;
        if (!limits->IsEmpty())
            kept.emplace(m_rows[static_cast<std::size_t>(row)]->name, *limits);
    }
    emit LimitsChosen(kept);
    hide();
}

void TLimitsForm::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
