#pragma once

#include "link/EcuConnection.h"
#include "port/D2xxThread.h"
#include "sim/FaultInjector.h"
#include "sim/SimulatorOptions.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Passes everything on to the real link and keeps a copy of every request, in order, so a test can
// replay them on a simulator of its own.
class RecordingLink final : public InterfaceLink {
public:
    explicit RecordingLink(InterfaceLink& link)
        : m_link(link)
    {
    }

    std::vector<std::vector<std::uint8_t>> sent;

    int OpenPort(const QString& baudText) override { return m_link.OpenPort(baudText); }
    int ClosePort() override { return m_link.ClosePort(); }
    bool IsPortOpen() const override { return m_link.IsPortOpen(); }
    QString GetStatusText() const override { return m_link.GetStatusText(); }
    int SendBytes(std::span<const std::uint8_t> bytes) override
    {
        sent.emplace_back(bytes.begin(), bytes.end());
        return m_link.SendBytes(bytes);
    }
    int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) override
    {
        return m_link.ReceiveBytes(buffer, count);
    }
    int SetBaudRate(const QString& baudText) override { return m_link.SetBaudRate(baudText); }

private:
    InterfaceLink& m_link;
};

// The connection over the real link thread, ticked every 50 ms by the test.
class LiveRig final {
public:
    // Generous bounds: a broken link fails the test instead of hanging it.
    static constexpr std::chrono::seconds Patience { 60 };

    explicit LiveRig(TD2xxThread::DriverFactory factory, const QString& baudText = QStringLiteral("15625"));
    ~LiveRig();
    LiveRig(const LiveRig&) = delete;
    LiveRig& operator=(const LiveRig&) = delete;

    // Ticks until `done` holds or Patience has passed; whether it came to hold.
    bool TickUntil(const std::function<bool()>& done);
    bool ConnectAndPoll(int sweeps);
    // Connects, then ticks through two pulls of the cable until the third connection has polled a
    // sweep (a pull can come at any tick). Whether it got there, having waited for the cable and
    // then connected again.
    bool ReconnectsTwice();

    const EcuConnection& Connection() const { return *m_connection; }
    const std::vector<std::vector<std::uint8_t>>& Sent() const { return m_recording->sent; }

    // The connection's state each time a tick changed it.
    std::vector<EcuConnection::LineState> lineStates;
    int identifications = 0;

private:
    ConnectionEvents m_events;
    std::unique_ptr<TD2xxThread> m_thread;
    std::unique_ptr<RecordingLink> m_recording;
    std::unique_ptr<EcuConnection> m_connection;
};

// The failures a simulator with `settings` gives the requests that were sent, in order: the same
// seed and the same requests give the same faults as the simulator at the far end had.
SimulatorCounters ReplayCounters(const std::string& ecuId, const SimulatorSettings& settings,
    const std::vector<std::vector<std::uint8_t>>& sent);

// The memory of the simulated ECU at one moment of its engine scene, as every byte fixed.
SimulatorSettings FixedScene(const std::string& ecuId, SimulatorSettings settings);
std::string SimBytesArgument(const SimulatorSettings& settings);
std::array<std::uint8_t, 256> FixedMemory(const SimulatorSettings& settings);
