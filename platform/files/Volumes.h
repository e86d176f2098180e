#pragma once

// The mounted volumes a user sees, in the kernel's mount order; index 0 is the root of the
// file system.

#include "files/FolderItem.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Read afresh at every call.
std::int32_t VolumeCount();
// The root folder of the volume with that 0-based index; empty beyond the last.
Ref<FolderItem> Volume(std::int32_t index);

// The name the program sees for a volume mounted at that point.
Text volumeName(const std::string& mountPoint);

// Where the list of mount points comes from (root first). The default reads the kernel's
// mount table; tests put a list of their own folders in its place.
using VolumeSource = std::function<std::vector<std::string>()>;
VolumeSource setVolumeSource(VolumeSource source);

} // namespace platform
