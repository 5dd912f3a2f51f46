#pragma once

#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"

#include "tests/dashboard/DashboardRig.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Ticks the session in real time until `done` holds or about ten seconds have passed.
inline bool TickUntil(EcuSession& session, const std::function<bool()>& done)
{
    constexpr int Limit = 200;
    for (int tick = 0; tick < Limit && !done(); ++tick) {
        session.Tick();
        QTest::qWait(EcuSession::TickMs);
    }
    return done();
}

// The program's own link thread to the simulated ECU and its session, ticked by the test, with
// the settings and logs in a folder of their own.
struct SimulatedLink {
    static AppOptions Simulated()
    {
        AppOptions options;
        options.cable = CableKind::Simulated;
        return options;
    }

    QTemporaryDir dir;
    ProgramLink link = MakeProgramLink(Simulated());
    EcuSession session { link.factory, EcuSession::Ticking::ByCaller };
};

// Every window of the program over that link, as the program wires them.
struct SimulatedProgram : SimulatedLink {
    MainWindows windows { session, std::make_unique<TestDashBoard>(session, dir.path()), dir.path(),
        dir.path() };
    TestDashBoard& dashboard = static_cast<TestDashBoard&>(windows.Dashboard());

    bool TickUntil(const std::function<bool()>& done) { return ::TickUntil(session, done); }
    bool TickUntilLive()
    {
        return TickUntil([this] { return session.State().Current(); });
    }
};
