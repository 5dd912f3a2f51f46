#include "soak/SoakRun.h"

#include "link/EcuSession.h"
#include "logfile/ChannelTables.h"
#include "logfile/SampleInterval.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "soak/ConnectionWatch.h"
#include "soak/EcusimProcess.h"
#include "soak/ExpectedEcu.h"
#include "soak/SoakLogger.h"

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace {

constexpr std::size_t MaxWrongValuesKept = 10;
constexpr double MsPerSecond = 1000.0;
constexpr double MsPerMinute = 60 * MsPerSecond;
// After the first identification every value needs two sweeps (a low byte polled before its high
// byte); after a later one, the values are already there and one sweep renews them.
constexpr int FirstSettledSweeps = ExpectedEcu::SettledSweeps;
constexpr int LaterSettledSweeps = 1;

QStringList ToQt(const std::vector<std::string>& args)
{
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    return list;
}

class SoakRun {
public:
    SoakRun(const SoakOptions& options, ExpectedEcu& expected, const QString& linkPath,
        const std::filesystem::path& logTarget, SoakResult& result)
        : m_options(options)
        , m_expected(expected)
        , m_result(result)
        , m_session(std::make_unique<EcuSession>(
              [this, linkPath]() -> std::unique_ptr<InterfaceLink> {
                  auto watch = std::make_unique<ConnectionWatch>(std::make_unique<TD2xxThread>(
                      [linkPath] { return std::make_shared<SerialPortDriver>(linkPath); }));
                  m_watch = watch.get();
                  return watch;
              },
              EcuSession::Ticking::ByCaller))
        , m_connection(m_session->Connection())
        , m_logger(m_connection, options.channels, result.intervalMs, logTarget, expected.LogFieldChoices())
    {
        m_watch->Watch(m_connection);
        EcuSession* session = m_session.get();
        QObject::connect(session, &EcuSession::LinkStatusChanged, session,
            [this](const QString& text) { m_watch->LinkStatusChanged(text); });
        QObject::connect(session, &EcuSession::EcuIdentified, session,
            [this](const IdentifiedEcu& ecu) { m_watch->EcuIdentified(ecu); });
        ConnectionSettings& settings = m_session->Settings();
        settings.SetBaudText(options.baudText);
        settings.SetSampleRate(options.sampleRateMs);
        settings.SetPollPriority(LoggedBytesOf(options.channels));
        settings.SetGatherReads(options.gatherReads);
        m_session->SetPollMode(options.pollMode);
    }

    void Run();

private:
    void SaveDue();
    void SaveWhenDue();
    void Tick();
    void Sample();
    bool Settled();
    bool CableOut() const;
    void Collect();

    const SoakOptions& m_options;
    const ExpectedEcu& m_expected;
    SoakResult& m_result;
    ConnectionWatch* m_watch = nullptr; // the session's link, watched
    std::unique_ptr<EcuSession> m_session;
    const EcuConnection& m_connection;
    SoakLogger m_logger;
    bool m_settledOnce = false;
    bool m_saveDue = false;
};

void SoakRun::Run()
{
    QEventLoop loop;
    QTimer timer1;
    timer1.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer1, &QTimer::timeout, [this] { Tick(); });
    QTimer logTimer;
    logTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&logTimer, &QTimer::timeout, [this] { Sample(); });
    QTimer saveTimer;
    QObject::connect(&saveTimer, &QTimer::timeout, [this] { SaveDue(); });
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);

    m_session->Connect();
    m_logger.Start();
    timer1.start(EcuConnection::TickMs);
    logTimer.start(m_result.intervalMs);
    saveTimer.start(static_cast<int>(m_options.saveEveryMinutes * MsPerMinute));
    end.start(static_cast<int>(m_options.durationSeconds * MsPerSecond));
    loop.exec();

    m_logger.Finish(CableOut());
    Collect();
    m_session->CloseLink();
    m_session.reset(); // joins the link thread, which closes the port
}

// With the cable being pulled, a save waits for the next pull: it must lose nothing while the
// link is down, as it touches nothing of the link.
void SoakRun::SaveDue()
{
    m_saveDue = true;
    if (!m_options.simulator.unplug)
        SaveWhenDue();
}

void SoakRun::SaveWhenDue()
{
    if (!m_saveDue)
        return;
    m_saveDue = false;
    m_logger.SaveAndStartAgain(CableOut());
}

void SoakRun::Tick()
{
    m_session->Tick();
    m_watch->Ticked();
    if (CableOut())
        SaveWhenDue();
    ++m_result.ticks;
    const bool settled = Settled();
    m_result.ticksChecked += settled ? 1 : 0;
    const auto mismatch
        = settled ? m_expected.QueryMismatch(m_connection) : m_expected.PartialRawMismatch(m_connection);
    if (!mismatch)
        return;
    ++m_result.wrongValueTicks;
    if (m_result.wrongValues.size() < MaxWrongValuesKept)
        m_result.wrongValues.push_back("tick " + std::to_string(m_result.ticks) + ": " + *mismatch);
}

void SoakRun::Sample()
{
    const bool settled = Settled();
    m_result.rowsChecked += settled ? 1 : 0;
    m_logger.Sample(settled);
}

// Whether every value must now read what the bytes give: the ECU identified and polled long
// enough since the latest identification.
bool SoakRun::Settled()
{
    const int sweeps = m_settledOnce ? LaterSettledSweeps : FirstSettledSweeps;
    const bool settled = m_connection.GetEcuId() != "" && m_connection.CompletedSweeps() >= sweeps;
    m_settledOnce = m_settledOnce || settled;
    return settled;
}

bool SoakRun::CableOut() const
{
    return !m_watch->IsPortOpen() || m_connection.WaitingForCable();
}

void SoakRun::Collect()
{
    SoakResult& r = m_result;
    r.requestsSent = m_watch->RequestsSent();
    r.coreRxErrors = m_connection.RxErrorCount();
    r.replyPendingAtEnd = m_connection.Receiver().AwaitingReply();
    r.cableGone = m_watch->CableGone();
    r.goneWithReplyAwaited = m_watch->GoneWithReplyAwaited();
    r.losses = m_watch->Losses();
    r.identifications = m_watch->Identifications();
    r.reidentified = m_watch->Reidentified();
    r.dataBeforeReidentification = m_watch->DataBeforeReidentification();
    r.lostAtEnd = m_watch->AwaitingReidentification();
    r.samples = m_logger.Samples();
    r.rowsSaved = m_logger.RowsSaved();
    r.saves = m_logger.Saves();
    r.failedSaves = m_logger.FailedSaves();
    r.savesWithCableOut = m_logger.SavesWithCableOut();
    r.wrongRows = m_logger.WrongRows();
    r.logProblemCount = m_logger.ProblemCount();
    r.logProblems = m_logger.Problems();
}

} // namespace

SoakResult RunSoak(const SoakOptions& options)
{
    SoakResult result;
    result.intervalMs = SampleIntervalFor(options.timeBase, kFirstChartGridSize).value_or(0);
    QTemporaryDir work;
    if (!work.isValid()) {
        result.setupError = "cannot make a temporary folder: " + work.errorString().toStdString();
        return result;
    }
    const QString logDir = options.logDir.empty() ? work.filePath(QStringLiteral("log"))
                                                  : QString::fromStdString(options.logDir);
    if (options.logDir.empty())
        QDir().mkpath(logDir);
    if (!QFileInfo(logDir).isDir()) {
        result.setupError = "--log-dir: " + logDir.toStdString() + " is not a folder";
        return result;
    }

    ExpectedEcu expected(options.ecuId, options.simulator.seed, options.baudText, options.channels);
    if (const auto problem = expected.SelfCheckProblem()) {
        result.setupError = *problem;
        return result;
    }

    const QString linkPath = work.filePath(QStringLiteral("cable"));
    const QString statsPath = work.filePath(QStringLiteral("ecusim.stats"));
    const QStringList arguments = QStringList {
        "--ecu", QString::fromStdString(options.ecuId), "--link", linkPath, "--stats", statsPath
    } + ToQt(SimulatorArguments(expected.FixedInto(options.simulator)));
    EcusimProcess ecusim(QString::fromStdString(options.ecusimProgram), arguments);
    if (const auto error = ecusim.WaitUntilServing()) {
        result.setupError = *error;
        return result;
    }

    SoakRun(options, expected, linkPath, LogTargetPath(logDir.toStdString()), result).Run();

    const EcusimProcess::Ending ending = ecusim.Stop(statsPath);
    result.ecusimCrashed = ending.crashed;
    result.ecusimExitCode = ending.exitCode;
    result.ecusimErrors = ending.errorOutput;
    result.simulator = ending.stats;
    return result;
}
