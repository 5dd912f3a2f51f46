#include "app/ProgramLink.h"

#include "capture/RecordingPortDriver.h"
#include "capture/ReplayPortDriver.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"

#include <QFileInfo>

namespace {

EcuSession::LinkFactory LinkThreadOver(
    TD2xxThread::DriverFactory drivers, std::shared_ptr<SessionRecorder> recorder)
{
    return
        [drivers = std::move(drivers), recorder = std::move(recorder)]() -> std::unique_ptr<InterfaceLink> {
            return std::make_unique<TD2xxThread>([drivers, recorder]() -> PortDriverPtr {
                return std::make_shared<RecordingPortDriver>(drivers(), recorder);
            });
        };
}

} // namespace

ProgramLink MakeProgramLink(const AppOptions& options)
{
    ProgramLink link;
    TD2xxThread::DriverFactory drivers;
    switch (options.cable) {
    case AppOptions::Cable::Simulated:
        link.simulation = std::make_unique<SimulatedEnvironment>(options.simulatedEcuId, options.simulator);
        drivers = link.simulation->DriverFactory();
        break;
    case AppOptions::Cable::Port:
        drivers = [path = options.portPath]() -> PortDriverPtr {
            return std::make_shared<SerialPortDriver>(path);
        };
        break;
    case AppOptions::Cable::Replay:
        link.captureProgress = std::make_shared<CaptureProgress>();
        drivers = [capture = options.replay, timing = options.replayTiming,
                      progress = link.captureProgress]() -> PortDriverPtr {
            return std::make_shared<ReplayPortDriver>(capture, timing, progress);
        };
        break;
    case AppOptions::Cable::Search:
        drivers = []() -> PortDriverPtr { return std::make_shared<SerialPortDriver>(); };
        break;
    }
    link.factory = LinkThreadOver(std::move(drivers), link.recorder);
    return link;
}

void DescribeCable(EcuSession& session, const ProgramLink& link, const AppOptions& options)
{
    if (link.captureProgress)
        session.SetReplayedCapture(QFileInfo(options.replayPath).fileName(), link.captureProgress);
}
