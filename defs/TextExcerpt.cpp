#include "defs/TextExcerpt.h"

namespace {

constexpr unsigned char FirstPrintable = 0x20;
constexpr unsigned char Delete = 0x7F;
constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr int NibbleBits = 4;
constexpr unsigned char LowNibble = 0x0F;

// UTF-8: a lead byte's high bits give the sequence's length, each continuation byte is 10xxxxxx.
struct LeadByte {
    unsigned char mask;
    unsigned char pattern;
    std::size_t length;
    char32_t smallest; // below it the form is overlong (or, for two bytes, a C1 control)
};
constexpr LeadByte LeadBytes[]
    = { { 0xE0, 0xC0, 2, 0xA0 }, { 0xF0, 0xE0, 3, 0x800 }, { 0xF8, 0xF0, 4, 0x10000 } };
constexpr unsigned char ContinuationMask = 0xC0;
constexpr unsigned char ContinuationPattern = 0x80;
constexpr int ContinuationBits = 6;
constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr char32_t FirstSurrogate = 0xD800;
constexpr char32_t LastSurrogate = 0xDFFF;

// The length of the valid UTF-8 sequence at the front of `text` for a printable character at
// U+00A0 or above; 0 when there is none (a stray byte, a C1 control, an overlong form).
std::size_t PrintableSequence(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (const LeadByte& lead : LeadBytes) {
        if ((byte(0) & lead.mask) != lead.pattern)
            continue;
        if (text.size() < lead.length)
            return 0;
        char32_t point = byte(0) & static_cast<unsigned char>(~lead.mask);
        for (std::size_t i = 1; i < lead.length; ++i) {
            if ((byte(i) & ContinuationMask) != ContinuationPattern)
                return 0;
            point = (point << ContinuationBits) | (byte(i) & static_cast<unsigned char>(~ContinuationMask));
        }
        const bool surrogate = point >= FirstSurrogate && point <= LastSurrogate;
        return point >= lead.smallest && point <= LastCodePoint && !surrogate ? lead.length : 0;
    }
    return 0;
}

void AppendEscaped(std::string& out, unsigned char byte)
{
    out += "\\x";
    out += HexDigits[byte >> NibbleBits];
    out += HexDigits[byte & LowNibble];
}

// Appends at most `limit` characters of `text`; how many bytes of it were taken.
std::size_t AppendEscaped(std::string& out, std::string_view text, std::size_t limit)
{
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < limit; ++characters) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= FirstPrintable && byte < Delete) {
            if (byte == '\\')
                out += '\\';
            out += static_cast<char>(byte);
            ++at;
        } else if (const std::size_t length = PrintableSequence(text.substr(at)); length > 0) {
            out.append(text.substr(at, length));
            at += length;
        } else {
            AppendEscaped(out, byte);
            ++at;
        }
    }
    return at;
}

} // namespace

std::string EscapedText(std::string_view text)
{
    std::string out;
    AppendEscaped(out, text, text.size());
    return out;
}

std::string Excerpt(std::string_view text, std::size_t limit)
{
    std::string out;
    if (AppendEscaped(out, text, limit) < text.size())
        out += "...";
    return out;
}

std::string QuotedExcerpt(std::string_view text, std::size_t limit)
{
    std::string out = "\"";
    const bool cut = AppendEscaped(out, text, limit) < text.size();
    out += cut ? "...\"" : "\"";
    if (cut)
        out += " (" + std::to_string(text.size()) + " bytes)";
    return out;
}
