#pragma once

// The framework's control classes: one list gives their class records, the description
// layouts of the classes that windows make controls of, and how such a control is made.

#include "runtime/ClassRecord.h"
#include "ui/BevelButton.h"
#include "ui/Canvas.h"
#include "ui/EditField.h"
#include "ui/Listbox.h"
#include "ui/PopupMenu.h"
#include "ui/ProgressBar.h"
#include "ui/PushButton.h"
#include "ui/Rectangle.h"
#include "ui/StaticText.h"
#include "ui/Timer.h"

#include <span>

namespace platform {

struct ControlClass {
    const char* name;
    const char* superclass;
    std::vector<Operation> (*operations)(); // null: none of its own
    // For a class that windows make controls of: its description keys, and a new control
    // of it made from the class record `recordName` (the class or a generated subclass).
    const PropertyTable& (*properties)();
    Ref<Control> (*make)(Window& window, std::string_view recordName);
};

// Every control class, each superclass before its subclasses.
std::span<const ControlClass> controlClasses();
// The class of that name that windows make controls of, or null.
const ControlClass* findControlClass(std::string_view name);

// Declares the class records of every control class (Control, RectControl and each
// concrete control), and of the pictures they show, with their operations; registers the
// description layout of each class that controls are made of.
void declareControlClasses();
// Builds them, superclasses first.
void buildControlClasses();

} // namespace platform
