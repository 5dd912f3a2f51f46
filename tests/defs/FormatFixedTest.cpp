#include "defs/FormatFixed.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FixedCase {
    double value;
    int precision;
    int decimals;
    const char* expected;
};

void PrintTo(const FixedCase& fixed, std::ostream* out)
{
    *out << fixed.value << " P" << fixed.precision << " D" << fixed.decimals;
}

constexpr FixedCase FixedCases[] = {
    // the printed examples
    { 0.4, 3, 1, "0.4" },
    { -319.6, 3, 1, "-320.0" },
    { 1234.5, 3, 1, "1.23E3" },
    { 4.57, 2, 2, "4.60" },
    { 0.48, 2, 2, "0.48" },
    { 138, 2, 2, "1.4E2" },
    { 85.7, 3, 0, "86" },
    { 850, 6, 0, "850" },
    // rounding half away from zero on the decimal digits
    { 0.45, 2, 1, "0.5" },
    { -0.45, 2, 1, "-0.5" },
    { 2.675, 4, 2, "2.68" },
    { 0.125, 3, 2, "0.13" },
    { 0.06, 3, 1, "0.1" },
    { 0.005, 3, 2, "0.01" },
    { 3.14159, 3, 3, "3.140" },
    { 1.5, 3, 4, "1.5000" },
    // rounding into one more integer digit
    { 9.96, 3, 1, "10.0" },
    { -9.96, 3, 1, "-10.0" },
    { 0.96, 1, 1, "1.0" },
    { 999.6, 3, 1, "1E3" },
    { 9.5, 1, 0, "1E1" },
    // zero and values that round to it carry no sign
    { 0, 4, 2, "0.00" },
    { -0.0, 4, 2, "0.00" },
    { -0.04, 3, 1, "0.0" },
    { 0.0004, 3, 2, "0.00" },
    { -1e-300, 3, 0, "0" },
    // exponent form
    { -1234.5, 3, 1, "-1.23E3" },
    { 12345, 2, 0, "1.2E4" },
    { 1000, 3, 0, "1E3" },
    { 120500, 4, 0, "1.205E5" },
    { 1e20, 5, 0, "1E20" },
    // no thousands separators, integer part at least one digit
    { 65535, 5, 0, "65535" },
    { 0.5, 4, 3, "0.500" },
    { -5, 3, 0, "-5" },
};

class FormatFixedTest : public testing::TestWithParam<FixedCase> { };

TEST_P(FormatFixedTest, WritesTheRoundedValue)
{
    const FixedCase& fixed = GetParam();
    EXPECT_EQ(FormatFixed(fixed.value, fixed.precision, fixed.decimals), fixed.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatFixedTest, testing::ValuesIn(FixedCases));

TEST(FormatFixed, SingleValuesRoundAsTheyRead)
{
    // 0.45f is 0.449999988 in binary; a person reading "0.45" expects it to round up.
    EXPECT_EQ(FormatFixed(0.45f, 2, 1), "0.5");
    EXPECT_EQ(FormatFixed(4.57f, 2, 2), "4.60");
    EXPECT_EQ(FormatFixed(180 / 12.8f, 4, 2), "14.06");
    EXPECT_EQ(FormatFixed(190 / 12.8f, 4, 2), "14.84");
    EXPECT_EQ(FormatFixed(115 / 12.8f, 4, 2), "8.98");
    EXPECT_EQ(FormatFixed(92 / 205.0f, 4, 3), "0.449");
    EXPECT_EQ(FormatFixed(93 / 205.0f, 4, 3), "0.454");
    EXPECT_EQ(FormatFixed(185 / 205.0f, 4, 3), "0.902");
}

TEST(FormatFixed, WholeNumbers)
{
    EXPECT_EQ(FormatFixed(850, 6, 0), "850");
    EXPECT_EQ(FormatFixed(-400, 5, 0), "-400");
    EXPECT_EQ(FormatFixed(123456, 5, 0), "1.2346E5");
}

TEST(FormatFixed, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatFixed(14.0625, 4, 2, ","), "14,06");
    EXPECT_EQ(FormatFixed(1234.5, 3, 1, ","), "1,23E3");
    EXPECT_EQ(FormatFixed(7.0, 3, 0, ","), "7");
    EXPECT_EQ(FormatFixed(0.5, 3, 1, "\u066B"), "0\u066B5"); // a separator of more than one byte
}

TEST(FormatFixed, NonFiniteValuesGetAWord)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 4, 2), "NAN");
    EXPECT_EQ(FormatFixed(std::numeric_limits<float>::infinity(), 4, 2), "INF");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 4, 2), "-INF");
}

TEST(FormatFixed, NonsensePrecisionAndDecimalsAreClamped)
{
    EXPECT_EQ(FormatFixed(3.7, 0, 1), "4.0");
    EXPECT_EQ(FormatFixed(3.7, 3, -2), "4");
}

} // namespace
