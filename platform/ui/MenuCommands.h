#pragma once

// Where a menu command goes once the user has chosen an item or pressed its shortcut.

#include "runtime/Text.h"
#include "ui/Window.h"

namespace platform {

// Sends a menu command: first to the window-level handler of the window that carries the
// menu bar, then to the application-level handler. An item without a handler whose
// shortcut is the desktop's Copy key copies the selection of the focused text field, as
// every desktop program does. True when something handled the command.
bool dispatchMenuCommand(const Text& itemName, const Ref<Window>& window);

} // namespace platform
