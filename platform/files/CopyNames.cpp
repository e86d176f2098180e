#include "files/CopyNames.h"

namespace platform {

namespace {

constexpr std::size_t kLongestName = 255;

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The stem cut to at most `bytes` bytes, at the start of a character.
std::string_view cutStem(std::string_view stem, std::size_t bytes)
{
    if (stem.size() <= bytes)
        return stem;
    std::size_t end = bytes;
    while (end > 0 && continuationByte(stem[end]))
        --end;
    return stem.substr(0, end);
}

} // namespace

std::string numberedName(std::string_view name, int n, bool folder)
{
    if (n <= 1)
        return std::string(name);
    std::string_view stem = name;
    std::string_view extension;
    if (!folder) {
        const std::size_t dot = name.rfind('.');
        if (dot != std::string_view::npos && dot > 0 && dot + 1 < name.size()) {
            stem = name.substr(0, dot);
            extension = name.substr(dot);
        }
    }
    std::string suffix(1, ' ');
    suffix += std::to_string(n);
    if (stem.size() + suffix.size() + extension.size() > kLongestName) {
        // An extension so long that no stem fits becomes part of the stem.
        if (suffix.size() + extension.size() >= kLongestName) {
            stem = name;
            extension = {};
        }
        stem = cutStem(stem, kLongestName - suffix.size() - extension.size());
    }
    std::string result;
    result.reserve(stem.size() + suffix.size() + extension.size());
    result.append(stem).append(suffix).append(extension);
    return result;
}

} // namespace platform
