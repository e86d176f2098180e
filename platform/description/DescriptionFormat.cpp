#include "description/DescriptionFormat.h"

#include "description/DescriptionLayout.h"
#include "runtime/Exceptions.h"

namespace platform {

namespace {

void appendUInt32(std::string& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::uint32_t readUInt32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::size_t fixedSize(PropertyType type)
{
    switch (type) {
    case PropertyType::Boolean:
        return 1;
    case PropertyType::Integer:
        return 4;
    case PropertyType::Color:
        return 3;
    case PropertyType::String:
        return 4; // the byte count; the text follows
    }
    return 0;
}

} // namespace

std::optional<PropertyType> propertyType(std::string_view key, std::string_view className)
{
    const KeyLayout* layout = descriptionLayout(className).find(key);
    if (!layout)
        return std::nullopt;
    return layout->type;
}

PropertyType typeOf(const PropertyValue& value)
{
    switch (value.index()) {
    case 0:
        return PropertyType::Boolean;
    case 1:
        return PropertyType::Integer;
    case 2:
        return PropertyType::Color;
    default:
        return PropertyType::String;
    }
}

DescriptionWriter& DescriptionWriter::add(std::string_view key, const PropertyValue& value)
{
    bytes_.append(key);
    bytes_ += ' ';
    std::visit(
        [this](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, bool>) {
                bytes_ += static_cast<char>(v ? 1 : 0);
            } else if constexpr (std::is_same_v<V, std::int32_t>) {
                appendUInt32(bytes_, static_cast<std::uint32_t>(v));
            } else if constexpr (std::is_same_v<V, Color>) {
                bytes_ += static_cast<char>(v.red);
                bytes_ += static_cast<char>(v.green);
                bytes_ += static_cast<char>(v.blue);
            } else {
                appendUInt32(bytes_, static_cast<std::uint32_t>(v.bytes().size()));
                bytes_ += v.bytes();
            }
        },
        value);
    return *this;
}

std::vector<DescriptionEntry> decodeDescription(const Text& description, std::string_view className,
                                                std::string_view objectName)
{
    const std::string& bytes = description.bytes();
    const std::string who = "The description of " + std::string(objectName) + " (" + std::string(className) + ")";
    const ClassLayout& layout = descriptionLayout(className);
    std::vector<DescriptionEntry> entries;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t blank = bytes.find(' ', at);
        if (blank == std::string::npos)
            throw DescriptionError(who + " is cut short after " + std::to_string(at) + " bytes.");
        std::string key = bytes.substr(at, blank - at);
        const KeyLayout* known = layout.find(key);
        if (!known)
            throw DescriptionError(who + " holds the unknown property \"" + key + "\": a " + std::string(className) +
                                   " has no such key.");
        at = blank + 1;
        if (bytes.size() - at < fixedSize(known->type))
            throw DescriptionError(who + " is cut short in the value of \"" + key + "\".");
        PropertyValue value;
        switch (known->type) {
        case PropertyType::Boolean:
            value = bytes[at] != 0;
            at += 1;
            break;
        case PropertyType::Integer:
            value = static_cast<std::int32_t>(readUInt32(bytes, at));
            at += 4;
            break;
        case PropertyType::Color:
            value = Color{static_cast<std::uint8_t>(bytes[at]), static_cast<std::uint8_t>(bytes[at + 1]),
                          static_cast<std::uint8_t>(bytes[at + 2])};
            at += 3;
            break;
        case PropertyType::String: {
            const std::size_t length = readUInt32(bytes, at);
            at += 4;
            if (bytes.size() - at < length)
                throw DescriptionError(who + " is cut short in the text of \"" + key + "\".");
            value = Text(bytes.substr(at, length));
            at += length;
            break;
        }
        }
        entries.push_back(DescriptionEntry{std::move(key), std::move(value)});
    }
    return entries;
}

} // namespace platform
