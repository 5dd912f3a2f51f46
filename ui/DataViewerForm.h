#pragma once

#include "link/SessionState.h"

#include <QMainWindow>
#include <QString>
#include <array>

class EcuQueries;
class EcuSession;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;

// The data viewer: 25 values at a time in a five-by-five grid of boxes, on two pages, either the
// raw bytes by address offset or the scaled values under their names. It only reads the live
// values and asks nothing of the ECU.
class TDataViewerForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int BoxCount = 25;
    static constexpr int PanelCount = 5;

    explicit TDataViewerForm(const EcuQueries& queries, QWidget* parent = nullptr);
    // Over the session: the window follows its state, sample rate, error count and identified ECU
    // itself, and names the port in use.
    explicit TDataViewerForm(const EcuSession& session, QWidget* parent = nullptr);

    // 1 shows the scaled values, 0 the raw bytes; refreshes the box captions. ModeBtn keeps its
    // caption.
    void SetDisplayMode(int mode);
    void SetStatusText(int panel, const QString& text);
    QString PanelText(int panel) const;

    bool Formatted() const { return m_formatted; }
    // Box captions and values, for whoever reads the viewer back (tests included).
    QString BoxCaption(int box) const;
    QString BoxText(int box) const;

public slots:
    // The connection panel says where the values come from; the title says so while replaying.
    void ShowState(const SessionState& state);

signals:
    void ExitRequested();

private slots:
    void Timer1Timer();
    void ModeBtnClick();
    void PageBtnClick();
    void Close1Click();
    void Exit1Click();

private:
    void BuildGrid(QWidget* area);
    void BuildButtons(QWidget* area);
    void BuildStatusBar();
    void BuildMenu();
    void RefreshCaptions();
    bool ShowsPage2() const;
    // The session's: the rate measured in fast polling, the period in force otherwise.
    bool PollsFast() const;
    void FollowSession(const EcuSession& session);

    const EcuQueries& m_queries;
    const EcuSession* m_session = nullptr;
    QString m_caption;
    bool m_formatted = true;
    // How much wider than the design each box is, so that every caption of the language fits.
    int m_widening = 0;
    // The load sensor of the identified ECU, copied at each caption refresh so that captions and
    // values agree until the next one.
    QString m_loadSensor;

    std::array<QGroupBox*, BoxCount> m_boxes {};
    std::array<QLabel*, BoxCount> m_labels {};
    std::array<QLabel*, PanelCount> m_panels {};
    QPushButton* ModeBtn = nullptr;
    QPushButton* PageBtn = nullptr;
    QStatusBar* DataViewerSB = nullptr;
    QTimer* Timer1 = nullptr;
};
