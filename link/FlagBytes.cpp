#include "link/FlagBytes.h"

#include <algorithm>

FaultBytes ReadFaultBytes(const EcuQueries& ecu)
{
    return ecu.Values().faultBytes;
}

StatusBytes ReadStatusBytes(const EcuQueries& ecu)
{
    StatusBytes bytes {};
    const StatusBytes& live = ecu.Values().statusBytes;
    std::copy_n(live.begin(), EcuQueries::FilledStatusBytes, bytes.begin());
    return bytes;
}
