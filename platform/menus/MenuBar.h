#pragma once

// A menu bar: its children are the menus, their children the items. Set on a window, it
// becomes that window's Qt menu bar; choosing an item sends its Name as a menu command.

#include "menus/MenuItem.h"

#include <QKeySequence>

#include <functional>

class QMenuBar;

namespace platform {

class MenuBar : public MenuItem {
public:
    static constexpr const char* kClassName = "MenuBar";
    static constexpr std::string_view kTypeName = "MenuBar";

    // What choosing an item (or pressing its shortcut) does: it is handed the item's Name.
    using Command = std::function<void(const platform::Text& itemName)>;

    // A Qt menu bar of this bar's menus and items. The shortcuts work whatever window of
    // the program is in front.
    QMenuBar* makeQMenuBar(const Command& command) const;

    static std::vector<Operation> operations();
};

// "Cmd+C" as a key sequence (Command is Ctrl here); an empty or unreadable text gives an
// empty sequence.
QKeySequence shortcutFromText(const Text& shortcut);

} // namespace platform
