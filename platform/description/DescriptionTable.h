#pragma once

// The table form in which a window's description is written down: one table for the window
// (property and value, in the description's order) and one row per control, in creation
// order, with the control's place, locks, text and the values that differ from the
// defaults. The encoder fills in every other key with its default, in the class's order,
// and gives the exact bytes.

#include "description/DescriptionFormat.h"

#include <optional>
#include <string_view>
#include <vector>

namespace platform {

struct WindowTableRow {
    std::string_view property;
    PropertyValue value;
};

struct EventBinding {
    std::string_view event;
    std::string_view handler;
};

struct ControlTableRow {
    int number = 0;
    std::string_view name;
    // The framework class whose description layout applies ("Timer" for a timer).
    std::string_view className;
    // The class the control is made as, when it is a generated subclass ("Window1.Timer1").
    std::string_view generatedClass;
    std::optional<std::int32_t> left, top, width, height; // none for a timer
    std::string_view locks;                               // "L T R B", "none", "-" for a timer
    std::optional<Text> textOrCaption;                    // none for a class without one
    std::vector<DescriptionEntry> otherValues;
    std::vector<EventBinding> events;
};

// "#RRGGBB" as a colour.
Color color(std::string_view hash);

// The key that holds a class's "text or caption" column, or nothing.
std::optional<std::string_view> textKeyOf(std::string_view className);

// The default of a key in the table form, or nothing for a key that every row gives. The
// classes that share a key share its default.
std::optional<PropertyValue> tableDefault(std::string_view key);

// Throws DescriptionError when the rows are not the window's 21 keys in order.
Text encodeWindowDescription(const std::vector<WindowTableRow>& rows);

// Throws DescriptionError for a key the class does not have, a value of the wrong type, or
// a key without default that the row does not give.
Text encodeControlDescription(const ControlTableRow& row);

} // namespace platform
