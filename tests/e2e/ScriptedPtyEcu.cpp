#include "ScriptedPtyEcu.h"

#include "link/EcuFrame.h"

#include <poll.h>
#include <pthread.h>

#include <array>
#include <random>

namespace {

constexpr int FramesPerWrite = 400; // big writes, so the line floods faster than it is read

std::vector<std::uint8_t> FloodOfFrames()
{
    PollAddressList flooded {};
    flooded.fill(ScriptedPtyEcu::FloodByte);
    const EcuFrame floodFrame = MakeEcuFrame(etReadData, flooded);
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < FramesPerWrite; ++i)
        bytes.insert(bytes.end(), floodFrame.Bytes().begin(), floodFrame.Bytes().end());
    return bytes;
}

} // namespace

ScriptedPtyEcu::ScriptedPtyEcu()
    : m_pty(PseudoTerminal::Open(m_error))
{
}

ScriptedPtyEcu::~ScriptedPtyEcu()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::string ScriptedPtyEcu::Path() const
{
    return m_pty ? m_pty->SlavePath() : std::string();
}

void ScriptedPtyEcu::Start()
{
    if (!m_pty)
        return;
    m_thread = std::thread([this] { Serve(); });
    ::pthread_setname_np(m_thread.native_handle(), std::string(ThreadName).c_str());
}

void ScriptedPtyEcu::Serve()
{
    const std::vector<std::uint8_t> floodBytes = FloodOfFrames();
    std::mt19937 random(1);
    // Random bytes come at about the line's own rate, a couple a millisecond: never a pause as
    // long as the gap a request waits for.
    constexpr int NoiseWaitMs = 1;
    std::array<std::uint8_t, 2> noise {};

    std::vector<std::uint8_t> pending;
    while (!m_stop) {
        constexpr int WaitMs = 5;
        pollfd line { m_pty->MasterFd(), static_cast<short>(flood ? POLLIN | POLLOUT : POLLIN), 0 };
        ::poll(&line, 1, randomFlood ? NoiseWaitMs : WaitMs);
        const auto written = m_pty->ReadAvailable();
        pending.insert(pending.end(), written.begin(), written.end());
        while (!pending.empty()) {
            if (pending.size() >= 2 && pending[1] < EcuFrame::OverheadBytes) {
                pending.erase(pending.begin()); // no request is this short: skip a byte
                continue;
            }
            if (pending.size() < 2 || pending.size() < pending[1])
                break;
            const auto end = pending.begin() + pending[1];
            Answer(std::vector<std::uint8_t>(pending.begin(), end));
            pending.erase(pending.begin(), end);
        }
        SendDueReplies();
        if (flood)
            m_pty->Write(floodBytes);
        if (randomFlood) {
            for (std::uint8_t& byte : noise)
                byte = static_cast<std::uint8_t>(random());
            m_pty->Write(noise);
        }
    }
}

std::vector<std::uint8_t> ScriptedPtyEcu::Reply(const std::vector<std::uint8_t>& request) const
{
    if (request[0] == etIdentify) {
        const std::array<std::uint8_t, 2> id { 0x11, 0x03 };
        const EcuFrame reply = MakeEcuFrame(etIdentify, id);
        return { reply.Bytes().begin(), reply.Bytes().end() };
    }
    PollAddressList values {};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = bytesByAddress ? AddressByte(request[EcuFrame::HeaderBytes + i]) : EcuByte;
    const std::size_t dataBytes = shortReadReplies ? values.size() - 1 : values.size();
    const EcuFrame reply = MakeEcuFrame(etReadData, std::span(values).first(dataBytes));
    return { reply.Bytes().begin(), reply.Bytes().end() };
}

void ScriptedPtyEcu::Answer(const std::vector<std::uint8_t>& request)
{
    std::vector<std::uint8_t> line = request; // the line echoes what the program wrote
    if (!silent) {
        ++answered;
        const std::vector<std::uint8_t> reply = Reply(request);
        if (replyDelayMs > 0) {
            const auto due
                = std::chrono::steady_clock::now() + std::chrono::milliseconds(replyDelayMs.load());
            m_dueReplies.push_back({ due, reply });
        } else {
            line.insert(line.end(), reply.begin(), reply.end());
        }
    }
    WriteWhole(line);
}

void ScriptedPtyEcu::SendDueReplies()
{
    const auto now = std::chrono::steady_clock::now();
    while (!m_dueReplies.empty() && m_dueReplies.front().due <= now) {
        WriteWhole(m_dueReplies.front().bytes);
        m_dueReplies.erase(m_dueReplies.begin());
    }
}

void ScriptedPtyEcu::WriteWhole(std::span<const std::uint8_t> bytes)
{
    // Echo and reply go out whole, however full the line is.
    for (std::span<const std::uint8_t> rest(bytes); !rest.empty() && !m_stop;) {
        rest = rest.subspan(m_pty->Write(rest));
        if (!rest.empty())
            std::this_thread::yield();
    }
}
