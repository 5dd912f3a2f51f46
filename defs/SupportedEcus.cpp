#include "defs/SupportedEcus.h"

#include "defs/EcuConstants.h"

namespace {

SupportedEcu Described(std::string_view id, EcuSupport support, const EcuConstantsRow& constants)
{
    return { id, support, LoadSensorName(constants), IacKindName(constants), EgrKindName(constants),
        FeatureFlagsOf(id) };
}

} // namespace

std::vector<SupportedEcu> SupportedEcus()
{
    std::vector<SupportedEcu> ecus;
    ecus.reserve(KnownEcuIds.size() + Obd2EcuIds.size());
    for (const std::string_view id : KnownEcuIds)
        ecus.push_back(Described(id, SupportFull, ConstantsRowAt(EcuRowOf(id))));
    // An OBD2 unit has no row: the connection reads its kinds from the all-zero record it holds
    // until a fully supported ECU is identified, so they are given as it reports them.
    for (const std::string_view id : Obd2EcuIds)
        ecus.push_back(Described(id, SupportObd2, EcuConstantsRow {}));
    return ecus;
}

std::string_view SupportClassName(EcuSupport support)
{
    switch (support) {
    case SupportFull:
        return "full";
    case SupportObd2:
        return "obd2";
    case SupportNone:
        break;
    }
    return "none";
}
