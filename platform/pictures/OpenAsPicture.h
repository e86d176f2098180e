#pragma once

// Reading a picture from a file.

#include "files/FolderItem.h"
#include "pictures/Picture.h"

namespace platform {

// The file read as a picture: PNG, GIF, JPEG or any other format Qt's image readers know,
// recognised by the file's content rather than its name. An empty handle when the file is
// missing, is a folder, is a link that leads off its disk, or cannot be read as a picture;
// nothing is reported.
Ref<Picture> OpenAsPicture(const FolderItem& file);

} // namespace platform
