#include "logfile/FieldNumber.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// A decimal written as digits, at most one decimal point and a sign: its digits as a whole
// number and how many of them follow the point.
struct PlainDecimal {
    std::uint64_t digits = 0;
    int decimals = 0;
    bool negative = false;
};

// More digits than this may not fit the whole number; the general parser takes them.
constexpr int kMostDigits = 19;

// Reads a plain decimal from `p` on, as far as one goes; returns where it stopped, or nullptr when
// it has more digits than the fast way takes.
const char* ScanPlain(const char* p, const char* end, bool decimalComma, PlainDecimal& number, int& digits)
{
    if (p != end && (*p == '-' || *p == '+')) {
        number.negative = *p == '-';
        ++p;
    }
    digits = 0;
    bool point = false;
    for (; p != end; ++p) {
        const auto digit = static_cast<unsigned>(*p - '0');
        if (digit < 10) {
            if (++digits > kMostDigits)
                return nullptr;
            number.digits = number.digits * 10 + digit;
            number.decimals += point ? 1 : 0;
        } else if (!point && (*p == '.' || (decimalComma && *p == ','))) {
            point = true;
        } else {
            break;
        }
    }
    return p;
}

bool ReadPlain(std::string_view text, bool decimalComma, PlainDecimal& number)
{
    const char* const end = text.data() + text.size();
    int digits = 0;
    return ScanPlain(text.data(), end, decimalComma, number, digits) == end && digits > 0;
}

// Powers of ten that a float or a double holds exactly, and the largest whole number each holds
// exactly: a quotient or product of two exact operands is rounded once, as the general parser
// rounds (Clinger's fast path).
template <typename T> struct Exact;
template <> struct Exact<float> {
    static constexpr int kMostPower = 10;
    static constexpr std::uint64_t kMostDigits = std::uint64_t { 1 } << 24;
};
template <> struct Exact<double> {
    static constexpr int kMostPower = 22;
    static constexpr std::uint64_t kMostDigits = std::uint64_t { 1 } << 53;
};

template <typename T> constexpr std::array<T, Exact<T>::kMostPower + 1> PowersOfTen()
{
    std::array<T, Exact<T>::kMostPower + 1> powers {};
    T power = 1;
    for (T& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}

template <typename T> bool FastValue(const PlainDecimal& number, int shift, T& value)
{
    static constexpr auto kPowers = PowersOfTen<T>();
    if (number.digits > Exact<T>::kMostDigits)
        return false;
    const int power = shift - number.decimals;
    if (power < -Exact<T>::kMostPower || power > Exact<T>::kMostPower)
        return false;
    const auto digits = static_cast<T>(number.digits);
    value = power >= 0 ? digits * kPowers[static_cast<std::size_t>(power)]
                       : digits / kPowers[static_cast<std::size_t>(-power)];
    if (number.negative)
        value = -value;
    return true;
}

template <typename T> bool GeneralValue(std::string_view text, bool decimalComma, int shift, T& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::string pointed;
    if (decimalComma && text.find(',') != std::string_view::npos) {
        pointed.assign(text);
        pointed[pointed.find(',')] = '.';
        text = pointed;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    if (shift != 0)
        value = static_cast<T>(value * std::pow(T { 10 }, static_cast<T>(shift)));
    return std::isfinite(value);
}

template <typename T> bool ReadNumber(std::string_view text, bool decimalComma, int shift, T& value)
{
    PlainDecimal number;
    if (ReadPlain(text, decimalComma, number) && FastValue(number, shift, value))
        return true;
    return GeneralValue(text, decimalComma, shift, value);
}

} // namespace

bool FieldNumbers::Read(std::string_view text, float& value) const
{
    return ReadNumber(text, m_decimalComma, 0, value);
}

bool FieldNumbers::Read(std::string_view text, double& value, int shift) const
{
    return ReadNumber(text, m_decimalComma, shift, value);
}
