#pragma once

// The framework's control classes, and their class records.

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

namespace platform {

// Declares the class records of every control class (Control, RectControl and each
// concrete control), and of the pictures they show, with their operations.
void declareControlClasses();
// Builds them, superclasses first.
void buildControlClasses();

} // namespace platform
