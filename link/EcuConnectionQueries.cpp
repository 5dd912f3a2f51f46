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

std::string EcuConnection::GetLoadSensorName() const
{
    return std::string(LoadSensorName(m_constants));
}

std::string EcuConnection::GetIacKindName() const
{
    return std::string(IacKindName(m_constants));
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
