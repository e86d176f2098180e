#include "description/DescriptionTable.h"

#include "runtime/Exceptions.h"

#include <algorithm>
#include <map>

namespace platform {

namespace {

const std::map<std::string_view, PropertyValue, std::less<>>& defaults()
{
    static const std::map<std::string_view, PropertyValue, std::less<>> table{
        {"Index", kNoControlArray},
        {"TabPanelIndex", 0},
        {"TabStop", true},
        {"Visible", true},
        {"Enabled", true},
        {"AutoDeactivate", true},
        {"HelpTag", Text()},
        {"InitialParent", Text()},
        {"DataSource", Text()},
        {"DataField", Text()},
        {"TextFont", Text("System")},
        {"TextSize", 0},
        {"TextColor", Color::rgb(0x000000)},
        {"TextAlign", 0},
        {"Bold", false},
        {"Italic", false},
        {"Underline", false},
        {"Multiline", false},
        {"Default", false},
        {"Cancel", false},
        {"UseFocusRing", true},
        {"AcceptFocus", false},
        {"AcceptTabs", false},
        {"DoubleBuffer", false},
        {"EraseBackground", true},
        {"ScrollbarHorizontal", false},
        {"ScrollBarVertical", true},
        {"ScrollbarVertical", true},
        {"HeadingIndex", -1},
        {"DefaultRowHeight", -1},
        {"_ScrollWidth", -1},
        {"_ScrollOffset", 0},
        {"Hierarchical", false},
        {"EnableDrag", false},
        {"EnableDragReorder", false},
        {"RequiresSelection", false},
        {"AutoHideScrollbars", true},
        {"Styled", false},
        {"Password", false},
        {"Format", Text()},
        {"Mask", Text()},
        {"LimitText", 0},
        {"Alignment", 0},
        {"BackColor", Color::rgb(0xFFFFFF)},
        {"ListIndex", 0},
    };
    return table;
}

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

void checkType(std::string_view who, std::string_view key, std::string_view className, const PropertyValue& value)
{
    const auto expected = propertyType(key, className);
    if (!expected || *expected != typeOf(value))
        throw DescriptionError(std::string(who) + ": the value given for \"" + std::string(key) +
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
    if (className == "StaticText" || className == "EditField")
        return "Text";
    if (className == "PushButton" || className == "BevelButton")
        return "Caption";
    if (className == "Listbox" || className == "PopupMenu")
        return "InitialValue";
    return std::nullopt;
}

std::optional<PropertyValue> tableDefault(std::string_view key)
{
    const auto found = defaults().find(key);
    if (found == defaults().end())
        return std::nullopt;
    return found->second;
}

Text encodeWindowDescription(const std::vector<WindowTableRow>& rows)
{
    const auto& keys = descriptionKeys("Window");
    if (rows.size() != keys.size())
        throw DescriptionError("A window's description needs its " + std::to_string(keys.size()) + " keys, not " +
                               std::to_string(rows.size()) + ".");
    DescriptionWriter writer;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].property != keys[i])
            throw DescriptionError("The window's key " + std::to_string(i + 1) + " must be \"" +
                                   std::string(keys[i]) + "\", not \"" + std::string(rows[i].property) + "\".");
        checkType("The window's description", rows[i].property, "Window", rows[i].value);
        writer.add(rows[i].property, rows[i].value);
    }
    return writer.text();
}

Text encodeControlDescription(const ControlTableRow& row)
{
    const std::string who = "The description of " + std::string(row.name);
    const auto& keys = descriptionKeys(row.className);
    for (const DescriptionEntry& entry : row.otherValues) {
        if (std::find(keys.begin(), keys.end(), entry.key) == keys.end())
            throw DescriptionError(who + ": a " + std::string(row.className) + " has no key \"" + entry.key + "\".");
        checkType(who, entry.key, row.className, entry.value);
    }
    const bool timer = row.className == "Timer";
    if (!timer && (!row.left || !row.top || !row.width || !row.height))
        throw DescriptionError(who + " needs a place and a size.");
    const auto locked = [&](char letter) {
        return row.locks != "none" && row.locks.find(letter) != std::string_view::npos;
    };
    const auto textKey = textKeyOf(row.className);

    DescriptionWriter writer;
    for (std::string_view key : keys) {
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
        } else if (textKey && key == *textKey) {
            writer.add(key, row.textOrCaption.value_or(Text()));
        } else if (const auto fallback = tableDefault(key)) {
            writer.add(key, *fallback);
        } else {
            throw DescriptionError(who + " must give a value for \"" + std::string(key) + "\".");
        }
    }
    return writer.text();
}

} // namespace platform
