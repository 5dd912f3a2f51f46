#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

// A 256-byte ring with one writer thread and one reader thread. It is empty when the read index
// equals the write index, so it holds at most 255 bytes. There is no overrun check: a writer that
// puts in more than the free room moves the write index past the read index, and the oldest bytes
// are lost (the ring then reads as holding fewer bytes); the frame checksum catches the damage.
class ByteRing {
public:
    static constexpr std::size_t Size = 256;
    static constexpr std::size_t Capacity = Size - 1;

    // Writer side.
    void Put(std::span<const std::uint8_t> bytes)
    {
        std::uint8_t in = m_in.load(std::memory_order_relaxed);
        for (const std::uint8_t byte : bytes) {
            m_bytes[in].store(byte, std::memory_order_relaxed);
            ++in;
            // Published per byte, so a reader sees each byte as soon as it is stored.
            m_in.store(in, std::memory_order_release);
        }
    }

    // Reader side: moves up to `destination.size()` bytes out, oldest first; returns the count.
    std::size_t Take(std::span<std::uint8_t> destination)
    {
        const std::uint8_t in = m_in.load(std::memory_order_acquire);
        std::uint8_t out = m_out.load(std::memory_order_relaxed);
        std::size_t count = 0;
        while (out != in && count < destination.size()) {
            destination[count++] = m_bytes[out].load(std::memory_order_relaxed);
            ++out;
        }
        m_out.store(out, std::memory_order_release);
        return count;
    }

    // Either side: how many bytes the ring reads as holding right now.
    std::size_t Count() const
    {
        return static_cast<std::uint8_t>(
            m_in.load(std::memory_order_acquire) - m_out.load(std::memory_order_acquire));
    }

private:
    // Relaxed atomics rather than plain bytes: a writer that overruns the reader stores into a
    // slot the reader may be loading, which would otherwise be a data race.
    std::array<std::atomic<std::uint8_t>, Size> m_bytes {};
    std::atomic<std::uint8_t> m_in { 0 };
    std::atomic<std::uint8_t> m_out { 0 };
};
