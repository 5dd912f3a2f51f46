#include "locale/SessionStateText.h"

#include <QCoreApplication>

QString SessionStateText(const SessionState& state)
{
    switch (state.stage) {
    case SessionStage::NoCable:
        return QCoreApplication::translate("SessionState", "Not Connected");
    case SessionStage::LookingForEcu:
        return QCoreApplication::translate("SessionState", "Trying to Connect");
    case SessionStage::Live:
        return QCoreApplication::translate("SessionState", "Connected to ECU");
    case SessionStage::LinkLost:
        return QCoreApplication::translate("SessionState", "Waiting to Connect");
    case SessionStage::ReplayingLog:
    case SessionStage::ReplayingCapture:
        return QCoreApplication::translate("SessionState", "Replaying %1").arg(state.file);
    case SessionStage::CaptureEnded:
        return QCoreApplication::translate("SessionState", "Capture ended");
    }
    return {};
}

QString SessionCaption(const QString& caption, const SessionState& state)
{
    if (state.stage == SessionStage::Live)
        return caption;
    return caption + QStringLiteral(" - ") + SessionStateText(state);
}
