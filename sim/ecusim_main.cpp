// dazederir-ecusim: the simulated ECU on a pseudo-terminal, for the program's serial-port driver.
#include "defs/ProgramVersion.h"
#include "sim/EcusimArguments.h"
#include "sim/PtyServer.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int)
{
    stopRequested = 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const EcusimArgumentsParse parse = ParseEcusimArguments(args);
    if (!parse.error.empty()) {
        std::cerr << "dazederir-ecusim: " << parse.error << std::endl;
        return PtyServer::ExitUsage;
    }
    if (parse.arguments.helpWanted) {
        std::cout << EcusimUsage;
        return PtyServer::ExitDone;
    }
    if (parse.arguments.versionWanted) {
        std::cout << VersionLine("dazederir-ecusim");
        return PtyServer::ExitDone;
    }

    // The stop signals stay blocked except while the server waits, so none slips in between its
    // check of the flag and the wait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);
    struct sigaction action { };
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    PtyServer server(parse.arguments, std::cout, std::cerr);
    return server.Run(stopRequested, waitMask);
}
