#pragma once

#include "sim/PseudoTerminal.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// An ECU on a pseudo-terminal that echoes each request and answers it as 1103 would (every data
// byte EcuByte), with the flaws a test switches on. One thread writes everything, so an echo and
// its reply always reach the line together, whole.
class ScriptedPtyEcu {
public:
    static constexpr std::uint8_t EcuByte = 0x42;
    static constexpr std::uint8_t FloodByte = 0xFF; // every data byte of the frames nobody asked for

    // Data replies carry seven bytes instead of eight.
    std::atomic<bool> shortReadReplies { false };
    // Between requests, read replies nobody asked for, as fast as the line takes them.
    std::atomic<bool> flood { false };

    ScriptedPtyEcu();
    ~ScriptedPtyEcu();
    ScriptedPtyEcu(const ScriptedPtyEcu&) = delete;
    ScriptedPtyEcu& operator=(const ScriptedPtyEcu&) = delete;

    // The terminal a program opens as its port; empty when none could be had.
    std::string Path() const;
    const std::string& Error() const { return m_error; }
    void Start();

private:
    void Serve();
    void Answer(const std::vector<std::uint8_t>& request);

    std::string m_error;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
};
