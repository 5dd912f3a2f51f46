#include "defs/CommaText.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* source;
    const char* field;
    const char* rest;
    bool found;
};

void PrintTo(const SplitCase& splitCase, std::ostream* out)
{
    *out << testing::PrintToString(std::string(splitCase.source));
}

constexpr SplitCase SplitCases[] = {
    { "Idle Position,OPEN,IDLE", "Idle Position", "OPEN,IDLE", true },
    { "IDLE", "IDLE", "", false },
    { "", "", "", false },
    { ",OFF", "", "OFF", true },
    { "ON,", "ON", "", true },
    { "a\rb,c", "a", "b,c", true },
    { "a\nb", "a", "b", true },
    { "a\r\nb", "a", "\nb", true },
};

class SplitFieldTest : public testing::TestWithParam<SplitCase> { };

TEST_P(SplitFieldTest, CutsAtTheFirstDelimiter)
{
    const SplitCase& expected = GetParam();
    CommaText field("old field");
    CommaText rest("old rest");
    EXPECT_EQ(SplitField(CommaText(expected.source), field, rest), expected.found);
    EXPECT_EQ(field.View(), expected.field);
    EXPECT_EQ(rest.View(), expected.rest);
    EXPECT_EQ(rest.Length(), static_cast<int>(std::string_view(expected.rest).size()));
}

TEST_P(SplitFieldTest, SourceMayAlsoBeTheRestOrTheField)
{
    const SplitCase& expected = GetParam();
    CommaText sourceAndRest(expected.source);
    CommaText field;
    EXPECT_EQ(SplitField(sourceAndRest, field, sourceAndRest), expected.found);
    EXPECT_EQ(field.View(), expected.field);
    EXPECT_EQ(sourceAndRest.View(), expected.rest);

    CommaText sourceAndField(expected.source);
    CommaText rest;
    SplitField(sourceAndField, sourceAndField, rest);
    EXPECT_EQ(sourceAndField.View(), expected.field);
    EXPECT_EQ(rest.View(), expected.rest);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitFieldTest, testing::ValuesIn(SplitCases));

TEST(CommaText, KeepsItsZeroTerminatedCopy)
{
    std::string source = "Fuel Pump,OFF,ON";
    const CommaText text(source);
    source[0] = 'X';
    EXPECT_STREQ(text.CStr(), "Fuel Pump,OFF,ON");
}

TEST(CommaText, ComparisonIgnoresLetterCaseOnly)
{
    EXPECT_FALSE(DiffersIgnoringCase(CommaText("Unimplemented"), CommaText("UNIMPLEMENTED")));
    EXPECT_FALSE(DiffersIgnoringCase(CommaText(""), CommaText()));
    EXPECT_TRUE(DiffersIgnoringCase(CommaText("Unimplemented"), CommaText("Unimplemente")));
    EXPECT_TRUE(DiffersIgnoringCase(CommaText("Unimplemented"), CommaText("Unimplemented ")));
    EXPECT_TRUE(DiffersIgnoringCase(CommaText("ON"), CommaText("OFF")));
    EXPECT_TRUE(DiffersIgnoringCase(CommaText("@"), CommaText("`"))); // neighbours of the letters
}

} // namespace
