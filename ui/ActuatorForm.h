#pragma once

#include "link/SessionState.h"

#include "defs/ActuatorTests.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class EcuQueries;
class EcuSession;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The actuator tests window: the technician picks one of eight tests from the View menu, sets a
// command value and starts or cancels the test. Every request goes out as ActuatorRequested, which
// a window made over the session sends to it; an active test's request is repeated every tenth
// Timer1 tick. Four live monitors are read from the queries.
class TActuatorForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int TestCount = ActuatorTestCount;
    static constexpr int MonitorCount = ActuatorMonitorCount;
    static constexpr int TimerIntervalMs = 10;
    static constexpr int TicksPerRequest = 10;

    explicit TActuatorForm(const EcuQueries& queries, QWidget* parent = nullptr);
    // Over the session: requests go to it and only while an ECU answers, its replies are shown,
    // each identified ECU enables its tests, and the monitors show values only while they are
    // current.
    explicit TActuatorForm(EcuSession& session, QWidget* parent = nullptr);

    // flags: the low eight bits of the ECU's feature flags. Entries are enabled, never disabled,
    // so an ECU identified later with fewer tests leaves the earlier ones available.
    void EnableTests(int flags);

    int SelectedTest() const { return m_selectedTest; }
    int CommandValue() const { return m_commandValue; }
    bool TestActive() const { return m_testActive; }
    std::int64_t ActuatorTicks() const { return m_actuatorTicks; }
    QString StatusText() const;
    QAction* TestAction(int test) const; // test 1..8

    // Choosing View entry `test` 1..8: captions, edit text and SelectedTest; sends nothing.
    void SelectTest(int test);

public slots:
    // Where the values come from now: a test runs only while an ECU answers.
    void ShowState(const SessionState& state);
    // The ECU answered the actuator command `test` with `value`. Only the answer to the last
    // request is shown as acknowledged.
    void ActuatorReply(int test, int value);

signals:
    // test 1..8, or 0 for the all-zero command that ends any running test.
    void ActuatorRequested(int test, int value);

protected:
    // Bad command values are reported here; tests override it to capture the text.
    virtual void ShowMessage(const QString& text);
    void showEvent(QShowEvent* event) override;

private slots:
    void SetBtnClick();
    void CancelBtnClick();
    void Timer1Timer();

private:
    void BuildControls();
    void BuildMenu();
    // A request of the user's (Set or Cancel): says that it waits for the ECU.
    void Request(int test, int value);
    // Every request, the timer's repeats included, goes out here.
    void Emit(int test, int value);
    static QString RequestName(int test);
    void RefreshMonitors();
    // Whether an ECU answers requests now.
    bool EcuAnswers() const;

    const EcuQueries& m_queries;
    const EcuSession* m_session = nullptr;

    int m_selectedTest = 0;
    int m_commandValue = 0;
    bool m_testActive = false;
    struct SentRequest {
        int test;
        int value;
    };
    std::optional<SentRequest> m_lastRequest;
    // 64 bits: a 32-bit count of 10 ms ticks would overflow after some 248 days.
    std::int64_t m_actuatorTicks = 0;

    QLabel* m_controlTitle = nullptr;
    QGroupBox* m_controlGroup = nullptr;
    QLineEdit* m_commandEdit = nullptr;
    QPushButton* m_setButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    std::array<QGroupBox*, MonitorCount> m_monitorGroups {};
    std::array<QLabel*, MonitorCount> m_monitors {};
    std::array<QAction*, TestCount> m_testActions {};
    QLabel* m_statusLabel = nullptr;
    QTimer* m_timer1 = nullptr;
};
