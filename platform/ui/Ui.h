#pragma once

// Windows and their controls: implicit window instances, descriptions applied to windows
// and controls, events bound to the window's methods by name, menu commands, and the
// desktop's URL opener and the keyboard's state.

#include "ui/ControlCreation.h"
#include "ui/ControlMembers.h"
#include "ui/Controls.h"
#include "ui/Keyboard.h"
#include "ui/MenuCommands.h"
#include "ui/ShowURL.h"
#include "ui/Window.h"
