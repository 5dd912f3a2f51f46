#include "port/ReceiveLatency.h"

#include "defs/WholeNumber.h"

#include <QFile>
#include <QFileInfo>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace {

constexpr int LowestLatencyMs = 1;
// An attribute holds a short number; more than this is not one.
constexpr qint64 AttributeBytes = 32;

QString LatencyAttributePath(const QString& sysfsRoot, const QString& ttyName)
{
    return sysfsRoot + QStringLiteral("/class/tty/") + ttyName + QStringLiteral("/device/latency_timer");
}

void SetLowLatencyFlag([[maybe_unused]] int descriptor)
{
#ifdef __linux__
    // Older kernels' FTDI driver sets the timer to 1 ms for this flag; ports without the setting
    // (a pseudo-terminal) refuse it, which is fine.
    serial_struct settings {};
    if (::ioctl(descriptor, TIOCGSERIAL, &settings) == 0) {
        settings.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(descriptor, TIOCSSERIAL, &settings);
    }
#endif
}

} // namespace

QString SysfsTtyName(const QString& portPath)
{
    const QString canonical = QFileInfo(portPath).canonicalFilePath();
    const QString devices = QStringLiteral("/dev/");
    if (canonical.startsWith(devices))
        return canonical.mid(devices.size());
    return QFileInfo(canonical.isEmpty() ? portPath : canonical).fileName();
}

std::optional<int> ReadLatencyTimer(const QString& sysfsRoot, const QString& ttyName)
{
    QFile attribute(LatencyAttributePath(sysfsRoot, ttyName));
    if (!attribute.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<int> ms = ParseWholeNumber(attribute.read(AttributeBytes).trimmed().toStdString());
    return ms;
}

std::optional<int> LowerReceiveLatency(int descriptor, const QString& sysfsRoot, const QString& ttyName)
{
    SetLowLatencyFlag(descriptor);
    const std::optional<int> before = ReadLatencyTimer(sysfsRoot, ttyName);
    if (before && *before > LowestLatencyMs) {
        // Writable for root, or for the user where a udev rule allows it; otherwise it stays.
        QFile attribute(LatencyAttributePath(sysfsRoot, ttyName));
        if (attribute.open(QIODevice::WriteOnly | QIODevice::Truncate))
            attribute.write(QByteArray::number(LowestLatencyMs) + '\n');
    }
    return ReadLatencyTimer(sysfsRoot, ttyName);
}
