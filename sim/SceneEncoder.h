#pragma once

#include "defs/EcuConstants.h"
#include "defs/RoleTable.h"
#include "defs/StatusFlags.h"
#include "sim/EngineModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int EcuMemoryBytes = 256;
using EcuMemory = std::array<std::uint8_t, EcuMemoryBytes>;

// Writes an engine state into an ECU's memory: each value goes to the addresses whose role (in
// that ECU's row of the role table) carries it, as the raw byte that the role's formula, with the
// row's constants, turns back into the value. Raw values are rounded and clamped to what the
// byte (or byte pair) can hold. IDs without a row of their own get a fixed plausible memory.
class SceneEncoder {
public:
    explicit SceneEncoder(std::string_view ecuId);

    EcuMemory Encode(const EngineState& state) const;

private:
    struct Packed; // the values of one state that span two bytes or are packed as bits
    Packed PackedOf(const EngineState& state) const;
    StatusBytes StatusBytesOf(const EngineState& state) const;
    std::uint8_t ByteFor(int role, const EngineState& state, const Packed& packed) const;
    bool RowHasRole(int role) const;

    std::string m_ecuId;
    bool m_hasRow;
    RoleRow m_roles;
    EcuConstantsRow m_constants;
};
