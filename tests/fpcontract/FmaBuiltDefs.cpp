// The role updates as a build for a processor with fused multiply-add has
// them; the rest of the module stays hidden so that it calls only its own copies.
#include "defs/LiveValues.h"

#define DEFS_EXPORTED __attribute__((visibility("default")))

extern "C" DEFS_EXPORTED LiveValueKind FmaApplyRoleUpdate(LiveValues& values, int role, std::uint8_t raw,
    const EcuConstantsRow& constants, const LiveSettings& settings)
{
    return ApplyRoleUpdate(values, role, raw, constants, settings);
}
