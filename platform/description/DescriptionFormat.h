#pragma once

// Window descriptions: the byte format that configures a window and each of its controls.
//
// A description is a run of entries, back to back, with no count, separator or
// terminator: the property name in ASCII, one blank, then the value in the layout of the
// name's type. Booleans are one byte, integers four bytes big-endian two's complement,
// colours three bytes (red, green, blue), texts a four-byte big-endian byte count followed
// by that many bytes of UTF-8.

#include "runtime/Text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace platform {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static constexpr Color rgb(std::uint32_t hex)
    {
        return Color{static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8),
                     static_cast<std::uint8_t>(hex)};
    }
    friend bool operator==(const Color&, const Color&) = default;
};

enum class PropertyType { Boolean, Integer, Color, String };

using PropertyValue = std::variant<bool, std::int32_t, Color, Text>;

// The description type of a C++ value type.
template <class T>
constexpr PropertyType propertyTypeOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return PropertyType::Boolean;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return PropertyType::Integer;
    else if constexpr (std::is_same_v<T, Color>)
        return PropertyType::Color;
    else {
        static_assert(std::is_same_v<T, Text>, "a description value is a bool, an std::int32_t, a Color or a Text");
        return PropertyType::String;
    }
}

struct DescriptionEntry {
    std::string key;
    PropertyValue value;
    friend bool operator==(const DescriptionEntry&, const DescriptionEntry&) = default;
};

// The integer that means "belongs to no control array" (bytes 80 00 00 00).
inline constexpr std::int32_t kNoControlArray = INT32_MIN;

// The type of a key in a class's descriptions, or nothing when the class does not have the
// key. Each class's own table decides: `Value` is a Boolean for a BevelButton and an
// integer for a ProgressBar.
std::optional<PropertyType> propertyType(std::string_view key, std::string_view className);
PropertyType typeOf(const PropertyValue& value);

// The keys of a class's description, in their order ("Window" for a window's own).
const std::vector<std::string_view>& descriptionKeys(std::string_view className);

class DescriptionWriter {
public:
    DescriptionWriter& add(std::string_view key, const PropertyValue& value);
    Text text() const { return Text(bytes_); }

private:
    std::string bytes_;
};

// Reads a description whole. Throws DescriptionError, naming the object, for a key that
// its class does not have (naming the class and the key) or a description that is cut
// short.
std::vector<DescriptionEntry> decodeDescription(const Text& description, std::string_view className,
                                                std::string_view objectName);

} // namespace platform
