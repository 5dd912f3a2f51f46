#include "sim/SimulatedEnvironment.h"

#include "port/ForwardingPortDriver.h"

#include <mutex>

// The simulated ECU behind a lock: the cable calls it from the link thread while a test or the
// tool reads its counters and memory from another.
class SimulatedEnvironment::LockedSimulator final : public LineResponder {
public:
    LockedSimulator(std::string_view ecuId, const SimulatorSettings& settings, SimClock clock)
        : m_simulator(ecuId, settings, std::move(clock))
    {
    }

    std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) override
    {
        const std::lock_guard lock(m_mutex);
        return m_simulator.Transfer(written);
    }

    template <typename Read> auto With(Read read) const
    {
        const std::lock_guard lock(m_mutex);
        return read(m_simulator);
    }

private:
    mutable std::mutex m_mutex;
    EcuSimulator m_simulator;
};

// Keeps the cable plugged in or pulled out as the unplug schedule says. Time 0 of the schedule
// is the moment the environment was made.
class SimulatedEnvironment::Plug {
public:
    Plug(std::shared_ptr<SimulatedCable> cable, std::optional<UnplugSchedule> schedule, SimClock clock)
        : m_cable(std::move(cable))
        , m_schedule(std::move(schedule))
        , m_clock(std::move(clock))
        , m_startSeconds(m_clock())
    {
    }

    void Follow()
    {
        if (!m_schedule)
            return;
        // One caller at a time, so two threads cannot pull and plug in at the same moment.
        const std::lock_guard lock(m_mutex);
        const bool pluggedIn = m_schedule->IsPluggedIn(m_clock() - m_startSeconds);
        if (pluggedIn == m_cable->IsPluggedIn())
            return;
        if (pluggedIn)
            m_cable->PlugIn();
        else
            m_cable->PullOut();
    }

private:
    std::mutex m_mutex;
    const std::shared_ptr<SimulatedCable> m_cable;
    const std::optional<UnplugSchedule> m_schedule;
    const SimClock m_clock;
    const double m_startSeconds;
};

// What the link thread holds: the shared cable, with the schedule applied before the calls by
// which the link thread notices a pulled cable.
class SimulatedEnvironment::CableDriver final : public ForwardingPortDriver {
public:
    CableDriver(std::shared_ptr<SimulatedCable> cable, std::shared_ptr<Plug> plug)
        : ForwardingPortDriver(std::move(cable))
        , m_plug(std::move(plug))
    {
    }

    std::optional<std::vector<PortListing>> ListPorts() override
    {
        m_plug->Follow();
        return ForwardingPortDriver::ListPorts();
    }
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override
    {
        m_plug->Follow();
        return ForwardingPortDriver::Read(buffer);
    }

private:
    const std::shared_ptr<Plug> m_plug;
};

SimulatedEnvironment::SimulatedEnvironment(
    std::string_view ecuId, const SimulatorSettings& settings, SimClock clock)
    : m_cable(std::make_shared<SimulatedCable>())
    , m_simulator(std::make_shared<LockedSimulator>(ecuId, settings, clock))
    , m_plug(std::make_shared<Plug>(m_cable, settings.unplug, clock))
{
    m_cable->SetResponder(m_simulator);
    if (settings.pace)
        m_cable->SetPaced(true, clock);
    if (settings.latencyMs > 0)
        m_cable->SetReceiveLatency(std::chrono::milliseconds(settings.latencyMs), clock);
    m_plug->Follow();
}

SimulatedEnvironment::~SimulatedEnvironment() = default;

TD2xxThread::DriverFactory SimulatedEnvironment::DriverFactory() const
{
    return [cable = m_cable, plug = m_plug]() -> PortDriverPtr {
        return std::make_shared<CableDriver>(cable, plug);
    };
}

SimulatedCable& SimulatedEnvironment::Cable() const
{
    return *m_cable;
}

std::string SimulatedEnvironment::EcuId() const
{
    return m_simulator->With([](const EcuSimulator& simulator) { return simulator.EcuId(); });
}

SimulatorCounters SimulatedEnvironment::Counters() const
{
    return m_simulator->With([](const EcuSimulator& simulator) { return simulator.Counters(); });
}

EcuMemory SimulatedEnvironment::MemoryNow() const
{
    return m_simulator->With([](const EcuSimulator& simulator) { return simulator.MemoryNow(); });
}
