#pragma once

// Menu items: a tree of named items. Handlers find an item by its Name; the user sees
// its Text and its keyboard shortcut.

#include "runtime/ClassRecord.h"

#include <vector>

namespace platform {

class MenuItem : public Object {
public:
    static constexpr const char* kClassName = "MenuItem";
    static constexpr std::string_view kTypeName = "MenuItem";

    // The constructor without arguments: an item with no name, no text and no children.
    void Constructor() {}

    const platform::Text& Name() const { return name_; }
    void setName(const platform::Text& name) { name_ = name; }
    bool AutoEnable() const { return autoEnable_; }
    void setAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    const platform::Text& Text() const { return text_; }
    void setText(const platform::Text& text) { text_ = text; }
    // "Cmd+C": the Command key (Ctrl on this desktop) with the letter; "Shift" and "Option"
    // may come before it. Empty for none.
    const platform::Text& KeyboardShortcut() const { return shortcut_; }
    void setKeyboardShortcut(const platform::Text& shortcut) { shortcut_ = shortcut; }

    // Adds an item as the last child.
    void Append(const Ref<MenuItem>& item);
    std::int32_t Count() const { return static_cast<std::int32_t>(children_.size()); }
    // The child at a 0-based index, or an empty handle.
    Ref<MenuItem> Item(std::int32_t index) const;
    // The direct child with that Name, or an empty handle.
    Ref<MenuItem> Child(const platform::Text& name) const;
    // The item with that Name anywhere below this one, or an empty handle.
    Ref<MenuItem> Lookup(const platform::Text& name) const;

    const std::vector<Ref<MenuItem>>& children() const { return children_; }

    static std::vector<Operation> operations();

private:
    platform::Text name_;
    bool autoEnable_ = true;
    platform::Text text_;
    platform::Text shortcut_;
    std::vector<Ref<MenuItem>> children_;
};

// The item that the original system showed in its application menu; here it stays where
// it is appended.
class AppleMenuItem : public MenuItem {
public:
    static constexpr const char* kClassName = "AppleMenuItem";
    static constexpr std::string_view kTypeName = "AppleMenuItem";
};

} // namespace platform
