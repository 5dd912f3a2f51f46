#include "defs/FormatFixed.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// A finite value as sign, significant digits and the power of ten of the first digit:
// digits "123", exponent 1 is 12.3. No digits means zero.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

constexpr int MinPrecision = 1;
constexpr char FirstRoundUpDigit = '5';
constexpr std::size_t CharsBufferSize = 64; // the longest scientific form of a double fits easily

template <typename Real> DecimalDigits ShortestDigits(Real value)
{
    std::array<char, CharsBufferSize> buffer {};
    const auto [end, error]
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    DecimalDigits result;
    if (error != std::errc())
        return result;
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::size_t exponentMark = text.find('e');
    std::string_view mantissa = text.substr(0, exponentMark);
    if (!mantissa.empty() && mantissa.front() == '-') {
        result.negative = true;
        mantissa.remove_prefix(1);
    }
    for (const char c : mantissa) {
        if (c != '.')
            result.digits.push_back(c);
    }
    const std::string_view exponentText = text.substr(exponentMark + 1);
    const char* exponentBegin = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(exponentBegin, exponentText.data() + exponentText.size(), result.exponent);
    if (result.digits.find_first_not_of('0') == std::string::npos)
        result.digits.clear();
    return result;
}

// Keeps at most `precision` significant digits and none below 10^-decimals, rounding half away
// from zero on the decimal digits.
void RoundDigits(DecimalDigits& number, int precision, int decimals)
{
    const int keep = std::min(precision, number.exponent + 1 + decimals);
    const auto size = static_cast<int>(number.digits.size());
    if (keep >= size)
        return;
    if (keep < 0) {
        number.digits.clear();
        return;
    }
    const bool roundUp = number.digits[static_cast<std::size_t>(keep)] >= FirstRoundUpDigit;
    number.digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        auto digit = number.digits.rbegin();
        for (; digit != number.digits.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit != number.digits.rend()) {
            ++*digit;
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.exponent;
        }
    }
    const auto lastNonZero = number.digits.find_last_not_of('0');
    number.digits.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
}

char DigitAt(const DecimalDigits& number, int index)
{
    if (index < 0 || index >= static_cast<int>(number.digits.size()))
        return '0';
    return number.digits[static_cast<std::size_t>(index)];
}

std::string ExponentForm(const DecimalDigits& number, std::string_view separator)
{
    std::string text = number.negative ? "-" : "";
    text += number.digits.front();
    if (number.digits.size() > 1) {
        text += separator;
        text += number.digits.substr(1);
    }
    return text + "E" + std::to_string(number.exponent);
}

std::string FixedForm(const DecimalDigits& number, int decimals, std::string_view separator)
{
    std::string text = number.negative ? "-" : "";
    if (number.exponent < 0) {
        text += '0';
    } else {
        for (int index = 0; index <= number.exponent; ++index)
            text += DigitAt(number, index);
    }
    if (decimals > 0) {
        text += separator;
        for (int place = 1; place <= decimals; ++place)
            text += DigitAt(number, number.exponent + place);
    }
    return text;
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

template <typename Real>
std::string Format(Real value, int precision, int decimals, std::string_view separator)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    precision = std::max(precision, MinPrecision);
    decimals = std::max(decimals, 0);
    DecimalDigits number = ShortestDigits(value);
    RoundDigits(number, precision, decimals);
    if (number.digits.empty())
        number = DecimalDigits {}; // no "-0.0"
    if (number.exponent + 1 > precision)
        return ExponentForm(number, separator);
    return FixedForm(number, decimals, separator);
}

} // namespace

std::string FormatFixed(double value, int precision, int decimals, std::string_view decimalSeparator)
{
    return Format(value, precision, decimals, decimalSeparator);
}

std::string FormatFixed(float value, int precision, int decimals, std::string_view decimalSeparator)
{
    return Format(value, precision, decimals, decimalSeparator);
}
