// The queries through which the other windows read the live values of EcuConnection. Indexes
// outside a table read as 0 rather than past its end.
#include "link/EcuConnection.h"

namespace {

template <typename Table> auto EntryOrZero(const Table& table, int index)
{
    using Entry = typename Table::value_type;
    if (index < 0 || static_cast<std::size_t>(index) >= table.size())
        return Entry {};
    return table[static_cast<std::size_t>(index)];
}

} // namespace

int EcuConnection::GetRawValue(int offset) const
{
    return EntryOrZero(m_rawDataTable, offset);
}

float EcuConnection::GetRpm() const
{
    return static_cast<float>(m_values.rpm);
}

int EcuConnection::GetTargetIdle() const
{
    return m_values.targetIdle;
}

int EcuConnection::GetRoadSpeed() const
{
    return m_values.roadSpeed;
}

int EcuConnection::GetFaultByte(int index) const
{
    return EntryOrZero(m_values.faultBytes, index);
}

int EcuConnection::GetStatusByte(int index) const
{
    return index < FilledStatusBytes ? EntryOrZero(m_values.statusBytes, index) : 0;
}

float EcuConnection::GetBatteryVolts() const
{
    return m_values.batteryVolts;
}

float EcuConnection::GetO2Volts(int bank) const
{
    return EntryOrZero(m_values.o2Volts, bank);
}

float EcuConnection::GetTpsPercent() const
{
    return m_values.tpsPercent;
}

float EcuConnection::GetTpsVolts() const
{
    return m_values.tpsVolts;
}

float EcuConnection::GetCoolantTemp() const
{
    return m_values.coolantTemp;
}

float EcuConnection::GetAirTemp() const
{
    return m_values.airTemp;
}

float EcuConnection::GetEgtTemp() const
{
    return m_values.egtTemp;
}

std::string EcuConnection::GetLoadSensorName() const
{
    return std::string(LoadSensorName(m_constants));
}

int EcuConnection::GetLoad8() const
{
    return m_values.load8;
}

float EcuConnection::GetBaro() const
{
    return m_values.baro;
}

int EcuConnection::GetLoad16() const
{
    return m_values.load16;
}

float EcuConnection::GetInjectorPw(int bank) const
{
    return EntryOrZero(m_values.injectorPw, bank);
}

std::string EcuConnection::GetIacKindName() const
{
    return std::string(IacKindName(m_constants));
}

int EcuConnection::GetIac() const
{
    return m_values.iac;
}

int EcuConnection::GetIacAdjust() const
{
    return m_values.iacAdjust;
}

float EcuConnection::GetStft(int bank) const
{
    return EntryOrZero(m_values.stft, bank);
}

float EcuConnection::GetLtft(int bank) const
{
    return EntryOrZero(m_values.ltft, bank);
}

float EcuConnection::GetTft(int bank) const
{
    return EntryOrZero(m_values.tft, bank);
}

int EcuConnection::GetVe() const
{
    return m_values.ve;
}

int EcuConnection::GetAdvance() const
{
    return m_values.advance;
}

float EcuConnection::GetMpg() const
{
    return m_values.mpg;
}

int EcuConnection::GetPurge() const
{
    return m_values.purge;
}

int EcuConnection::GetEgr() const
{
    return m_values.egr;
}

int EcuConnection::GetIgnitionTrim() const
{
    return m_values.ignitionTrim;
}

int EcuConnection::GetAtmVss() const
{
    return m_values.atmVss;
}

int EcuConnection::GetAtmPos() const
{
    return m_values.atmPos;
}

int EcuConnection::GetAtmStatus() const
{
    return m_values.atmStatus;
}

int EcuConnection::GetTimeFromStart() const
{
    return m_values.timeFromStart;
}

std::string EcuConnection::GetEgrKindName() const
{
    return std::string(EgrKindName(m_constants));
}

std::string EcuConnection::GetEcuId() const
{
    return m_ecuId;
}

std::string EcuConnection::GetBaudText() const
{
    return m_baudText.toStdString();
}
