#pragma once

#include "defs/FaultCodes.h"

#include <QString>
#include <QWidget>

class EcuQueries;
class QPlainTextEdit;
class QTimer;

// The fault code viewer: the ECU's current and stored faults with their descriptions, decoded
// ten times a second from the fault flag bytes once an ECU has been identified.
class TFaultCodesForm : public QWidget {
    Q_OBJECT

public:
    explicit TFaultCodesForm(const EcuQueries& queries, QWidget* parent = nullptr);

    // Loads the fault texts of the ECU and starts the refresh. Returns 0.
    int SetEcu(const QString& ecuId);

    QString CurrentText() const;
    QString StoredText() const;

private slots:
    void Timer1Timer();

private:
    const EcuQueries& m_queries;
    FaultList m_faultList {};
    QPlainTextEdit* CFMemo = nullptr;
    QPlainTextEdit* SFMemo = nullptr;
    QTimer* Timer1 = nullptr;
};
