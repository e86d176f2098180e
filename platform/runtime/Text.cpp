#include "runtime/Text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace platform {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Byte offset of the start of each character, plus the end.
std::size_t offsetOfCharacter(const std::string& bytes, std::int32_t index)
{
    std::size_t offset = 0;
    for (std::int32_t i = 0; i < index && offset < bytes.size(); ++i) {
        ++offset;
        while (offset < bytes.size() && isContinuation(static_cast<unsigned char>(bytes[offset])))
            ++offset;
    }
    return offset;
}

} // namespace

int StringCompare(const Text& a, const Text& b)
{
    const int order = a.bytes().compare(b.bytes());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

Text Str(std::int32_t value) { return Text(std::to_string(value)); }
Text Str(std::uint64_t value) { return Text(std::to_string(value)); }

namespace {

std::size_t digitsFrom(const std::string& s, std::size_t at)
{
    while (at < s.size() && s[at] >= '0' && s[at] <= '9')
        ++at;
    return at;
}

} // namespace

double Val(const Text& text)
{
    // from_chars alone would also read "inf", "nan" and the like: the number's extent is
    // found here first.
    const std::string& s = text.bytes();
    std::size_t start = 0;
    while (start < s.size() && (s[start] == ' ' || s[start] == '\t'))
        ++start;
    bool negative = false;
    if (start < s.size() && (s[start] == '+' || s[start] == '-')) {
        negative = s[start] == '-';
        ++start;
    }
    std::size_t end = digitsFrom(s, start);
    bool anyDigit = end > start;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fraction = digitsFrom(s, end + 1);
        anyDigit = anyDigit || fraction > end + 1;
        end = fraction;
    }
    if (!anyDigit)
        return 0;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = digitsFrom(s, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    double value = 0;
    const auto result = std::from_chars(s.data() + start, s.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

std::int32_t CvtReal64ToSInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t Len(const Text& text)
{
    std::int32_t count = 0;
    for (unsigned char byte : text.bytes())
        if (!isContinuation(byte))
            ++count;
    return count;
}

Text Left(const Text& text, std::int32_t count)
{
    if (count <= 0)
        return Text();
    return Text(text.bytes().substr(0, offsetOfCharacter(text.bytes(), count)));
}

Text Right(const Text& text, std::int32_t count)
{
    const std::int32_t length = Len(text);
    if (count <= 0)
        return Text();
    if (count >= length)
        return text;
    return Text(text.bytes().substr(offsetOfCharacter(text.bytes(), length - count)));
}

std::int32_t Asc(const Text& text)
{
    const std::string& s = text.bytes();
    if (s.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(s[0]);
    int extra = 0;
    std::int32_t code = lead;
    if (lead >= 0xF0) {
        extra = 3;
        code = lead & 0x07;
    } else if (lead >= 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    }
    for (int i = 1; i <= extra && static_cast<std::size_t>(i) < s.size(); ++i)
        code = (code << 6) | (static_cast<unsigned char>(s[static_cast<std::size_t>(i)]) & 0x3F);
    return code;
}

Text Chr(std::int32_t codePoint)
{
    if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return Text();
    std::string out;
    const auto cp = static_cast<std::uint32_t>(codePoint);
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return Text(std::move(out));
}

} // namespace platform
