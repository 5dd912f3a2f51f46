#pragma once

#include "port/PortDriver.h"

#include <utility>

// A driver that passes every call on to another one: the base of a wrapper that watches or
// adds to some of the calls (every byte written and read passes through Write and Read).
class ForwardingPortDriver : public PortDriver {
public:
    explicit ForwardingPortDriver(PortDriverPtr inner)
        : m_inner(std::move(inner))
    {
    }

    std::optional<std::vector<PortListing>> ListPorts() override { return m_inner->ListPorts(); }
    bool Open(const std::string& location) override { return m_inner->Open(location); }
    bool Close() override { return m_inner->Close(); }
    bool SetBaudRate(int baudRate) override { return m_inner->SetBaudRate(baudRate); }
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override { return m_inner->Read(buffer); }
    bool Write(std::span<const std::uint8_t> bytes) override { return m_inner->Write(bytes); }
    bool WaitForData(std::chrono::milliseconds timeout) override { return m_inner->WaitForData(timeout); }
    void Interrupt() override { m_inner->Interrupt(); }
    PortOpenError LastOpenError() const override { return m_inner->LastOpenError(); }
    std::optional<int> ReceiveLatencyMs() const override { return m_inner->ReceiveLatencyMs(); }

private:
    const PortDriverPtr m_inner;
};
