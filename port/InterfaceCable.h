#pragma once

#include "port/PortDriver.h"

#include <string_view>

// The identity of the diagnostic interface cable: its USB product string, and how its serial
// number begins. Look-alikes (another product string, another serial) are never opened.
struct InterfaceCable {
    static constexpr std::string_view Product = "VAD Interface";
    static constexpr std::string_view SerialPrefix = "R1";
};

inline bool IsInterfaceCable(const PortListing& port)
{
    return port.namedByUser
        || (port.product == InterfaceCable::Product
            && port.serialNumber.starts_with(InterfaceCable::SerialPrefix));
}
