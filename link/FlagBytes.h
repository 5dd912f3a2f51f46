#pragma once

#include "defs/FaultCodes.h"
#include "defs/StatusFlags.h"
#include "link/EcuQueries.h"

// The fault and status bytes of the live values, as the decoders take them.
FaultBytes ReadFaultBytes(const EcuQueries& ecu);
StatusBytes ReadStatusBytes(const EcuQueries& ecu);
