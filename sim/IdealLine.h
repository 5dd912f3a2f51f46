#pragma once

#include "port/InterfaceLink.h"
#include "sim/LineResponder.h"

#include <algorithm>
#include <deque>

// The line with the ECU at its far end and nothing in between: the port is always open, every
// request is echoed and answered at once, and the bytes wait for the next ReceiveBytes.
class IdealLine final : public InterfaceLink {
public:
    explicit IdealLine(LineResponder& ecu)
        : m_ecu(ecu)
    {
    }
    int OpenPort(const QString&) override { return 0; }
    int ClosePort() override { return 0; }
    bool IsPortOpen() const override { return true; }
    QString GetStatusText() const override { return QString::fromLatin1(VadInterface); }
    int SendBytes(std::span<const std::uint8_t> bytes) override
    {
        const auto line = m_ecu.Transfer(bytes);
        m_line.insert(m_line.end(), line.begin(), line.end());
        return 0;
    }
    int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) override
    {
        count = static_cast<std::uint8_t>(std::min(m_line.size(), buffer.size()));
        std::copy_n(m_line.begin(), count, buffer.begin());
        m_line.erase(m_line.begin(), m_line.begin() + count);
        return 0;
    }
    int SetBaudRate(const QString&) override { return 0; }

private:
    LineResponder& m_ecu;
    std::deque<std::uint8_t> m_line;
};
