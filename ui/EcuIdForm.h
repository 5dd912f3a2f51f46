#pragma once

#include <QString>
#include <QWidget>

class EcuSession;
class QLabel;
class QLineEdit;

// A small window showing the ID of the last identified ECU; "0000" until the first one.
class TECUIDForm : public QWidget {
    Q_OBJECT

public:
    explicit TECUIDForm(QWidget* parent = nullptr);
    // Over the session: shows each ECU it identifies.
    explicit TECUIDForm(const EcuSession& session, QWidget* parent = nullptr);

    void ShowEcuId(const QString& ecuId);
    QString EcuIdText() const;

private:
    QLabel* ECUIDL = nullptr;
    QLineEdit* IDEB = nullptr;
};
