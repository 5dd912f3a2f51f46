#include "ScriptedPtyEcu.h"

#include "link/EcuFrame.h"

#include <poll.h>

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
    if (m_pty)
        m_thread = std::thread([this] { Serve(); });
}

void ScriptedPtyEcu::Serve()
{
    PollAddressList flooded {};
    flooded.fill(FloodByte);
    const EcuFrame floodFrame = MakeEcuFrame(etReadData, flooded);
    constexpr int FramesPerWrite = 400; // big writes, so the line floods faster than it is read
    std::vector<std::uint8_t> floodBytes;
    for (int i = 0; i < FramesPerWrite; ++i)
        floodBytes.insert(floodBytes.end(), floodFrame.Bytes().begin(), floodFrame.Bytes().end());

    std::vector<std::uint8_t> pending;
    while (!m_stop) {
        constexpr int WaitMs = 5;
        pollfd line { m_pty->MasterFd(), static_cast<short>(flood ? POLLIN | POLLOUT : POLLIN), 0 };
        ::poll(&line, 1, WaitMs);
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
        if (flood)
            m_pty->Write(floodBytes);
    }
}

void ScriptedPtyEcu::Answer(const std::vector<std::uint8_t>& request)
{
    std::vector<std::uint8_t> line = request; // the line echoes what the program wrote
    const std::array<std::uint8_t, 2> id { 0x11, 0x03 };
    PollAddressList values {};
    values.fill(EcuByte);
    const std::size_t dataBytes = shortReadReplies ? values.size() - 1 : values.size();
    const EcuFrame reply = request[0] == etIdentify
        ? MakeEcuFrame(etIdentify, id)
        : MakeEcuFrame(etReadData, std::span(values).first(dataBytes));
    line.insert(line.end(), reply.Bytes().begin(), reply.Bytes().end());
    // Echo and reply go out whole, however full the line is.
    for (std::span<const std::uint8_t> rest(line); !rest.empty() && !m_stop;) {
        rest = rest.subspan(m_pty->Write(rest));
        if (!rest.empty())
            std::this_thread::yield();
    }
}
