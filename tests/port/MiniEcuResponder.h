#pragma once

#include "link/EcuFrame.h"
#include "sim/LineResponder.h"

#include <array>
#include <numeric>
#include <vector>

// The far end of the line, just enough for the link tests: the echo of every written byte, then
// a reply to each complete identification (two fixed bytes) or data read (from `memory`).
class MiniEcuResponder final : public LineResponder {
public:
    static constexpr std::uint8_t IdHigh = 0x11;
    static constexpr std::uint8_t IdLow = 0x03;

    // Each address holds its own number unless a test says otherwise.
    MiniEcuResponder() { std::iota(memory.begin(), memory.end(), std::uint8_t { 0 }); }

    std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) override
    {
        std::vector<std::uint8_t> line(written.begin(), written.end());
        m_pending.insert(m_pending.end(), written.begin(), written.end());
        while (m_pending.size() >= 2 && m_pending.size() >= m_pending[1]) {
            if (m_pending[1] < EcuFrame::OverheadBytes) {
                m_pending.erase(m_pending.begin()); // not a request; skip a byte
                continue;
            }
            const std::span<const std::uint8_t> frame(m_pending.data(), m_pending[1]);
            AppendReply(frame, line);
            m_pending.erase(m_pending.begin(), m_pending.begin() + frame.size());
        }
        return line;
    }

    std::array<std::uint8_t, 256> memory {};

private:
    void AppendReply(std::span<const std::uint8_t> request, std::vector<std::uint8_t>& line) const
    {
        EcuFrame reply;
        if (request[0] == etIdentify) {
            const std::array<std::uint8_t, 2> id { IdHigh, IdLow };
            reply = MakeEcuFrame(etIdentify, id);
        } else if (request[0] == etReadData && request.size() == EcuFrame::MaxLength) {
            PollAddressList values {};
            for (std::size_t k = 0; k < values.size(); ++k)
                values[k] = memory[request[EcuFrame::HeaderBytes + k]];
            reply = MakeEcuFrame(etReadData, values);
        } else {
            return;
        }
        const auto bytes = reply.Bytes();
        line.insert(line.end(), bytes.begin(), bytes.end());
    }

    std::vector<std::uint8_t> m_pending;
};
