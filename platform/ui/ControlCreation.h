#pragma once

// How a window makes its controls from the rows of its control table: each control is
// made, constructed, registered under its name, given its picture where the row names
// one, configured from its description, and bound to the window's handlers by event name.

#include "description/DescriptionTable.h"
#include "ui/Window.h"

namespace platform {

// A new control of a framework class ("Listbox") owned by the window, made from the class
// record `recordName` (the class itself, or a generated subclass such as
// "Window1.Timer1"); not yet constructed.
Ref<Control> newControl(Window& window, std::string_view className, std::string_view recordName);

// Binds one event of a control to the window's method of that name.
void bindEvent(Window& window, std::string_view controlName, std::string_view event, std::string_view handler);

// Runs the whole creation sequence for one row; `description` is the row's encoded
// description and `beforeDescription`, when given, sets the row's picture.
void createControl(Window& window, const ControlTableRow& row, const Text& description,
                   const std::function<void(Control&)>& beforeDescription = {});

// Runs the creation sequence for every row of a control table, in its order;
// `descriptions` holds the rows' encoded descriptions.
void createControls(Window& window, const std::vector<ControlTableRow>& rows, const std::vector<Text>& descriptions);


// The encoded descriptions of a table's rows, in its order.
std::vector<Text> encodeControlTable(const std::vector<ControlTableRow>& rows);

// A window class's own description and its controls' descriptions, encoded from its tables
// (W::windowTable(), W::controlTable()) once for the class.
template <class W>
const Text& windowDescriptionOf()
{
    static const Text description = encodeWindowDescription(W::windowTable());
    return description;
}

template <class W>
const std::vector<Text>& controlDescriptionsOf()
{
    static const std::vector<Text> descriptions = encodeControlTable(W::controlTable());
    return descriptions;
}

} // namespace platform
