#include "sim/EcuSimulator.h"

#include <cassert>
#include <charconv>

namespace {

constexpr std::uint8_t ResetDone = 0x00;
constexpr std::uint8_t ResetFailed = 0x01;
constexpr int HexBase = 16;
constexpr int HexDigitsPerByte = 2;

std::array<std::uint8_t, 2> IdBytes(const std::string& id)
{
    std::array<std::uint8_t, 2> bytes {};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char* first = id.data() + i * HexDigitsPerByte;
        std::from_chars(first, first + HexDigitsPerByte, bytes[i], HexBase);
    }
    return bytes;
}

} // namespace

EcuSimulator::EcuSimulator(std::string_view ecuId, const SimulatorSettings& settings, SimClock clock)
    : m_ecuId(NormalizedEcuId(ecuId).value_or("0000"))
    , m_idBytes(IdBytes(m_ecuId))
    , m_settings(settings)
    , m_clock(std::move(clock))
    , m_startSeconds(m_clock())
    , m_faults(settings)
    , m_encoder(m_ecuId)
{
    assert(NormalizedEcuId(ecuId).has_value());
}

double EcuSimulator::SecondsNow() const
{
    return m_clock() - m_startSeconds;
}

EcuMemory EcuSimulator::MemoryNow() const
{
    EcuMemory memory = m_encoder.Encode(m_engine.At(SecondsNow()));
    for (std::size_t address = 0; address < memory.size(); ++address) {
        if (m_settings.fixedBytes[address])
            memory[address] = *m_settings.fixedBytes[address];
    }
    return memory;
}

std::vector<std::uint8_t> EcuSimulator::Transfer(std::span<const std::uint8_t> written)
{
    std::vector<std::uint8_t> line(written.begin(), written.end());
    for (const EcuFrame& request : m_assembler.Feed(written)) {
        m_faults.CountRequest();
        if (const auto reply = ReplyTo(request)) {
            const auto bytes = m_faults.Deliver(*reply);
            line.insert(line.end(), bytes.begin(), bytes.end());
        }
    }
    return line;
}

std::optional<EcuFrame> EcuSimulator::ReplyTo(const EcuFrame& request)
{
    switch (request.Type()) {
    case etIdentify:
        if (!m_faults.AnswerIdentification())
            return std::nullopt;
        return MakeEcuFrame(etIdentify, m_idBytes);
    case etReadData: {
        const EcuMemory memory = MemoryNow();
        std::vector<std::uint8_t> values;
        for (const std::uint8_t address : request.Data())
            values.push_back(memory[address]);
        return MakeEcuFrame(etReadData, values);
    }
    case etResetEcu: {
        const std::uint8_t result = m_settings.resetFails ? ResetFailed : ResetDone;
        if (m_settings.resetFails)
            m_faults.CountResetFailure();
        else
            m_engine.ClearStoredFaults();
        return MakeEcuFrame(etResetEcu, std::span(&result, 1));
    }
    case etActuator:
        m_lastActuatorRequest = request;
        return MakeEcuFrame(etActuator, {});
    }
    return std::nullopt;
}
