#pragma once

#include <QString>

#include <chrono>
#include <string>
#include <vector>

// What the windows and the tools may change on a running connection: how it talks to the cable
// and what it makes of the bytes. The connection implements it; the session hands it out
// (EcuSession::Settings) and keeps the driving to itself: the tick, the commands, and the polling
// mode, whose change must also arm the session's deadline timer.
class ConnectionSettings {
public:
    // What is on screen or being logged, polled more often in fast mode: the bytes of these roles
    // (high bytes first) and these offsets from the base address.
    struct PollPriority {
        std::vector<int> roles;
        std::vector<int> offsets;
    };

    // Each setter that returns a text returns it empty when it took the value, or a message
    // naming the bad input, in which case nothing changed.
    virtual QString SetBaudText(const QString& baudText) = 0;
    virtual QString SetSampleRate(int ms) = 0;
    virtual QString SetSampleRateText(const QString& msText) = 0;
    virtual void SetTempUnits(const std::string& unit) = 0;
    virtual void SetSpeedUnits(const std::string& unit) = 0;
    virtual void SetIdleGaugeMode(const std::string& mode) = 0;
    virtual void SetInjectorFlow(int flow) = 0;
    // Fast mode: the quiet time the line is given between an exchange and the next request.
    virtual void SetFastGap(std::chrono::microseconds gap) = 0;
    // Fast mode: read the priority bytes by gathered reads, eight scattered addresses a request.
    virtual void SetGatherReads(bool gather) = 0;
    virtual void SetPollPriority(PollPriority priority) = 0;

protected:
    ~ConnectionSettings() = default;
};
