#include "defs/EcuIdentification.h"

#include "defs/EcuConstants.h"

#include <algorithm>

namespace {

constexpr int FormattedDisplay = 1;
constexpr int RawDisplay = 0;

} // namespace

EcuSupport ClassifyEcuId(std::string_view ecuId)
{
    if (EcuRowOf(ecuId) != DefaultEcuRow)
        return SupportFull;
    if (std::ranges::find(Obd2EcuIds, ecuId) != Obd2EcuIds.end())
        return SupportObd2;
    return SupportNone;
}

int EcuRowOf(std::string_view ecuId)
{
    const auto found = std::ranges::find(KnownEcuIds, ecuId);
    if (found == KnownEcuIds.end())
        return DefaultEcuRow;
    return static_cast<int>(found - KnownEcuIds.begin()) + 1;
}

int FeatureFlagsOf(std::string_view ecuId)
{
    return ConstantsRowAt(EcuRowOf(ecuId)).Truncated(EcuConstant::EcuFeatureFlags);
}

std::optional<int> DisplayModeFor(EcuSupport support)
{
    if (support == SupportObd2)
        return std::nullopt;
    return support == SupportFull ? FormattedDisplay : RawDisplay;
}
