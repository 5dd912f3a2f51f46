#pragma once

#include "defs/EcuIdentification.h"

#include <string_view>
#include <vector>

// One ECU the program knows by its ID, with what its table row says it has fitted.
struct SupportedEcu {
    std::string_view id;
    EcuSupport support = SupportNone;
    std::string_view loadSensor;
    std::string_view iacKind;
    std::string_view egrKind;
    int featureFlags = 0; // the actuator tests it runs, as EcuFeature bits
};

// Every known ID, fully supported ones in table order, then the OBD2 ones: the list that the
// command-line tool prints and the help shows, read from the same tables the connection uses.
std::vector<SupportedEcu> SupportedEcus();

// "full", "obd2" or "none", as the command-line tool writes a support class.
std::string_view SupportClassName(EcuSupport support);
