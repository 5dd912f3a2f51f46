#include "cli/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace {

// Enough significant digits for any float to read back as itself.
constexpr int FloatRoundTripDigits = 9;
constexpr unsigned char FirstPrintable = 0x20;

template <typename Items, typename Write> std::string JsonArray(const Items& items, Write write)
{
    std::string json = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        json += (i ? ", " : "") + write(items[i]);
    return json + "]";
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < FirstPrintable) {
                char escaped[8];
                std::snprintf(
                    escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

std::string JsonFloat(float value)
{
    return JsonNumber(value, FloatRoundTripDigits);
}

std::string JsonNumber(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return "null";
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*g", significantDigits, value);
    return digits;
}

JsonObject& JsonObject::AddNumber(std::string_view key, double value, int significantDigits)
{
    return AddRaw(key, JsonNumber(value, significantDigits));
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string json)
{
    m_members.emplace_back(std::string(key), std::move(json));
    return *this;
}

JsonObject& JsonObject::AddString(std::string_view key, std::string_view text)
{
    return AddRaw(key, JsonString(text));
}

JsonObject& JsonObject::AddInt(std::string_view key, long long value)
{
    return AddRaw(key, std::to_string(value));
}

JsonObject& JsonObject::AddFloat(std::string_view key, float value)
{
    return AddRaw(key, JsonFloat(value));
}

JsonObject& JsonObject::AddIntArray(std::string_view key, std::span<const int> values)
{
    return AddRaw(key, JsonArray(values, [](int value) { return std::to_string(value); }));
}

JsonObject& JsonObject::AddObjectArray(std::string_view key, std::span<const JsonObject> objects)
{
    return AddRaw(key, JsonArray(objects, [](const JsonObject& object) { return object.Text(); }));
}

JsonObject& JsonObject::AddObject(std::string_view key, const JsonObject& object)
{
    return AddRaw(key, object.Text());
}

std::string JsonObject::Text() const
{
    std::string json = "{";
    for (std::size_t i = 0; i < m_members.size(); ++i)
        json += (i ? ", " : "") + JsonString(m_members[i].first) + ": " + m_members[i].second;
    return json + "}";
}
