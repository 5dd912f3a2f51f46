#include "port/UsbDeviceStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The tty's "device" link points at the USB interface or at a node below it; the USB device
// that holds the strings is a level or two further up.
constexpr int MaxLevelsUp = 4;

std::string ReadAttribute(const QDir& directory, const QString& name)
{
    QFile file(directory.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    if (text.endsWith('\n'))
        text.chop(1);
    return text.toStdString();
}

} // namespace

UsbDeviceStrings ReadUsbDeviceStrings(const QString& sysfsRoot, const QString& portName)
{
    const QString devicePath
        = QFileInfo(sysfsRoot + QStringLiteral("/class/tty/") + portName + QStringLiteral("/device"))
              .canonicalFilePath();
    if (devicePath.isEmpty())
        return {};
    QDir directory(devicePath);
    for (int level = 0; level <= MaxLevelsUp; ++level) {
        if (directory.exists(QStringLiteral("product")))
            return { ReadAttribute(directory, QStringLiteral("product")),
                ReadAttribute(directory, QStringLiteral("serial")), true };
        if (!directory.cdUp())
            break;
    }
    return {};
}
