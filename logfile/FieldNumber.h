#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Numbers as the fields of a log give them: what std::from_chars reads, and a leading '+'. Where
// the file does not separate its fields by commas, a decimal comma ("13,9") too. Plain decimals,
// which logs are made of, are read without the general parser: the result is the same, to the bit.
class FieldNumbers {
public:
    explicit FieldNumbers(bool decimalComma = false)
        : m_decimalComma(decimalComma)
    {
    }

    bool DecimalComma() const { return m_decimalComma; }

    // False for a text that is not a finite number.
    bool Read(std::string_view text, float& value) const;
    // The number times ten to the power `shift` (3 reads seconds as milliseconds), rounded once:
    // "4.35" seconds are exactly 4350 milliseconds.
    bool Read(std::string_view text, double& value, int shift = 0) const;

    // For a reader that finds a field's end and its value in one pass: reads the plain decimal
    // (a sign, digits, one point) that starts at `p`, as far as it goes, and returns where it
    // stopped. `read` tells whether that gave `value`; when it did not, or when the field goes on
    // past the stop, Read() on the whole field decides. Inline: it runs for every field.
    const char* Scan(const char* p, const char* end, float& value, bool& read) const
    {
        bool negative = false;
        if (p != end && (*p == '-' || *p == '+')) {
            negative = *p == '-';
            ++p;
        }
        std::uint32_t digits = 0;
        int count = 0;
        int decimals = 0;
        bool point = false;
        for (; p != end; ++p) {
            const auto digit = static_cast<unsigned>(*p - '0');
            if (digit < 10) {
                digits = digits * 10 + digit;
                ++count;
                decimals += point ? 1 : 0;
            } else if (!point && (*p == '.' || (m_decimalComma && *p == ','))) {
                point = true;
            } else {
                break;
            }
        }
        // Up to seven digits and ten decimals, the whole number and the power of ten are exact
        // floats, so their quotient is rounded once, as the general parser rounds (Clinger).
        read = count > 0 && count <= kExactFloatDigits && decimals <= kExactFloatPower;
        if (read) {
            // Whole numbers, half of most logs, need no division.
            value = decimals > 0
                ? static_cast<float>(digits) / kFloatPowers[static_cast<std::size_t>(decimals)]
                : static_cast<float>(digits);
            value = negative ? -value : value;
        }
        return p;
    }

private:
    static constexpr int kExactFloatDigits = 7; // below 2^24
    static constexpr int kExactFloatPower = 10;
    static constexpr std::array<float, kExactFloatPower + 1> kFloatPowers
        = { 1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F, 1e6F, 1e7F, 1e8F, 1e9F, 1e10F };

    bool m_decimalComma;
};
