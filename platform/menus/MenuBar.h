#pragma once

// A menu bar: its children are the menus, their children the items. Set on a window, it
// becomes that window's Qt menu bar; choosing an item sends its Name as a menu command.

#include "platform/menus/MenuItem.h"

#include <QKeySequence>

namespace platform {

class Window;

class MenuBar : public MenuItem {
public:
    static constexpr const char* kClassName = "MenuBar";
    static constexpr std::string_view kTypeName = "MenuBar";

    // Builds the Qt menus of this bar on the window.
    void installOn(Window& window);

    static std::vector<Operation> operations();
};

// "Cmd+C" as a key sequence (Command is Ctrl here); an empty or unreadable text gives an
// empty sequence.
QKeySequence shortcutFromText(const Text& shortcut);

// Sends a menu command: first to the window-level handler of the window that carries the
// menu bar, then to the application-level handler; "EditCopy" without a handler copies the
// selection of the focused text field. True when something handled it.
bool dispatchMenuCommand(const Text& itemName, const Ref<Window>& window);

} // namespace platform
