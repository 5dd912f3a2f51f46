#include "LiveRig.h"

#include "sim/EcuSimulator.h"

#include <algorithm>
#include <thread>

namespace {

constexpr std::chrono::milliseconds TickInterval { EcuConnection::TickMs };
constexpr double SceneSeconds = 12.5; // the engine warm and idling

} // namespace

LiveRig::LiveRig(TD2xxThread::DriverFactory factory, const QString& baudText)
    : m_thread(std::make_unique<TD2xxThread>(std::move(factory)))
    , m_recording(std::make_unique<RecordingLink>(*m_thread))
    , m_connection(std::make_unique<EcuConnection>(*m_recording, m_events))
{
    QObject::connect(&m_events, &ConnectionEvents::EcuIdentified, [this] { ++identifications; });
    m_connection->SetBaudText(baudText);
}

LiveRig::~LiveRig()
{
    m_connection.reset();
    m_recording.reset();
    m_thread.reset();
}

bool LiveRig::TickUntil(const std::function<bool()>& done)
{
    const auto giveUp = std::chrono::steady_clock::now() + Patience;
    while (!done() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(TickInterval);
        const EcuConnection::LineState before = m_connection->State();
        m_connection->Tick();
        if (m_connection->State() != before)
            lineStates.push_back(m_connection->State());
    }
    return done();
}

bool LiveRig::ConnectAndPoll(int sweeps)
{
    m_connection->Connect();
    return TickUntil([&] { return m_connection->Connected() && m_connection->CompletedSweeps() >= sweeps; });
}

bool LiveRig::ReconnectsTwice()
{
    const bool polled = ConnectAndPoll(1) && TickUntil([&] {
        return identifications >= 3 && m_connection->Connected() && m_connection->CompletedSweeps() >= 1;
    });
    using State = EcuConnection::LineState;
    const auto waiting = std::find(lineStates.begin(), lineStates.end(), State::WaitingForCable);
    return polled && std::find(waiting, lineStates.end(), State::ConnectedToEcu) != lineStates.end();
}

SimulatorCounters ReplayCounters(const std::string& ecuId, const SimulatorSettings& settings,
    const std::vector<std::vector<std::uint8_t>>& sent)
{
    EcuSimulator mirror(ecuId, settings, [] { return 0.0; });
    for (const auto& request : sent)
        mirror.Transfer(request);
    return mirror.Counters();
}

SimulatorSettings FixedScene(const std::string& ecuId, SimulatorSettings settings)
{
    // The simulator's time starts at its first reading of the clock.
    const EcuSimulator scene(
        ecuId, {}, [readings = 0]() mutable { return readings++ == 0 ? 0.0 : SceneSeconds; });
    const EcuMemory memory = scene.MemoryNow();
    for (std::size_t address = 0; address < memory.size(); ++address)
        settings.fixedBytes[address] = memory[address];
    return settings;
}

std::string SimBytesArgument(const SimulatorSettings& settings)
{
    std::string text;
    for (std::size_t address = 0; address < settings.fixedBytes.size(); ++address) {
        if (settings.fixedBytes[address])
            text += (text.empty() ? "" : ",") + std::to_string(address) + "="
                + std::to_string(*settings.fixedBytes[address]);
    }
    return text;
}

std::array<std::uint8_t, 256> FixedMemory(const SimulatorSettings& settings)
{
    std::array<std::uint8_t, 256> memory {};
    for (std::size_t address = 0; address < memory.size(); ++address)
        memory[address] = settings.fixedBytes[address].value_or(0);
    return memory;
}
