#include "cmdline/OptionArgument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(OptionArgument, ValueAttachedOrNextMovesPastWhatItUsed)
{
    const std::vector<std::string> args { "--port=/dev/ttyUSB0", "--port", "/dev/pts/3",
        "--out=", "--a=b=c" };
    std::size_t index = 0;
    EXPECT_EQ(TakeOptionValue(args, index, OptionName(args[index])), "/dev/ttyUSB0");
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(TakeOptionValue(args, index, OptionName(args[index])), "/dev/pts/3");
    EXPECT_EQ(index, 3u);
    // An empty attached value is a value: the option's own check refuses it with its own words.
    EXPECT_EQ(TakeOptionValue(args, index, OptionName(args[index])), "");
    EXPECT_EQ(index, 4u);
    EXPECT_EQ(OptionName(args[index]), "--a");
    EXPECT_EQ(TakeOptionValue(args, index, OptionName(args[index])), "b=c");
    EXPECT_EQ(index, 5u);
}

TEST(OptionArgument, LastOptionWithoutValueTakesNothing)
{
    const std::vector<std::string> args { "--channels", "RPM,MAP,CTS,IAT", "--time-base" };
    std::size_t index = 2;
    EXPECT_FALSE(TakeOptionValue(args, index, OptionName(args[index])));
    EXPECT_EQ(index, 2u);
}

TEST(OptionArgument, FiniteDecimalUsesTheWholeText)
{
    EXPECT_EQ(ParseFiniteDecimal("2.5"), 2.5);
    EXPECT_EQ(ParseFiniteDecimal("1e3"), 1000.0);
    EXPECT_EQ(ParseFiniteDecimal("-0.25"), -0.25);
    for (const char* text : { "", " 2", "2 ", "2s", "inf", "nan", "1e999", "0x10", "," })
        EXPECT_FALSE(ParseFiniteDecimal(text)) << "'" << text << "'";
}

} // namespace
