#pragma once

#include "sim/PseudoTerminal.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// An ECU on a pseudo-terminal that echoes each request and answers it as 1103 would (every data
// byte EcuByte, or each address's own byte), with the flaws a test switches on. One thread writes
// everything, so an echo and its reply always reach the line together, whole (unless the reply is
// held back).
class ScriptedPtyEcu {
public:
    static constexpr std::uint8_t EcuByte = 0x42;
    static constexpr std::uint8_t FloodByte = 0xFF; // every data byte of the frames nobody asked for
    // Its thread's name, for a benchmark to leave its CPU time out of the program's.
    static constexpr std::string_view ThreadName = "scripted-ecu";

    // The byte each address holds when `bytesByAddress` is on: never 0, EcuByte nor FloodByte, so
    // a byte shown for the wrong address or taken from a flood stands out.
    static std::uint8_t AddressByte(int address)
    {
        return static_cast<std::uint8_t>(0x80 | (address & 0x3F));
    }

    // Data replies carry seven bytes instead of eight.
    std::atomic<bool> shortReadReplies { false };
    std::atomic<bool> bytesByAddress { false };
    // Requests are echoed (the line does that) but no longer answered.
    std::atomic<bool> silent { false };
    // Between requests, read replies nobody asked for, as fast as the line takes them.
    std::atomic<bool> flood { false };
    // Between requests, random bytes at about the line's rate, without a pause.
    std::atomic<bool> randomFlood { false };
    // Each reply leaves this long after its request (the echo at once).
    std::atomic<int> replyDelayMs { 0 };
    // Requests answered so far.
    std::atomic<int> answered { 0 };

    ScriptedPtyEcu();
    ~ScriptedPtyEcu();
    ScriptedPtyEcu(const ScriptedPtyEcu&) = delete;
    ScriptedPtyEcu& operator=(const ScriptedPtyEcu&) = delete;

    // The terminal a program opens as its port; empty when none could be had.
    std::string Path() const;
    const std::string& Error() const { return m_error; }
    void Start();

private:
    struct DueReply {
        std::chrono::steady_clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };

    void Serve();
    void Answer(const std::vector<std::uint8_t>& request);
    std::vector<std::uint8_t> Reply(const std::vector<std::uint8_t>& request) const;
    void WriteWhole(std::span<const std::uint8_t> bytes);
    void SendDueReplies();

    std::string m_error;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::vector<DueReply> m_dueReplies; // in the order they fall due
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
};
