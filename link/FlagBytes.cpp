#include "link/FlagBytes.h"

FaultBytes ReadFaultBytes(const EcuQueries& ecu)
{
    FaultBytes bytes {};
    for (std::size_t index = 0; index < bytes.size(); ++index)
        bytes[index] = static_cast<std::uint8_t>(ecu.GetFaultByte(static_cast<int>(index)));
    return bytes;
}

StatusBytes ReadStatusBytes(const EcuQueries& ecu)
{
    StatusBytes bytes {};
    for (int index = 0; index < EcuQueries::FilledStatusBytes; ++index)
        bytes[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(ecu.GetStatusByte(index));
    return bytes;
}
