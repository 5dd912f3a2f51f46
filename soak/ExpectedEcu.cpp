#include "soak/ExpectedEcu.h"

#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"
#include "defs/LiveValueCatalogue.h"
#include "defs/RoleTable.h"
#include "link/PollRange.h"
#include "logfile/ChannelTables.h"
#include "sim/IdealLine.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <random>
#include <sstream>

namespace {

constexpr std::uint32_t ByteMask = 0xFF;
// The third sweep shows every value a settled sweep passes through.
constexpr int ObservedSweeps = ExpectedEcu::SettledSweeps + 1;
// Far more ticks than two sweeps of the widest range take on a perfect line.
constexpr int MaxReferenceTicks = 10000;

// Exactly the same value; a NaN equals a NaN of the same bits.
bool SameValue(const LiveNumber& a, const LiveNumber& b)
{
    if (a.index() != b.index())
        return false;
    if (const int* whole = std::get_if<int>(&a))
        return *whole == std::get<int>(b);
    return std::bit_cast<std::uint32_t>(std::get<float>(a))
        == std::bit_cast<std::uint32_t>(std::get<float>(b));
}

std::string ValueText(const LiveNumber& value)
{
    std::ostringstream text;
    std::visit([&text](auto number) { text << number; }, value);
    return text.str();
}

// Calls `visit(name, value)` for every RawDataTable entry and every live value, in one fixed order.
template <typename Visit> void ForEachQuery(const EcuQueries& ecu, Visit visit)
{
    for (int offset = 0; offset < EcuConnection::RawTableSize; ++offset)
        visit("GetRawValue(" + std::to_string(offset) + ")", LiveNumber(ecu.GetRawValue(offset)));
    for (const LiveValueRow& row : LiveValueCatalogue())
        visit(std::string(row.name), row.read(ecu.Values()));
}

template <typename Value, typename Same>
void AddOnce(std::vector<Value>& choices, const Value& value, Same same)
{
    if (std::none_of(choices.begin(), choices.end(), [&](const Value& c) { return same(c, value); }))
        choices.push_back(value);
}

std::string ChoicesText(const std::vector<LiveNumber>& choices)
{
    std::string text;
    for (const LiveNumber& choice : choices)
        text += (text.empty() ? "" : " or ") + ValueText(choice);
    return text;
}

std::string Difference(const std::string& call, const std::string& got, const std::string& wanted)
{
    return call + " is " + got + " where the bytes give " + wanted;
}

// The addresses of every poll window, in the order the connection asks for them.
std::vector<std::uint8_t> SweepAddresses(const std::string& ecuId)
{
    const PollRange range
        = ClassifyEcuId(ecuId) == SupportFull ? PollRange::Of(ConstantsRowAt(EcuRowOf(ecuId))) : PollRange();
    std::vector<std::uint8_t> addresses;
    for (int window = 0; window < range.WindowCount(); ++window) {
        const PollAddressList windowAddresses = range.WindowAddresses(window);
        addresses.insert(addresses.end(), windowAddresses.begin(), windowAddresses.end());
    }
    return addresses;
}

} // namespace

ExpectedEcu::ExpectedEcu(
    const std::string& ecuId, std::uint32_t seed, const QString& baudText, const LogChannelNames& channels)
    : m_ecuId(ecuId)
    , m_polled(SweepAddresses(ecuId))
{
    // Raw generator words rather than a distribution, whose results differ between libraries.
    std::mt19937 random(seed);
    for (const std::uint8_t address : m_polled)
        m_memory[address] = static_cast<std::uint8_t>(random() & ByteMask);

    m_simulator = std::make_unique<EcuSimulator>(ecuId, FixedInto({}), [] { return 0.0; });
    m_line = std::make_unique<IdealLine>(*m_simulator);
    m_reference = std::make_unique<EcuConnection>(*m_line, m_unheard);
    m_reference->SetBaudText(baudText);
    m_reference->SetSampleRate(EcuConnection::MinSampleRate);
    m_reference->Connect();
    for (int tick = 0; tick < MaxReferenceTicks && m_reference->CompletedSweeps() < SettledSweeps; ++tick)
        m_reference->Tick();
    m_selfCheckProblem = CheckAgainstFormulas();
    CollectSettledSweep(channels);
}

ExpectedEcu::~ExpectedEcu() = default;

SimulatorSettings ExpectedEcu::FixedInto(SimulatorSettings settings) const
{
    for (const std::uint8_t address : m_polled)
        settings.fixedBytes[address] = m_memory[address];
    return settings;
}

std::optional<std::string> ExpectedEcu::CheckAgainstFormulas() const
{
    if (m_reference->CompletedSweeps() < SettledSweeps)
        return "the reference connection did not complete two sweeps over a perfect line";
    // The tables and formulas applied to the bytes in the order they are polled, twice.
    LiveValues values;
    if (ClassifyEcuId(m_ecuId) == SupportFull) {
        const int row = EcuRowOf(m_ecuId);
        for (int sweep = 0; sweep < SettledSweeps; ++sweep) {
            for (std::size_t offset = 0; offset < m_polled.size() && offset < RoleRowAt(row).size(); ++offset)
                ApplyRoleUpdate(values, RoleRowAt(row)[offset], m_memory[m_polled[offset]],
                    ConstantsRowAt(row), m_reference->Settings());
        }
    }
    if (!(values == m_reference->Values()))
        return "the reference connection's values differ from the tables and formulas for its bytes";
    for (std::size_t offset = 0; offset < m_polled.size() && offset < EcuConnection::RawTableSize; ++offset) {
        if (m_reference->GetRawValue(static_cast<int>(offset)) != m_memory[m_polled[offset]])
            return "the reference connection's raw table differs from its bytes";
    }
    return std::nullopt;
}

void ExpectedEcu::CollectSettledSweep(const LogChannelNames& channels)
{
    const auto collect = [&] {
        std::size_t k = 0;
        ForEachQuery(*m_reference, [&](const std::string&, const LiveNumber& value) {
            if (k == m_allowed.size())
                m_allowed.emplace_back();
            AddOnce(m_allowed[k++], value, SameValue);
        });
        for (std::size_t c = 0; c < channels.size(); ++c)
            AddOnce(m_fieldChoices[c], ChannelLogText(*m_reference, channels[c]), std::equal_to<>());
    };
    collect();
    for (int tick = 0; tick < MaxReferenceTicks && m_reference->CompletedSweeps() < ObservedSweeps; ++tick) {
        m_reference->Tick();
        collect();
    }
}

std::optional<std::string> ExpectedEcu::QueryMismatch(const EcuQueries& ecu) const
{
    std::optional<std::string> mismatch;
    std::size_t k = 0;
    ForEachQuery(ecu, [&](const std::string& name, const LiveNumber& value) {
        const std::vector<LiveNumber>& allowed = m_allowed[k++];
        const auto same = [&value](const LiveNumber& choice) { return SameValue(choice, value); };
        if (!mismatch && std::none_of(allowed.begin(), allowed.end(), same))
            mismatch = Difference(name, ValueText(value), ChoicesText(allowed));
    });
    if (mismatch)
        return mismatch;
    const std::pair<const char*, std::string (EcuQueries::*)() const> texts[] = {
        { "GetEcuId()", &EcuQueries::GetEcuId },
        { "GetLoadSensorName()", &EcuQueries::GetLoadSensorName },
        { "GetIacKindName()", &EcuQueries::GetIacKindName },
        { "GetEgrKindName()", &EcuQueries::GetEgrKindName },
        { "GetBaudText()", &EcuQueries::GetBaudText },
    };
    for (const auto& [name, query] : texts) {
        const std::string got = (ecu.*query)();
        const std::string wanted = ((*m_reference).*query)();
        if (got != wanted)
            return Difference(name, "\"" + got + "\"", "\"" + wanted + "\"");
    }
    return std::nullopt;
}

std::optional<std::string> ExpectedEcu::PartialRawMismatch(const EcuQueries& ecu) const
{
    for (int offset = 0; offset < EcuConnection::RawTableSize; ++offset) {
        const int got = ecu.GetRawValue(offset);
        const int wanted = m_reference->GetRawValue(offset);
        if (got != 0 && got != wanted)
            return Difference("GetRawValue(" + std::to_string(offset) + ")", std::to_string(got),
                "0 or " + std::to_string(wanted));
    }
    return std::nullopt;
}
