#include "cli/JsonWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace {

TEST(JsonWriter, EscapesWhatJsonCannotHoldInAString)
{
    EXPECT_EQ(JsonString("plain  text"), "\"plain  text\"");
    EXPECT_EQ(JsonString("say \"hi\" \\ bye"), "\"say \\\"hi\\\" \\\\ bye\"");
    EXPECT_EQ(JsonString("a\nb\rc\td"), "\"a\\nb\\rc\\td\"");
    EXPECT_EQ(JsonString(std::string_view("\x01\x1f", 2)), "\"\\u0001\\u001f\"");
    EXPECT_EQ(JsonString("\xc2\xb0"
                         "C"),
        "\"\xc2\xb0"
        "C\""); // UTF-8 passes through
}

TEST(JsonWriter, FloatsReadBackAsTheSameSinglePrecisionValue)
{
    for (const float value : { 0.1f, 93.0f / 205.0f, 14.0625f, -400.0f, 1e-7f, 3.4e38f, 781.0f }) {
        const std::string text = JsonFloat(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
    EXPECT_EQ(JsonFloat(781.0f), "781");
    EXPECT_EQ(JsonFloat(std::numeric_limits<float>::infinity()), "null");
    EXPECT_EQ(JsonFloat(std::numeric_limits<float>::quiet_NaN()), "null");
}

TEST(JsonWriter, ObjectsKeepTheOrderOfTheirMembers)
{
    const std::vector<int> bytes { 1, 2 };
    const std::vector<JsonObject> items { JsonObject().AddString("code", "13"), JsonObject() };
    const std::string text = JsonObject()
                                 .AddString("ecu_id", "1103")
                                 .AddInt("n", -3)
                                 .AddFloat("v", 0.5f)
                                 .AddIntArray("bytes", bytes)
                                 .AddObjectArray("items", items)
                                 .AddObject("inner", JsonObject().AddIntArray("none", {}))
                                 .Text();
    EXPECT_EQ(text,
        "{\"ecu_id\": \"1103\", \"n\": -3, \"v\": 0.5, \"bytes\": [1, 2], \"items\": [{\"code\": \"13\"}, "
        "{}], "
        "\"inner\": {\"none\": []}}");
}

} // namespace
