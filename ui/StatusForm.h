#pragma once

#include "link/SessionState.h"

#include "defs/StatusFlags.h"
#include "locale/TranslatedTexts.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class EcuQueries;
class EcuSession;
class QGroupBox;
class QResizeEvent;
class QStatusBar;
class QTableWidget;
class QTimer;

// The status flag viewer: one row per status flag of the identified ECU with the flag's name and
// its state, decoded ten times a second from the status flag bytes.
class TStatusForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int GridRows = 40;
    static constexpr int GridColumns = 2;

    explicit TStatusForm(const EcuQueries& queries, QWidget* parent = nullptr);
    // Over the session: the title says where the values come from unless they are live, and each
    // identified ECU's status texts are loaded.
    explicit TStatusForm(const EcuSession& session, QWidget* parent = nullptr);

    // Loads the status texts of the ECU and starts the refresh. Returns 0.
    int SetEcu(const QString& ecuId);

    // The text of a grid cell; empty for a cell never written or outside the grid.
    QString CellText(int column, int row) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

public slots:
    void ShowState(const SessionState& state);

private slots:
    void StatusTimerTimer();

private:
    void SetCell(int column, int row, const QString& text);

    const EcuQueries& m_queries;
    QString m_caption;
    // The ECU's status texts as shown; m_statusList points into them.
    std::unique_ptr<TranslatedTexts<StatusPositionCount>> m_statusTexts;
    StatusList m_statusList {};
    int m_lineCount = 0;
    QStatusBar* StatusBar1 = nullptr;
    QGroupBox* StatusGB = nullptr;
    QTableWidget* StatusSG = nullptr;
    QTimer* StatusTimer = nullptr;
};
