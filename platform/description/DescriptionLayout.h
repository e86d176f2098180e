#pragma once

// The layout of each class's descriptions: its keys in the order they are stored, each with
// its type and its default in the table form. The layouts are not written here: each class
// that takes descriptions keeps them in its own table and registers them when its class
// record is declared. The encoder, the decoder and the table defaults all read them here.

#include "description/DescriptionFormat.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct KeyLayout {
    std::string_view key;
    PropertyType type;
    // What a table row that leaves the key out gets; none for a key that every row gives.
    std::optional<PropertyValue> tableDefault;
};

struct ClassLayout {
    std::string className;
    std::vector<KeyLayout> keys;
    // The key that holds the table's "text or caption" column, empty for a class without.
    std::string_view textKey;

    // The key of that name, or null when the class does not have it.
    const KeyLayout* find(std::string_view key) const;
};

// Makes a class's layout known, replacing an earlier one of the same name.
void registerDescriptionLayout(ClassLayout layout);
// The layout of a class; throws DescriptionError, naming the class, when it has none.
const ClassLayout& descriptionLayout(std::string_view className);
// Every layout, by class name.
std::vector<const ClassLayout*> descriptionLayouts();
// Forgets every layout (shut-down, with the class records).
void clearDescriptionLayouts();

} // namespace platform
