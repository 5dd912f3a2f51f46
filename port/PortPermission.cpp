#include "port/PortPermission.h"

#include <QCoreApplication>

QString PortPermissionText(const QString& reason)
{
    return reason + QLatin1Char('\n')
        + QCoreApplication::translate("SerialPortDriver", PortPermissionInstruction);
}
