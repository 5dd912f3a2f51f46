#pragma once

#include "link/EcuConnection.h"
#include "link/EcuFrame.h"
#include "sim/LineResponder.h"

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The link as the connection sees it, without a thread: the port opens on the next pass after
// it was asked for, written bytes go to a far end at once and what comes back is handed out by
// the next ReceiveBytes.
class FakeLink final : public InterfaceLink {
public:
    struct Sent {
        int tick;
        std::vector<std::uint8_t> bytes;
    };

    QString status = QString::fromLatin1(VadInterface);
    LineResponder* farEnd = nullptr;
    int now = 0; // the tick number the rig is running

    std::vector<QString> openCalls;
    std::vector<QString> baudCalls;
    int closeCalls = 0;
    std::vector<Sent> sent;
    std::deque<std::uint8_t> incoming;
    bool portOpen = false;
    PortOpenError openError; // while it says permission denied, the port does not open
    std::optional<int> latencyMs; // the open port's receive latency

    // What the link thread does between two ticks.
    void Pass()
    {
        if (status != QLatin1String(VadInterface)) {
            portOpen = false;
            incoming.clear();
        } else if (m_openRequested && !openError.permissionDenied) {
            portOpen = true;
            m_openRequested = false;
        }
    }

    int OpenPort(const QString& baudText) override
    {
        openCalls.push_back(baudText);
        m_openRequested = true;
        return 0;
    }
    int ClosePort() override
    {
        ++closeCalls;
        return 0;
    }
    bool IsPortOpen() const override { return portOpen; }
    QString GetStatusText() const override { return status; }
    PortOpenError GetOpenError() const override { return openError; }
    std::optional<OpenPortDetails> GetOpenPort() const override
    {
        if (!portOpen)
            return std::nullopt;
        return OpenPortDetails { "fake", "VAD Interface", "R1FAKE", latencyMs };
    }
    int SendBytes(std::span<const std::uint8_t> bytes) override
    {
        sent.push_back({ now, { bytes.begin(), bytes.end() } });
        if (farEnd) {
            const auto line = farEnd->Transfer(bytes);
            incoming.insert(incoming.end(), line.begin(), line.end());
        }
        return 0;
    }
    int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) override
    {
        count = 0;
        while (!incoming.empty() && count < buffer.size()) {
            buffer[count++] = incoming.front();
            incoming.pop_front();
        }
        return 0;
    }
    int SetBaudRate(const QString& baudText) override
    {
        baudCalls.push_back(baudText);
        return portOpen ? 0 : 1;
    }

private:
    bool m_openRequested = false;
};

// An ECU whose answers the test decides: the line echoes each request, then the ECU replies unless
// the request's number (from 1) is listed as lost.
class ScriptedEcu final : public LineResponder {
public:
    std::array<std::uint8_t, 2> id { 0x11, 0x03 };
    std::array<std::uint8_t, 256> memory {};
    int identifyAfter = 1; // the first identification request that is answered
    bool resetFails = false;
    std::set<int> lostReplies;
    int requests = 0;

    std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) override;

private:
    int m_identifyRequests = 0;
};

// Every report of the connection, in order, as short texts ("link:VAD Interface", "errors:1"), and
// the connection's state each time the rig saw it changed after a tick ("connect:Trying to Connect").
class RecordingListener {
public:
    RecordingListener();

    // What the connection emits on.
    ConnectionEvents& Events() { return m_heard; }
    // The connection's state after a tick; recorded when it changed.
    void SawLineState(EcuConnection::LineState state);
    // The events that start with `prefix`.
    std::vector<std::string> Only(const std::string& prefix) const;

    std::vector<std::string> events;
    std::vector<LiveValueKind> values;
    std::vector<std::chrono::steady_clock::time_point> priorityReads;
    std::function<void()> duringIdentified;
    std::function<void()> duringReset;
    std::function<void()> duringActuator;

private:
    ConnectionEvents m_heard;
    EcuConnection::LineState m_lineState = EcuConnection::LineState::NotConnected;
};

// The connection with a fake link, a scripted ECU and a recording listener, run tick by tick.
struct ConnectionRig {
    FakeLink link;
    ScriptedEcu ecu;
    RecordingListener listener;
    EcuConnection connection { link, listener.Events() };
    int tick = 0;

    ConnectionRig() { link.farEnd = &ecu; }

    void Tick(int count = 1);
    // Ticks until `done` holds, at most `limit` ticks; whether it came to hold.
    bool TickUntil(const std::function<bool()>& done, int limit = 1000);
    // Connects and ticks until the ECU is identified.
    void ConnectAndIdentify();
};

// "id", "reset", "act", or "read N" with N the first address asked for.
std::string Describe(const std::vector<std::uint8_t>& request);
// The requests sent, each as "tick:description".
std::vector<std::string> Timeline(const FakeLink& link);
std::vector<std::uint8_t> Bytes(const EcuFrame& frame);
