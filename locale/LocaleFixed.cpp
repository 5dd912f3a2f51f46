#include "locale/LocaleFixed.h"

#include "defs/FormatFixed.h"

#include <QLocale>

QString LocaleFixed(float value, int precision, int decimals)
{
    return QString::fromStdString(
        FormatFixed(value, precision, decimals, QLocale().decimalPoint().toStdString()));
}
