#include "description/DescriptionFormat.h"

#include "runtime/Exceptions.h"

#include <map>

namespace platform {

namespace {

using Keys = std::vector<std::string_view>;

const std::map<std::string_view, PropertyType, std::less<>>& keyTypes()
{
    static const std::map<std::string_view, PropertyType, std::less<>> types = [] {
        std::map<std::string_view, PropertyType, std::less<>> map;
        for (std::string_view key : {"Name", "Title", "Text", "Caption", "InitialValue", "ColumnWidths", "TextFont",
                                     "HelpTag", "InitialParent", "DataSource", "DataField", "Format", "Mask"})
            map.emplace(key, PropertyType::String);
        for (std::string_view key :
             {"Index", "Left", "Top", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight",
              "Placement", "Frame", "MacProcID", "TabPanelIndex", "TabIndex", "TextSize", "TextAlign", "Alignment",
              "LimitText", "BorderWidth", "ColumnCount", "HeadingIndex", "GridLinesHorizontal", "GridLinesVertical",
              "DefaultRowHeight", "_ScrollWidth", "_ScrollOffset", "SelectionType", "ListIndex", "Maximum",
              "CaptionAlign", "CaptionPlacement", "CaptionDelta", "IconAlign", "IconDX", "IconDY", "Bevel", "HasMenu",
              "MenuValue", "ButtonType", "Mode", "Period"})
            map.emplace(key, PropertyType::Integer);
        for (std::string_view key :
             {"Visible", "Enabled", "AutoDeactivate", "TabStop", "LockLeft", "LockTop", "LockRight", "LockBottom",
              "Composite", "HasBackColor", "FullScreen", "MenuBarVisible", "CloseButton", "Resizeable", "LiveResize",
              "MaximizeButton", "MinimizeButton", "Multiline", "Bold", "Italic", "Underline", "Default", "Cancel",
              "UseFocusRing", "AcceptFocus", "AcceptTabs", "DoubleBuffer", "EraseBackground", "Border", "HasHeading",
              "Hierarchical", "EnableDrag", "EnableDragReorder", "RequiresSelection", "ColumnsResizable",
              "AutoHideScrollbars", "ScrollbarHorizontal", "ScrollBarVertical", "ScrollbarVertical", "Styled",
              "Password", "ReadOnly"})
            map.emplace(key, PropertyType::Boolean);
        for (std::string_view key : {"BackColor", "TextColor", "FillColor", "TopLeftColor", "BottomRightColor"})
            map.emplace(key, PropertyType::Color);
        return map;
    }();
    return types;
}

Keys withCommonHead(std::initializer_list<std::string_view> rest)
{
    Keys keys{"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
              "TabPanelIndex"};
    keys.insert(keys.end(), rest.begin(), rest.end());
    return keys;
}

const std::map<std::string_view, Keys, std::less<>>& keysByClass()
{
    static const std::map<std::string_view, Keys, std::less<>> classes{
        {"Window",
         {"Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight", "Frame", "Composite",
          "HasBackColor", "BackColor", "Title", "Visible", "FullScreen", "MenuBarVisible", "CloseButton", "Resizeable",
          "LiveResize", "MaximizeButton", "MinimizeButton", "MacProcID"}},
        {"Rectangle", withCommonHead({"Visible", "HelpTag", "AutoDeactivate", "Enabled", "FillColor", "BorderWidth",
                                      "TopLeftColor", "BottomRightColor", "InitialParent"})},
        {"Canvas", withCommonHead({"TabIndex", "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
                                   "UseFocusRing", "AcceptFocus", "AcceptTabs", "DoubleBuffer", "EraseBackground",
                                   "InitialParent"})},
        {"StaticText", withCommonHead({"TabIndex", "Text", "TextAlign", "TextColor", "Multiline", "Enabled",
                                       "Visible", "HelpTag", "AutoDeactivate", "TextFont", "TextSize", "Bold",
                                       "Italic", "Underline", "DataSource", "DataField", "InitialParent"})},
        {"PushButton", withCommonHead({"TabIndex", "TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible",
                                       "HelpTag", "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic",
                                       "Underline", "InitialParent"})},
        {"BevelButton",
         withCommonHead({"TabIndex", "TabStop", "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
                         "Caption", "CaptionAlign", "CaptionPlacement", "CaptionDelta", "IconAlign", "IconDX",
                         "IconDY", "Bevel", "HasMenu", "Value", "MenuValue", "ButtonType", "AcceptFocus", "TextFont",
                         "TextSize", "Bold", "Italic", "Underline"})},
        {"Listbox",
         withCommonHead({"TabIndex", "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "Border",
                         "ColumnCount", "ColumnWidths", "HasHeading", "UseFocusRing", "InitialValue", "HeadingIndex",
                         "ScrollbarHorizontal", "ScrollBarVertical", "GridLinesHorizontal", "GridLinesVertical",
                         "DefaultRowHeight", "_ScrollWidth", "_ScrollOffset", "TextFont", "TextSize", "Bold", "Italic",
                         "Underline", "Hierarchical", "EnableDrag", "EnableDragReorder", "RequiresSelection",
                         "SelectionType", "ColumnsResizable", "AutoHideScrollbars", "DataSource", "DataField",
                         "InitialParent"})},
        {"PopupMenu", withCommonHead({"TabIndex", "TabStop", "Enabled", "InitialValue", "ListIndex", "Visible",
                                      "HelpTag", "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic",
                                      "Underline", "DataSource", "DataField", "InitialParent"})},
        {"EditField",
         withCommonHead({"TabIndex", "TabStop", "Border", "Multiline", "ScrollbarHorizontal", "ScrollbarVertical",
                         "Styled", "Password", "UseFocusRing", "TextColor", "BackColor", "Enabled", "Format", "Visible",
                         "HelpTag", "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic", "Underline", "Text",
                         "Mask", "ReadOnly", "LimitText", "AcceptTabs", "Alignment", "DataSource", "DataField",
                         "InitialParent"})},
        {"ProgressBar", withCommonHead({"Visible", "HelpTag", "AutoDeactivate", "Enabled", "Value", "Maximum",
                                        "InitialParent"})},
        {"Timer", {"Mode", "Period"}},
    };
    return classes;
}

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
    if (key == "Value")
        return className == "BevelButton" ? PropertyType::Boolean : PropertyType::Integer;
    const auto& types = keyTypes();
    const auto found = types.find(key);
    if (found == types.end())
        return std::nullopt;
    return found->second;
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

const std::vector<std::string_view>& descriptionKeys(std::string_view className)
{
    const auto& classes = keysByClass();
    const auto found = classes.find(className);
    if (found == classes.end())
        throw DescriptionError("There is no description layout for the class \"" + std::string(className) + "\".");
    return found->second;
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
    std::vector<DescriptionEntry> entries;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t blank = bytes.find(' ', at);
        if (blank == std::string::npos)
            throw DescriptionError(who + " is cut short after " + std::to_string(at) + " bytes.");
        std::string key = bytes.substr(at, blank - at);
        const auto type = propertyType(key, className);
        if (!type)
            throw DescriptionError(who + " holds the unknown property \"" + key + "\".");
        at = blank + 1;
        if (bytes.size() - at < fixedSize(*type))
            throw DescriptionError(who + " is cut short in the value of \"" + key + "\".");
        PropertyValue value;
        switch (*type) {
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
