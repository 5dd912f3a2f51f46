// Fast polling through the link thread and the serial-port driver, against dazederir-ecusim
// sending at the line's pace on a pseudo-terminal: the link thread's word that bytes arrived is
// what sends each next request.
#include "ChildProcess.h"

#include "link/EcuSession.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Complete sweeps a second of a five-window ECU that the line carries at 15625 baud: five
// exchanges of 22 bytes of 10 bits each.
constexpr double LineSweepsPerSecond = 15625.0 / (5 * 22 * 10);
// The most that polling one window every 50 ms tick could reach.
constexpr double TickSweepsPerSecond = 1000.0 / (5 * EcuConnection::TickMs);

class FastSessionOverPty : public testing::Test {
protected:
    FastSessionOverPty()
        : ecusim(ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace" })
        , path(QString::fromStdString(ecusim.ReadLine().value_or("")))
        , session(
              [this]() -> std::unique_ptr<InterfaceLink> {
                  return std::make_unique<TD2xxThread>(
                      [port = path] { return std::make_shared<SerialPortDriver>(port); });
              },
              EcuSession::Ticking::ByCaller)
    {
        session.SetPollMode(EcuConnection::PollMode::Fast);
    }

    // Runs the session as the command-line tool does (ticks every 50 ms, bytes served as they
    // arrive in between) until `done` holds or `limit` has passed; whether it came to hold.
    bool RunUntil(const std::function<bool()>& done, Clock::duration limit)
    {
        const auto end = Clock::now() + limit;
        auto nextTick = Clock::now();
        while (!done() && Clock::now() < end) {
            session.ServiceUntil(std::min(nextTick, end));
            session.Tick();
            nextTick += std::chrono::milliseconds(EcuConnection::TickMs);
        }
        return done();
    }

    ChildProcess ecusim;
    QString path;
    EcuSession session;
};

TEST_F(FastSessionOverPty, SweepsFarFasterThanTheTickAllowsAndStillIdentifiesResetsAndRunsActuators)
{
    ASSERT_TRUE(path.startsWith(QStringLiteral("/dev/pts/"))) << path.toStdString();
    const EcuConnection& c = session.Connection();
    bool resetDone = false;
    bool actuatorReplied = false;
    QObject::connect(&session, &EcuSession::ResetFinished, [&](bool succeeded) { resetDone = succeeded; });
    QObject::connect(&session, &EcuSession::ActuatorReplied,
        [&](int test, int value) { actuatorReplied = test == 1 && value == 102; });

    session.Connect();
    ASSERT_TRUE(RunUntil([&] { return c.CompletedSweeps() >= 1; }, 10s)) << "identified and swept once";
    const int before = c.CompletedSweeps();
    const auto start = Clock::now();
    RunUntil([] { return false; }, 1500ms);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const double rate = (c.CompletedSweeps() - before) / elapsed.count();

    EXPECT_GT(rate, 2 * TickSweepsPerSecond);
    EXPECT_LT(rate, 1.05 * LineSweepsPerSecond) << "the paced line cannot carry more";
    EXPECT_EQ(c.RxErrorCount(), 0);
    EXPECT_TRUE(c.HasLiveValues());

    session.RequestReset();
    session.RequestActuator(1, 102);
    EXPECT_TRUE(RunUntil([&] { return resetDone && actuatorReplied; }, 5s));
    const int afterCommands = c.CompletedSweeps();
    EXPECT_TRUE(RunUntil([&] { return c.CompletedSweeps() > afterCommands; }, 5s)) << "polling goes on";
    EXPECT_EQ(c.RxErrorCount(), 0);
}

} // namespace
