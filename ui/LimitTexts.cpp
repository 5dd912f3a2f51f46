#include "ui/LimitTexts.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

constexpr int LimitDigits = 6; // a float holds no more

QString Tr(const char* text)
{
    return QCoreApplication::translate("LimitTexts", text);
}

QString Utf8Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

namespace LimitTexts {

QString ValueName(const LiveValueRow& row)
{
    if (!row.viewer.caption.empty())
        return QCoreApplication::translate("TDataViewerForm", std::string(row.viewer.caption).c_str());
    if (!row.channels[0].name.empty())
        return Utf8Text(row.channels[0].name);
    return Utf8Text(row.name);
}

QString LimitNumber(float limit)
{
    // "6500", not "6,500": a limit is read back from what is shown, and a note is read by tools.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(limit), 'g', LimitDigits);
}

QString AlarmNote(const LiveValueRow& row, const LimitReading& reading)
{
    const QString text = reading.high ? Tr(QT_TRANSLATE_NOOP("LimitTexts", "Alarm: %1 above %2"))
                                      : Tr(QT_TRANSLATE_NOOP("LimitTexts", "Alarm: %1 below %2"));
    return text.arg(ValueName(row), LimitNumber(reading.limit));
}

QString AlarmStatus(const std::vector<std::string>& valuesInAlarm)
{
    QStringList names;
    for (const std::string& value : valuesInAlarm) {
        if (const LiveValueRow* row = FindLiveValue(value))
            names << ValueName(*row);
    }
    if (names.isEmpty())
        return {};
    return Tr(QT_TRANSLATE_NOOP("LimitTexts", "Alarm: %1")).arg(names.join(QStringLiteral(", ")));
}

QString ProblemText(const LiveValueRow& row, LimitProblem problem)
{
    switch (problem) {
    case LimitProblem::LowAboveHigh:
        return Tr(QT_TRANSLATE_NOOP("LimitTexts", "%1: every low limit must be below every high limit."))
            .arg(ValueName(row));
    case LimitProblem::AlarmInsideWarning:
        return Tr(
            QT_TRANSLATE_NOOP("LimitTexts",
                "%1: an alarm limit must not lie inside the warning limit on its side "
                "(a low alarm at or below the low warning, a high alarm at or above the high warning)."))
            .arg(ValueName(row));
    case LimitProblem::NotFinite:
        return Tr(QT_TRANSLATE_NOOP("LimitTexts", "%1: a limit must be a number.")).arg(ValueName(row));
    case LimitProblem::None:
        break;
    }
    return {};
}

} // namespace LimitTexts
