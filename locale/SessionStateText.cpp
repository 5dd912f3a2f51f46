#include "locale/SessionStateText.h"

#include <QCoreApplication>

QString SessionStateText(const SessionState& state)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("SessionState", text); };
    switch (state.stage) {
    case SessionStage::NoCable:
        return tr("Not Connected");
    case SessionStage::LookingForEcu:
        return tr("Trying to Connect");
    case SessionStage::Live:
        return tr("Connected to ECU");
    case SessionStage::LinkLost:
        return tr("Waiting to Connect");
    case SessionStage::ReplayingLog:
    case SessionStage::ReplayingCapture:
        return tr("Replaying %1").arg(state.file);
    case SessionStage::CaptureEnded:
        return tr("Capture ended");
    }
    return {};
}

QString SessionCaption(const QString& caption, const SessionState& state)
{
    if (state.stage == SessionStage::Live)
        return caption;
    return caption + QStringLiteral(" - ") + SessionStateText(state);
}
