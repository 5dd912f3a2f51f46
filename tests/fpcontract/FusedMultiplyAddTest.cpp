// A processor that can fuse a multiply and an add (rounding once) must not change a single scaled
// value: the same code built for it, loaded beside the ordinary build, gives every value alike
// (the MPG figure included: the second unit choice keeps it up to date).
#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>

namespace {

using ApplyRoleUpdateFn
    = LiveValueKind (*)(LiveValues&, int, std::uint8_t, const EcuConstantsRow&, const LiveSettings&);

constexpr int kRoleCodes = 100; // beyond every role the tables use
constexpr int kRawValues = 256;

class FmaBuiltDefs : public testing::Test {
protected:
    void SetUp() override
    {
#if defined(__x86_64__) || defined(__i386__)
        if (!__builtin_cpu_supports("fma"))
            GTEST_SKIP() << "this processor has no fused multiply-add";
#endif
        m_module = ::dlopen(DEFS_BUILT_WITH_FMA, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << ::dlerror();
        applyRoleUpdate = reinterpret_cast<ApplyRoleUpdateFn>(::dlsym(m_module, "FmaApplyRoleUpdate"));
        ASSERT_NE(applyRoleUpdate, nullptr);
    }

    void TearDown() override
    {
        if (m_module != nullptr)
            ::dlclose(m_module);
    }

    ApplyRoleUpdateFn applyRoleUpdate = nullptr;

private:
    void* m_module = nullptr;
};

TEST_F(FmaBuiltDefs, ScalesEveryRawByteOfEveryEcuAsTheOrdinaryBuild)
{
    std::array<LiveSettings, 2> unitChoices {};
    unitChoices[1].temperatureUnit = "F";
    unitChoices[1].speedUnit = "KPH";
    unitChoices[1].idleGaugeMode = "MPG";
    int compared = 0;
    for (int row = 0; row < EcuRowCount; ++row) {
        const EcuConstantsRow& constants = ConstantsRowAt(row);
        for (const LiveSettings& settings : unitChoices) {
            // Carried along, so that low-byte roles meet every high byte the earlier roles left.
            LiveValues ordinary;
            LiveValues fused;
            for (int role = 0; role < kRoleCodes; ++role) {
                for (int raw = 0; raw < kRawValues; ++raw) {
                    const auto byte = static_cast<std::uint8_t>(raw);
                    ApplyRoleUpdate(ordinary, role, byte, constants, settings);
                    applyRoleUpdate(fused, role, byte, constants, settings);
                    ASSERT_TRUE(ordinary == fused)
                        << "ECU row " << row << ", role " << role << ", raw " << raw << ", "
                        << settings.temperatureUnit << "/" << settings.speedUnit;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, EcuRowCount * 2 * kRoleCodes * kRawValues);
}

} // namespace
