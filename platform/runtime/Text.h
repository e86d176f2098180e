#pragma once

// The run time's text: UTF-8, compared byte for byte, measured in characters.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class Text {
public:
    Text() = default;
    Text(const char* utf8) : bytes_(utf8 ? utf8 : "") {}
    Text(std::string utf8) : bytes_(std::move(utf8)) {}
    Text(std::string_view utf8) : bytes_(utf8) {}

    const std::string& bytes() const { return bytes_; }
    const char* c_str() const { return bytes_.c_str(); }
    bool empty() const { return bytes_.empty(); }
    std::size_t byteLength() const { return bytes_.size(); }

    friend Text operator+(const Text& a, const Text& b) { return Text(a.bytes_ + b.bytes_); }
    Text& operator+=(const Text& other)
    {
        bytes_ += other.bytes_;
        return *this;
    }
    friend bool operator==(const Text&, const Text&) = default;
    friend auto operator<=>(const Text&, const Text&) = default;

private:
    std::string bytes_;
};

// The run time's string comparison: 0 when both texts are the same, byte for byte,
// otherwise -1 or 1 in byte order.
int StringCompare(const Text& a, const Text& b);

// Decimal text of a number, without separators or leading zeros.
Text Str(std::int32_t value);
Text Str(std::uint64_t value);

// The number at the head of a text, as Val reads it: leading blanks are skipped, then an
// optional sign, digits, a fraction and an exponent, all in decimal; a text that does not
// begin with such a number ("inf", "nan" and the like) reads as 0.
double Val(const Text& text);

// A double as a 32-bit signed integer: the fraction is dropped (toward zero); values
// beyond the range, and NaN, are clamped to the nearest end (NaN to 0) instead of being
// undefined behaviour.
std::int32_t CvtReal64ToSInt32(double value);

// Characters, not bytes: Len counts Unicode code points, Left and Right take whole ones.
std::int32_t Len(const Text& text);
Text Left(const Text& text, std::int32_t count);
Text Right(const Text& text, std::int32_t count);

// Code point of the first character, 0 for an empty text.
std::int32_t Asc(const Text& text);
// One-character text for a code point; an invalid code point gives the empty text.
Text Chr(std::int32_t codePoint);

} // namespace platform
