#include "defs/EcuIdentification.h"
#include "defs/FaultCodes.h"
#include "defs/FormatFixed.h"
#include "defs/LiveValues.h"
#include "defs/RoleTable.h"
#include "defs/StatusFlags.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// One CSV row's worth of fixed-point fields, as the log writer formats them.
void BM_FormatFixedRow(benchmark::State& state)
{
    constexpr std::array<float, 8> values { 14.0625f, 0.449f, 2.56f, -0.4844f, 1234.5f, 98.0f, 0.0f, 47.5f };
    for (auto _ : state) {
        for (const float value : values)
            benchmark::DoNotOptimize(FormatFixed(value, 4, 2));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_FormatFixedRow);

// Every byte of a full sweep of the widest ECU through its role update.
void BM_RoleUpdateSweep(benchmark::State& state)
{
    const int row = EcuRowOf("1701");
    const RoleRow& roles = RoleRowAt(row);
    const EcuConstantsRow& constants = ConstantsRowAt(row);
    const LiveSettings settings;
    LiveValues values;
    std::uint8_t raw = 0;
    for (auto _ : state) {
        for (int offset = 0; offset < RoleOffsetCount; ++offset)
            benchmark::DoNotOptimize(
                ApplyRoleUpdate(values, RoleAt(roles, offset), raw++, constants, settings));
    }
    state.SetItemsProcessed(state.iterations() * RoleOffsetCount);
}
BENCHMARK(BM_RoleUpdateSweep);

// What the fault and status viewers decode on every tick.
void BM_DecodeFaultsAndStatus(benchmark::State& state)
{
    const FaultList faults = FaultListOf("1702");
    const StatusList status = StatusListOf("1702");
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeFaults(faults, { 0x81, 0x10, 0x01, 0x40, 0x80 }));
        benchmark::DoNotOptimize(DecodeStatus(status, { 0xA5, 0x5A, 0xFF, 0x00, 0x00 }));
    }
}
BENCHMARK(BM_DecodeFaultsAndStatus);

} // namespace

BENCHMARK_MAIN();
