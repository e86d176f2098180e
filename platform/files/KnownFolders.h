#pragma once

// Folders the desktop gives a meaning to.

#include "files/FolderItem.h"

namespace platform {

// The user's Desktop folder, or the home folder where the desktop keeps none.
Ref<FolderItem> SpecialFolderDesktop();

// The running program's own executable file.
Ref<FolderItem> AppFolderItem();

} // namespace platform
