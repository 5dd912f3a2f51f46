#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What the program says through Qt's message handler (qWarning and the like) while it lives.
class WarningsCaught {
public:
    WarningsCaught() { m_previous = qInstallMessageHandler(&Catch); }
    ~WarningsCaught()
    {
        qInstallMessageHandler(m_previous);
        Caught().clear();
    }
    WarningsCaught(const WarningsCaught&) = delete;
    WarningsCaught& operator=(const WarningsCaught&) = delete;

    static QStringList& Caught()
    {
        static QStringList caught;
        return caught;
    }

private:
    static void Catch(QtMsgType, const QMessageLogContext&, const QString& text) { Caught() << text; }
    QtMessageHandler m_previous = nullptr;
};
