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

void RecordingListener::EcuIdentified(const IdentifiedEcu& ecu)
{
    events.push_back("identified:" + ecu.ecuId + "/" + std::to_string(ecu.support) + "/"
        + std::to_string(ecu.featureFlags));
    if (duringIdentified)
        duringIdentified();
}

void RecordingListener::ResetFinished(bool succeeded)
{
    events.push_back(succeeded ? "reset:ok" : "reset:failed");
    if (duringReset)
        duringReset();
}

void RecordingListener::ActuatorReplied(int test, int value)
{
    events.push_back("actuator:" + std::to_string(test) + "/" + std::to_string(value));
    if (duringActuator)
        duringActuator();
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
