#include "sim/CableDrivers.h"

#include "capture/RecordingPortDriver.h"
#include "capture/ReplayPortDriver.h"
#include "port/SerialPortDriver.h"

CableDrivers MakeCableDrivers(const CableChoice& choice, std::shared_ptr<SessionRecorder> recorder)
{
    CableDrivers cable;
    switch (choice.kind) {
    case CableKind::Simulated:
        cable.simulation = std::make_unique<SimulatedEnvironment>(choice.simulatedEcuId, choice.simulator);
        cable.factory = cable.simulation->DriverFactory();
        break;
    case CableKind::Port:
        cable.factory = [path = choice.portPath]() -> PortDriverPtr {
            return std::make_shared<SerialPortDriver>(path);
        };
        break;
    case CableKind::Replay:
        cable.captureProgress = std::make_shared<CaptureProgress>();
        cable.factory = [capture = choice.replay, timing = choice.replayTiming,
                            progress = cable.captureProgress]() -> PortDriverPtr {
            return std::make_shared<ReplayPortDriver>(capture, timing, progress);
        };
        break;
    case CableKind::Search:
        cable.factory = []() -> PortDriverPtr { return std::make_shared<SerialPortDriver>(); };
        break;
    }
    if (recorder) {
        cable.factory
            = [drivers = std::move(cable.factory), recorder = std::move(recorder)]() -> PortDriverPtr {
            return std::make_shared<RecordingPortDriver>(drivers(), recorder);
        };
    }
    return cable;
}
