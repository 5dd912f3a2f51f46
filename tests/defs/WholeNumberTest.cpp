#include "defs/WholeNumber.h"

#include <gtest/gtest.h>

namespace {

TEST(WholeNumber, AcceptsDigitsWithBlanksAround)
{
    EXPECT_EQ(ParseWholeNumber("15625"), 15625);
    EXPECT_EQ(ParseWholeNumber(" 250\t"), 250);
    EXPECT_EQ(ParseWholeNumber("07812"), 7812);
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
}

TEST(WholeNumber, RefusesAnythingElse)
{
    for (const char* text : { "", "   ", "abc", "12abc", "-40", "+7", "7812.5", "1 2", "2147483648", "0x1F" })
        EXPECT_FALSE(ParseWholeNumber(text)) << "'" << text << "'";
}

} // namespace
