#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// A JSON text for one object, built member by member in the order they are added, written as
// {"key": value, ...}.
class JsonObject {
public:
    JsonObject& AddString(std::string_view key, std::string_view text);
    JsonObject& AddInt(std::string_view key, long long value);
    JsonObject& AddFloat(std::string_view key, float value);
    // A number given to `significantDigits` (null when JSON cannot hold it).
    JsonObject& AddNumber(std::string_view key, double value, int significantDigits);
    JsonObject& AddIntArray(std::string_view key, std::span<const int> values);
    JsonObject& AddObjectArray(std::string_view key, std::span<const JsonObject> objects);
    JsonObject& AddObject(std::string_view key, const JsonObject& object);
    // A value that is not known.
    JsonObject& AddNull(std::string_view key) { return AddRaw(key, "null"); }

    std::string Text() const;

private:
    JsonObject& AddRaw(std::string_view key, std::string json);

    std::vector<std::pair<std::string, std::string>> m_members;
};

// A quoted JSON string with every character that needs it escaped.
std::string JsonString(std::string_view text);
// A single-precision number with the 9 significant digits that read back as the same float;
// null for a value JSON cannot hold (infinite, not a number).
std::string JsonFloat(float value);
// A number given to `significantDigits`; null as JsonFloat.
std::string JsonNumber(double value, int significantDigits);
