#include "app/ProgramLink.h"

#include "port/D2xxThread.h"
#include "sim/CableDrivers.h"

#include <QFileInfo>

ProgramLink MakeProgramLink(const AppOptions& options)
{
    ProgramLink link;
    CableDrivers cable = MakeCableDrivers({ options.cable, options.simulatedEcuId, options.simulator,
                                              options.portPath, options.replay, options.replayTiming },
        link.recorder);
    link.simulation = std::move(cable.simulation);
    link.captureProgress = std::move(cable.captureProgress);
    link.factory = [drivers = std::move(cable.factory)]() -> std::unique_ptr<InterfaceLink> {
        return std::make_unique<TD2xxThread>(drivers);
    };
    return link;
}

void DescribeCable(EcuSession& session, const ProgramLink& link, const AppOptions& options)
{
    if (link.captureProgress)
        session.SetReplayedCapture(QFileInfo(options.replayPath).fileName(), link.captureProgress);
}
