#include "locale/ConnectionTexts.h"

#include <QCoreApplication>

namespace {

// Sweeps a second are shown to a tenth.
constexpr int SweepRateDecimals = 1;

} // namespace

QString RxErrorsText(int count)
{
    //: Rx: received. Counts the exchanges that got no valid reply.
    return QCoreApplication::translate("EcuConnection", "Rx Errors %1").arg(count);
}

QString SampleRateText(int ms)
{
    return QCoreApplication::translate("EcuConnection", "Sample Rate %1ms").arg(ms);
}

QString FastPollRateText(double sweepsPerSecond)
{
    return QCoreApplication::translate("EcuConnection", "Fast %1 sweeps/s")
        .arg(sweepsPerSecond, 0, 'f', SweepRateDecimals);
}

QString ResetResultText(bool succeeded)
{
    return QCoreApplication::translate("EcuConnection", succeeded ? ResetSucceededText : ResetFailedText);
}

QString PortPermissionText(const QString& reason)
{
    return reason + QLatin1Char('\n')
        + QCoreApplication::translate("EcuConnection", PortPermissionInstruction);
}
