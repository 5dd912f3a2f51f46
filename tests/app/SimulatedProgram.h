#pragma once

#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"

#include "tests/dashboard/DashboardRig.h"

#include <QTemporaryDir>
#include <QTest>

// The program's own windows over its link thread to the simulated ECU, ticked by the test, with
// the settings and logs in a folder of their own.
struct SimulatedProgram {
    static AppOptions Simulated()
    {
        AppOptions options;
        options.cable = AppOptions::Cable::Simulated;
        return options;
    }

    QTemporaryDir dir;
    ProgramLink link = MakeProgramLink(Simulated());
    EcuSession session { link.factory, EcuSession::Ticking::ByCaller };
    MainWindows windows { session, std::make_unique<TestDashBoard>(session, dir.path()), dir.path(),
        dir.path() };
    TestDashBoard& dashboard = static_cast<TestDashBoard&>(windows.Dashboard());

    // Ticks the session as its timer would until `done` holds, for at most ten seconds.
    template <typename Condition> bool TickUntil(Condition done)
    {
        constexpr int Limit = 200;
        for (int tick = 0; tick < Limit && !done(); ++tick) {
            session.Tick();
            QTest::qWait(EcuSession::TickMs);
        }
        return done();
    }
    bool TickUntilLive()
    {
        return TickUntil([this] { return session.State().Current(); });
    }
};
