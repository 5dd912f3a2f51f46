#pragma once

#include "defs/LiveValueCatalogue.h"
#include "defs/ValueLimits.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTableWidget;

// Options > Limits...: the warning and alarm limits of every live value, a row each, in the units
// the windows show. OK hands on the limits only when every row is sound; otherwise it says what is
// wrong with which value, selects the cell and changes nothing. Cancel forgets what was typed.
class TLimitsForm : public QDialog {
    Q_OBJECT

public:
    explicit TLimitsForm(QWidget* parent = nullptr);

    // Shows `kept` (degrees Celsius, km/h) in the units of `units`, forgetting what was typed.
    void SetShownLimits(const LimitTable& kept, const LiveSettings& units);

    // The table's columns.
    enum Column {
        NameColumn,
        UnitColumn,
        AlarmLowColumn,
        WarningLowColumn,
        WarningHighColumn,
        AlarmHighColumn
    };
    QTableWidget& Table() const { return *m_table; }
    // The row of a catalogue identifier; -1 when the window does not list it.
    int RowOf(std::string_view value) const;

signals:
    // The limits as kept, after OK.
    void LimitsChosen(const LimitTable& kept);

protected:
    virtual void ShowMessage(const QString& text);

private slots:
    void OkClick();
    void RestoreDefaults();

private:
    // The limits typed in a row, as kept; none after telling the user what is wrong.
    std::optional<ValueLimits> RowLimits(int row);
    void ShowRow(int row, const ValueLimits& kept);

    QTableWidget* m_table = nullptr;
    std::vector<const LiveValueRow*> m_rows; // the catalogue's row of each table row
    LiveSettings m_units;
};
