#pragma once

#include "sim/SimulatorStats.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// dazederir-ecusim as a child of the soak run, ended with SIGTERM so that it writes its counters.
class EcusimProcess {
public:
    struct Ending {
        bool crashed = false; // killed by a signal, or did not end when asked
        int exitCode = 0;
        std::optional<SimulatorStats> stats;
        std::string errorOutput;
    };

    EcusimProcess(const QString& program, const QStringList& arguments);
    ~EcusimProcess();
    EcusimProcess(const EcusimProcess&) = delete;
    EcusimProcess& operator=(const EcusimProcess&) = delete;

    // Waits for the first line it prints (its terminal's path); the reason when none comes.
    std::optional<std::string> WaitUntilServing();
    // Asks it to end, waits, and reads the counters it wrote to `statsFile`.
    Ending Stop(const QString& statsFile);

private:
    QProcess m_process;
};
