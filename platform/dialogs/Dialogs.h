#pragma once

// Modal dialogs: messages and questions, and the chooser of a folder.

#include "dialogs/MsgBox.h"
#include "dialogs/SelectFolderDialog.h"
