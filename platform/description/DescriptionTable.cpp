#include "description/DescriptionTable.h"

#include "description/DescriptionLayout.h"
#include "runtime/Exceptions.h"

#include <algorithm>

namespace platform {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void checkType(std::string_view who, const KeyLayout& key, const PropertyValue& value)
{
    if (key.type != typeOf(value))
        throw DescriptionError(std::string(who) + ": the value given for \"" + std::string(key.key) +
                               "\" is not of the key's type.");
}

} // namespace

Color color(std::string_view hash)
{
    if (hash.size() != 7 || hash[0] != '#')
        throw DescriptionError("\"" + std::string(hash) + "\" is not a colour of the form #RRGGBB.");
    std::uint32_t value = 0;
    for (char c : hash.substr(1)) {
        const int digit = hexDigit(c);
        if (digit < 0)
            throw DescriptionError("\"" + std::string(hash) + "\" is not a colour of the form #RRGGBB.");
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return Color::rgb(value);
}

std::optional<std::string_view> textKeyOf(std::string_view className)
{
    const std::string_view key = descriptionLayout(className).textKey;
    if (key.empty())
        return std::nullopt;
    return key;
}

// The classes' tables agree on the default of a key they share, so the first one found
// stands for all.
std::optional<PropertyValue> tableDefault(std::string_view key)
{
    for (const ClassLayout* layout : descriptionLayouts())
        if (const KeyLayout* found = layout->find(key); found && found->tableDefault)
            return found->tableDefault;
    return std::nullopt;
}

Text encodeWindowDescription(const std::vector<WindowTableRow>& rows)
{
    const auto& keys = descriptionLayout("Window").keys;
    if (rows.size() != keys.size())
        throw DescriptionError("A window's description needs its " + std::to_string(keys.size()) + " keys, not " +
                               std::to_string(rows.size()) + ".");
    DescriptionWriter writer;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].property != keys[i].key)
            throw DescriptionError("The window's key " + std::to_string(i + 1) + " must be \"" +
                                   std::string(keys[i].key) + "\", not \"" + std::string(rows[i].property) + "\".");
        checkType("The window's description", keys[i], rows[i].value);
        writer.add(rows[i].property, rows[i].value);
    }
    return writer.text();
}

Text encodeControlDescription(const ControlTableRow& row)
{
    const std::string who = "The description of " + std::string(row.name);
    const ClassLayout& layout = descriptionLayout(row.className);
    for (const DescriptionEntry& entry : row.otherValues) {
        const KeyLayout* key = layout.find(entry.key);
        if (!key)
            throw DescriptionError(who + ": a " + std::string(row.className) + " has no key \"" + entry.key + "\".");
        checkType(who, *key, entry.value);
    }
    if (layout.find("Left") && (!row.left || !row.top || !row.width || !row.height))
        throw DescriptionError(who + " needs a place and a size.");
    const auto locked = [&](char letter) {
        return row.locks != "none" && row.locks.find(letter) != std::string_view::npos;
    };

    DescriptionWriter writer;
    for (const KeyLayout& known : layout.keys) {
        const std::string_view key = known.key;
        const auto given = std::find_if(row.otherValues.begin(), row.otherValues.end(),
                                        [&](const DescriptionEntry& entry) { return entry.key == key; });
        if (given != row.otherValues.end()) {
            writer.add(key, given->value);
        } else if (key == "Name") {
            writer.add(key, Text(row.name));
        } else if (key == "Left") {
            writer.add(key, *row.left);
        } else if (key == "Top") {
            writer.add(key, *row.top);
        } else if (key == "Width") {
            writer.add(key, *row.width);
        } else if (key == "Height") {
            writer.add(key, *row.height);
        } else if (key == "LockLeft" || key == "LockTop" || key == "LockRight" || key == "LockBottom") {
            writer.add(key, locked(key[4]));
        } else if (key == layout.textKey) {
            writer.add(key, row.textOrCaption.value_or(Text()));
        } else if (known.tableDefault) {
            writer.add(key, *known.tableDefault);
        } else {
            throw DescriptionError(who + " must give a value for \"" + std::string(key) + "\".");
        }
    }
    return writer.text();
}

} // namespace platform
