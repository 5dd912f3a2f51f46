#pragma once

#include "link/SessionState.h"

#include "defs/FaultCodes.h"
#include "locale/TranslatedTexts.h"

#include <QString>
#include <QWidget>

#include <memory>

class EcuQueries;
class EcuSession;
class QPlainTextEdit;
class QTimer;

// The fault code viewer: the ECU's current and stored faults with their descriptions, decoded
// ten times a second from the fault flag bytes once an ECU has been identified.
class TFaultCodesForm : public QWidget {
    Q_OBJECT

public:
    explicit TFaultCodesForm(const EcuQueries& queries, QWidget* parent = nullptr);
    // Over the session: the title says where the values come from unless they are live, and each
    // identified ECU's fault texts are loaded.
    explicit TFaultCodesForm(const EcuSession& session, QWidget* parent = nullptr);

    // Loads the fault texts of the ECU and starts the refresh. Returns 0.
    int SetEcu(const QString& ecuId);

    QString CurrentText() const;
    QString StoredText() const;

public slots:
    void ShowState(const SessionState& state);

private slots:
    void Timer1Timer();

private:
    const EcuQueries& m_queries;
    QString m_caption;
    // The ECU's fault texts as shown; m_faultList points into them.
    std::unique_ptr<TranslatedTexts<FaultPositionCount>> m_faultTexts;
    FaultList m_faultList {};
    QPlainTextEdit* CFMemo = nullptr;
    QPlainTextEdit* SFMemo = nullptr;
    QTimer* Timer1 = nullptr;
};
