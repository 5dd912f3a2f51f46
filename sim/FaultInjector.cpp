#include "sim/FaultInjector.h"

namespace {

// mt19937 yields 32-bit words; dividing by 2^32 gives a fraction in [0, 1), so a probability of 1
// always hits and 0 never does.
constexpr double GeneratorRange = 4294967296.0;
constexpr int ByteValues = 256;

} // namespace

FaultInjector::FaultInjector(const SimulatorSettings& settings)
    : m_dropChance(settings.dropChance)
    , m_corruptChance(settings.corruptChance)
    , m_cutChance(settings.cutChance)
    , m_noiseChance(settings.noiseChance)
    , m_identifyAfter(settings.identifyAfter)
    , m_random(settings.seed)
{
}

bool FaultInjector::Chance(double probability)
{
    return static_cast<double>(m_random()) / GeneratorRange < probability;
}

std::uint32_t FaultInjector::Below(std::uint32_t bound)
{
    return m_random() % bound;
}

std::uint8_t FaultInjector::NoiseByte()
{
    // Pick among the byte values that start no frame, so the program's receiver skips it.
    std::uint32_t pick = Below(ByteValues - 4);
    for (int value = 0; value < ByteValues; ++value) {
        if (IsEcuFrameType(static_cast<std::uint8_t>(value)))
            continue;
        if (pick == 0)
            return static_cast<std::uint8_t>(value);
        --pick;
    }
    return 0;
}

bool FaultInjector::AnswerIdentification()
{
    if (m_identifyRequests < m_identifyAfter)
        ++m_identifyRequests;
    if (m_identifyRequests < m_identifyAfter) {
        ++m_counters.identifyIgnored;
        return false;
    }
    return true;
}

std::vector<std::uint8_t> FaultInjector::Deliver(const EcuFrame& reply)
{
    if (Chance(m_dropChance)) {
        ++m_counters.dropped;
        return {};
    }
    std::vector<std::uint8_t> line;
    if (Chance(m_noiseChance)) {
        line.push_back(NoiseByte());
        ++m_counters.noiseBytes;
    }
    std::vector<std::uint8_t> frame(reply.Bytes().begin(), reply.Bytes().end());
    bool spoiled = false;
    if (Chance(m_corruptChance)) {
        // Adding 1..255 can never leave the sum at 0 modulo 256.
        frame.back() = static_cast<std::uint8_t>(frame.back() + 1 + Below(ByteValues - 1));
        ++m_counters.corrupted;
        spoiled = true;
    }
    if (Chance(m_cutChance)) {
        frame.resize(1 + Below(static_cast<std::uint32_t>(frame.size() - 1)));
        ++m_counters.cut;
        spoiled = true;
    }
    if (spoiled)
        ++m_counters.spoiled;
    ++m_counters.repliesSent;
    line.insert(line.end(), frame.begin(), frame.end());
    return line;
}
