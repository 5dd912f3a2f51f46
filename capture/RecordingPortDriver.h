#pragma once

#include "capture/SessionRecorder.h"
#include "port/ForwardingPortDriver.h"

#include <memory>

// The driver of the cable with every byte written and read handed to the session recorder on its
// way; while the recorder is not recording, it costs one flag check a call.
class RecordingPortDriver final : public ForwardingPortDriver {
public:
    RecordingPortDriver(PortDriverPtr inner, std::shared_ptr<SessionRecorder> recorder);

    bool Open(const std::string& location) override;
    bool Close() override;
    bool SetBaudRate(int baudRate) override;
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    const std::shared_ptr<SessionRecorder> m_recorder;
};
