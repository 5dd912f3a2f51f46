#include "defs/RoleTable.h"

#include "defs/EcuIdentification.h"

#include <cstddef>
#include <initializer_list>

namespace {

// Rows list their roles from offset 0 upward; every offset past the last listed one has no role.
constexpr RoleRow PaddedRoles(std::initializer_list<int> listed)
{
    RoleRow row {};
    row.fill(RoleNone);
    std::size_t offset = 0;
    for (const int role : listed)
        row.at(offset++) = role; // a row longer than 50 fails to compile
    return row;
}

constexpr int xx = RoleNone; // printed as "-": a listed offset without a role

// One row per ECU: row 0 the default, then the known IDs in table order.
// clang-format off
constexpr std::array<RoleRow, EcuRowCount> RoleTable {
    /* dflt */ PaddedRoles({ 0, 1, 3, 43, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47 }),
    /* 1103 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 24, 20, 21, 12, 20, 25, 26, 45, xx, 30, 32, 33 }),
    /* 1112 */ PaddedRoles({ 0, 1, 2, 3, 43, 4, 5, 36, 6, 7, 8, 44, 13, 14, 15, 24, 20, 21, 9, 39, 19, 47, 25, 26, 45, 48, 30, 32, 33, 34, 35 }),
    /* 1202 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 44, 13, 14, 15, 24, 20, 21, 10, 11, 19, 47, 25, 26, 45, 30, 31, 29, 32, 33, xx, 8 }),
    /* 1253 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 19, 25, 26, 45, 30, 32, 33 }),
    /* 1453 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 39, 19, 25, 26, 45, 30, 32, 33 }),
    /* 1601 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 20, 21, 22, 23, 24, 10, 11, 19, 25, 27, 26, 28, 45, 46, 30, 29, xx, 31, 15, 16, 32, 33 }),
    /* 1701 */ PaddedRoles({ 0, 1, 43, 2, 3, xx, 4, 5, 36, 6, 7, 8, 13, 14, 20, 21, 22, 23, 24, 10, 11, 19, 25, 27, 26, 28, 45, 46, 30, 29, 38, 31, 15, 16, 40, 41, xx, 32, 33, 34, 42, 35 }),
    /* 1702 */ PaddedRoles({ 0, 1, 43, 2, 3, xx, 4, 5, 36, 6, 7, 8, 13, 14, 15, 24, 20, 21, 10, 11, 19, 47, 25, 26, 45, 30, 31, 29, 40, 41, 49, 32, 33, xx, 42, 34 }),
    /* 17E2 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 24, 20, 21, 9, 39, 19, 25, 26, 45, 30, xx, xx, 32, 33 }),
    /* 1843 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 38, 32, 33 }),
    /* 1881 */ PaddedRoles({ 0, 1, xx, 2, 3, xx, 4, 5, 36, 6, 7, 8, 13, 14, 15, 24, 20, 21, 9, 50, 25, 27, 45, 30, xx, xx, xx, xx, 32, 33 }),
    /* 1901 */ PaddedRoles({ 0, 1, 43, 2, 3, xx, 4, 5, 36, 6, 7, 8, 13, 14, 20, 21, 22, 23, 24, 10, 11, 19, xx, 25, 27, 26, 28, 45, 46, 30, 29, 38, 31, 15, 16, 5, xx, xx, xx, 32, 33 }),
    /* 1902 */ PaddedRoles({ 0, 1, 43, 2, 3, xx, 4, 5, 36, 6, 7, 13, 14, 15, 24, 20, 21, 10, 11, 19, xx, 47, xx, xx, xx, 30, 31, 29, 50, 8, xx, xx, xx, xx, xx, xx, xx, 32, 33, 34 }),
    /* 1903 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 50, 32, 33 }),
    /* 1943 */ PaddedRoles({ 0, 1, 2, 3, 4, 5, 36, 6, 7, 8, 13, 14, 15, 20, 21, 24, 9, 39, 19, 25, 26, 45, 30, 31, 50, xx, 32, 33 }),
    /* F602 */ PaddedRoles({ xx, 29, 7, 25, 26, xx, xx, 4, 5, 6, 24, 8, 10, 11, 13, xx, 15, 16, 36, 14, 20, 21, 39, 19, 45, 30, 31, xx, xx, xx, 32, 33, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, 40 }),
    /* F802 */ PaddedRoles({ xx, 29, 7, 25, 26, xx, xx, 4, 5, 6, 24, 8, 10, 11, 13, xx, 15, 16, 36, 14, 20, 21, 39, 19, 45, 30, 31, xx, xx, xx, 32, 33, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, xx, 40 }),
};
// clang-format on

constexpr RoleRow NoRoles = PaddedRoles({});

} // namespace

const RoleRow& RoleRowAt(int row)
{
    if (row < 0 || row >= EcuRowCount)
        row = DefaultEcuRow;
    return RoleTable[static_cast<std::size_t>(row)];
}

const RoleRow& EmptyRoleRow()
{
    return NoRoles;
}

int RoleAt(const RoleRow& roles, int offset)
{
    if (offset < 0 || offset >= RoleOffsetCount)
        return RoleNone;
    return roles[static_cast<std::size_t>(offset)];
}

int RoleAt(std::string_view ecuId, int offset)
{
    return RoleAt(RoleRowAt(EcuRowOf(ecuId)), offset);
}
