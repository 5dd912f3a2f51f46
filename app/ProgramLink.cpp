#include "app/ProgramLink.h"

#include "link/D2xxThread.h"
#include "link/SerialPortDriver.h"

namespace {

EcuSession::LinkFactory LinkThreadOver(TD2xxThread::DriverFactory drivers)
{
    return [drivers = std::move(drivers)]() -> std::unique_ptr<InterfaceLink> {
        return std::make_unique<TD2xxThread>(drivers);
    };
}

} // namespace

ProgramLink MakeProgramLink(const AppOptions& options)
{
    ProgramLink link;
    switch (options.cable) {
    case AppOptions::Cable::Simulated:
        link.simulation = std::make_unique<SimulatedEnvironment>(options.simulatedEcuId, options.simulator);
        link.factory = LinkThreadOver(link.simulation->DriverFactory());
        break;
    case AppOptions::Cable::Port:
        link.factory = LinkThreadOver([path = options.portPath]() -> PortDriverPtr {
            return std::make_shared<SerialPortDriver>(path);
        });
        break;
    case AppOptions::Cable::Search:
        link.factory = LinkThreadOver([]() -> PortDriverPtr { return std::make_shared<SerialPortDriver>(); });
        break;
    }
    return link;
}
