#pragma once

#include <QString>
#include <QtGlobal>

// What the windows make of the connection's numbers and results, in the language the program
// shows (the command-line tool shows English). The Linguist files hold them under the context
// "EcuConnection".
QString RxErrorsText(int count);
QString SampleRateText(int ms);
QString FastPollRateText(double sweepsPerSecond);

// The result of a reset, as the command-line tool prints it; the windows show ResetResultText.
inline constexpr const char* ResetSucceededText
    = QT_TRANSLATE_NOOP("EcuConnection", "ECU successfully reset");
inline constexpr const char* ResetFailedText = QT_TRANSLATE_NOOP("EcuConnection", "ECU reset failed");
QString ResetResultText(bool succeeded);
