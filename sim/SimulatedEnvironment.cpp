#include "sim/SimulatedEnvironment.h"

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
class SimulatedEnvironment::CableDriver final : public D2xxDriver {
public:
    CableDriver(std::shared_ptr<SimulatedCable> cable, std::shared_ptr<Plug> plug)
        : m_cable(std::move(cable))
        , m_plug(std::move(plug))
    {
    }

    FtStatus CreateDeviceInfoList(std::uint32_t& count) override
    {
        m_plug->Follow();
        return m_cable->CreateDeviceInfoList(count);
    }
    FtStatus GetDeviceInfoDetail(std::uint32_t index, FtDeviceInfo& info) override
    {
        return m_cable->GetDeviceInfoDetail(index, info);
    }
    FtStatus Open(std::uint32_t index, FtHandle& handle) override { return m_cable->Open(index, handle); }
    FtStatus Close(FtHandle handle) override { return m_cable->Close(handle); }
    FtStatus SetBaudRate(FtHandle handle, std::uint32_t baudRate) override
    {
        return m_cable->SetBaudRate(handle, baudRate);
    }
    FtStatus SetDataCharacteristics(
        FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override
    {
        return m_cable->SetDataCharacteristics(handle, wordLength, stopBits, parity);
    }
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override
    {
        return m_cable->SetTimeouts(handle, readMs, writeMs);
    }
    FtStatus GetStatus(
        FtHandle handle, std::uint32_t& rxBytes, std::uint32_t& txBytes, std::uint32_t& events) override
    {
        m_plug->Follow();
        return m_cable->GetStatus(handle, rxBytes, txBytes, events);
    }
    FtStatus Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned) override
    {
        return m_cable->Read(handle, buffer, bytesReturned);
    }
    FtStatus Write(FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten) override
    {
        return m_cable->Write(handle, bytes, bytesWritten);
    }
    FtStatus WaitForData(FtHandle handle, std::chrono::milliseconds timeout) override
    {
        return m_cable->WaitForData(handle, timeout);
    }
    void Interrupt() override { m_cable->Interrupt(); }
    FtOpenError LastOpenError() const override { return m_cable->LastOpenError(); }

private:
    const std::shared_ptr<SimulatedCable> m_cable;
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
    m_plug->Follow();
}

SimulatedEnvironment::~SimulatedEnvironment() = default;

TD2xxThread::DriverFactory SimulatedEnvironment::DriverFactory() const
{
    return [cable = m_cable, plug = m_plug]() -> D2xxDriverPtr {
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
