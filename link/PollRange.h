#pragma once

#include "defs/EcuConstants.h"
#include "link/EcuFrame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The ECU's data addresses as they are polled: windows of eight addresses from the base address,
// as many as it takes to reach the end address (the last window may run past it). Addresses wrap
// at the top of the one-byte address space. A range whose end lies below its base is one window.
class PollRange {
public:
    static constexpr int WindowSize = EcuFrame::MaxDataBytes;

    constexpr PollRange() = default;
    constexpr PollRange(int base, int end)
        : m_base(base)
        , m_end(end)
    {
    }
    // The range an ECU's constants give.
    static PollRange Of(const EcuConstantsRow& constants)
    {
        return { constants.Truncated(EcuConstant::BaseAddress),
            constants.Truncated(EcuConstant::EndAddress) };
    }

    constexpr int Base() const { return m_base; }
    constexpr int End() const { return m_end; }
    constexpr int WindowCount() const { return std::max(m_end - m_base, 0) / WindowSize + 1; }
    // True also for a window beyond the range (one read before the range shrank).
    constexpr bool IsLast(int window) const { return window + 1 >= WindowCount(); }
    // The window read after `window` in a sweep: the next one, or the first after the last.
    constexpr int After(int window) const { return IsLast(window) ? 0 : window + 1; }
    // Whether the byte `offset` places after the base is read by one of the windows.
    constexpr bool Covers(int offset) const { return offset >= 0 && offset < WindowCount() * WindowSize; }
    static constexpr int WindowOf(int offset) { return offset / WindowSize; }

    // The address `offset` places after the base.
    constexpr std::uint8_t AddressAt(int offset) const
    {
        return static_cast<std::uint8_t>((m_base + offset) % AddressCount);
    }
    // Address `k` (from 0) of a window, and all eight of them.
    constexpr std::uint8_t Address(int window, std::size_t k) const
    {
        return AddressAt(window * WindowSize + static_cast<int>(k));
    }
    constexpr PollAddressList WindowAddresses(int window) const
    {
        PollAddressList addresses {};
        for (std::size_t k = 0; k < addresses.size(); ++k)
            addresses[k] = Address(window, k);
        return addresses;
    }

    constexpr bool operator==(const PollRange&) const = default;

private:
    static constexpr int AddressCount = 256;

    int m_base = 0;
    int m_end = 0;
};
