#pragma once

// The seven pictures of the About and help windows. Each accessor loads its file by name
// from the Resources folder the first time it is asked, and hands out that same picture
// for the rest of the process. While a picture cannot be loaded (the Resources folder or
// the file is missing, or the file is no picture) the accessor gives an empty handle, and
// every later call tries the whole load again; nothing is reported.

#include "files/Files.h"
#include "pictures/Pictures.h"

#include <functional>

namespace parvolin {

platform::Ref<platform::Picture> paypal();  // "paypal.gif": the donation button's icon
platform::Ref<platform::Picture> logo317(); // "logo317.png": the About window's logo
platform::Ref<platform::Picture> mulb();    // "mulb.png": the logo under the pointer
platform::Ref<platform::Picture> info0();   // "info0.png": help, the "Copy to:" row
platform::Ref<platform::Picture> info1();   // "info1.png": help, a selection of files
platform::Ref<platform::Picture> info3();   // "info3.png": help, the Copy button
platform::Ref<platform::Picture> info4();   // "info4.png": help, the Copy All button

// The folder "Resources" beside the folder that holds the executable (the parent of the
// executable's folder, then its child "Resources"), looked up anew at every call; an empty
// handle when there is no such folder. An executable without two folders above it raises
// the nil-object exception.
platform::Ref<platform::FolderItem> GetApplicationBundleResources();

// Tests only: where the executable is taken to be (the running one unless a test says
// otherwise; an empty function restores that); returns the getter it replaces.
using AppFolderItemGetter = std::function<platform::Ref<platform::FolderItem>()>;
AppFolderItemGetter setAppFolderItemGetterForTesting(AppFolderItemGetter getter);
// Tests only: every accessor behaves as on its first call again.
void forgetPicturesForTesting();

} // namespace parvolin
