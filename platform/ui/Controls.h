#pragma once

// The framework's control classes, and their class records.

#include "platform/ui/BevelButton.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/EditField.h"
#include "platform/ui/Listbox.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/ProgressBar.h"
#include "platform/ui/PushButton.h"
#include "platform/ui/Rectangle.h"
#include "platform/ui/StaticText.h"
#include "platform/ui/Timer.h"

namespace platform {

// Declares the class records of every control class (Control, RectControl and each
// concrete control), and of the pictures they show, with their operations.
void declareControlClasses();
// Builds them, superclasses first.
void buildControlClasses();

} // namespace platform
