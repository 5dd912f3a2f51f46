#include "ExpectedValues.h"

#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"
#include "defs/RoleTable.h"

LiveValues ExpectedValues(const std::string& ecuId, const std::array<std::uint8_t, 256>& memory, int sweeps,
    const LiveSettings& settings)
{
    LiveValues values;
    if (ClassifyEcuId(ecuId) != SupportFull)
        return values;
    const int row = EcuRowOf(ecuId);
    const EcuConstantsRow& constants = ConstantsRowAt(row);
    const int base = constants.Truncated(EcuConstant::BaseAddress);
    const int range = constants.Truncated(EcuConstant::EndAddress) - base;
    const int lastOffsetPolled = range - range % 8 + 7;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        for (int offset = 0; offset <= lastOffsetPolled && offset < RoleOffsetCount; ++offset) {
            const std::uint8_t raw = memory[static_cast<std::size_t>((base + offset) % 256)];
            ApplyRoleUpdate(
                values, RoleRowAt(row)[static_cast<std::size_t>(offset)], raw, constants, settings);
        }
    }
    return values;
}
