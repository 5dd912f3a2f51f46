#include "ConnectionRig.h"

#include <gtest/gtest.h>

std::vector<std::uint8_t> ScriptedEcu::Transfer(std::span<const std::uint8_t> written)
{
    std::vector<std::uint8_t> line(written.begin(), written.end());
    ++requests;
    EcuFrame reply;
    switch (written[0]) {
    case etIdentify:
        if (++m_identifyRequests < identifyAfter)
            return line;
        reply = MakeEcuFrame(etIdentify, id);
        break;
    case etReadData: {
        PollAddressList values {};
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = memory[written[EcuFrame::HeaderBytes + k]];
        reply = MakeEcuFrame(etReadData, values);
        break;
    }
    case etResetEcu: {
        const std::uint8_t result = resetFails ? 1 : 0;
        reply = MakeEcuFrame(etResetEcu, std::span(&result, 1));
        break;
    }
    default:
        reply = MakeEcuFrame(etActuator, {});
        break;
    }
    if (!lostReplies.contains(requests)) {
        const auto bytes = reply.Bytes();
        line.insert(line.end(), bytes.begin(), bytes.end());
    }
    return line;
}

RecordingListener::RecordingListener()
{
    const auto note = [this](std::string line) { events.push_back(std::move(line)); };
    QObject::connect(&m_heard, &ConnectionEvents::LinkStatusChanged,
        [note](const QString& text) { note("link:" + text.toStdString()); });
    QObject::connect(&m_heard, &ConnectionEvents::SampleRateChanged,
        [note](int ms) { note("rate:" + std::to_string(ms)); });
    QObject::connect(&m_heard, &ConnectionEvents::RxErrorCountChanged,
        [note](int count) { note("errors:" + std::to_string(count)); });
    QObject::connect(&m_heard, &ConnectionEvents::PortPermissionDenied,
        [note](const QString& reason) { note("permission:" + reason.toStdString()); });
    QObject::connect(&m_heard, &ConnectionEvents::ValueChanged,
        [this](LiveValueKind kind, const LiveValues&) { values.push_back(kind); });
    QObject::connect(&m_heard, &ConnectionEvents::PriorityValuesRead,
        [this](std::chrono::steady_clock::time_point at) { priorityReads.push_back(at); });
    // A test may run a nested loop from within these, as a message box would.
    QObject::connect(&m_heard, &ConnectionEvents::EcuIdentified, [this, note](const IdentifiedEcu& ecu) {
        note("identified:" + ecu.ecuId + "/" + std::to_string(ecu.support) + "/"
            + std::to_string(ecu.featureFlags));
        if (duringIdentified)
            duringIdentified();
    });
    QObject::connect(&m_heard, &ConnectionEvents::ResetFinished, [this, note](bool succeeded) {
        note(succeeded ? "reset:ok" : "reset:failed");
        if (duringReset)
            duringReset();
    });
    QObject::connect(&m_heard, &ConnectionEvents::ActuatorReplied, [this, note](int test, int value) {
        note("actuator:" + std::to_string(test) + "/" + std::to_string(value));
        if (duringActuator)
            duringActuator();
    });
}

namespace {

// In the words the status bar shows for it.
std::string NameOf(EcuConnection::LineState state)
{
    switch (state) {
    case EcuConnection::LineState::NotConnected:
        return "Not Connected";
    case EcuConnection::LineState::TryingToConnect:
        return "Trying to Connect";
    case EcuConnection::LineState::ConnectedToEcu:
        return "Connected to ECU";
    case EcuConnection::LineState::WaitingForCable:
        return "Waiting to Connect";
    }
    return {};
}

} // namespace

void RecordingListener::SawLineState(EcuConnection::LineState state)
{
    if (state == m_lineState)
        return;
    m_lineState = state;
    events.push_back("connect:" + NameOf(state));
}

std::vector<std::string> RecordingListener::Only(const std::string& prefix) const
{
    std::vector<std::string> matching;
    for (const auto& event : events) {
        if (event.starts_with(prefix))
            matching.push_back(event);
    }
    return matching;
}

void ConnectionRig::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        link.now = tick++;
        link.Pass();
        connection.Tick();
        listener.SawLineState(connection.State());
    }
}

bool ConnectionRig::TickUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i)
        Tick();
    return done();
}

void ConnectionRig::ConnectAndIdentify()
{
    connection.Connect();
    ASSERT_TRUE(TickUntil([this] { return connection.Connected(); }));
}

std::string Describe(const std::vector<std::uint8_t>& request)
{
    switch (request.at(0)) {
    case etIdentify:
        return "id";
    case etResetEcu:
        return "reset";
    case etActuator:
        return "act";
    case etReadData:
        return "read " + std::to_string(request.at(EcuFrame::HeaderBytes));
    default:
        return "?";
    }
}

std::vector<std::string> Timeline(const FakeLink& link)
{
    std::vector<std::string> lines;
    for (const auto& sent : link.sent)
        lines.push_back(std::to_string(sent.tick) + ":" + Describe(sent.bytes));
    return lines;
}

std::vector<std::uint8_t> Bytes(const EcuFrame& frame)
{
    return { frame.Bytes().begin(), frame.Bytes().end() };
}
