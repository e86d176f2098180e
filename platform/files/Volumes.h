#pragma once

// The mounted volumes a user sees, read afresh from the kernel's mount table at every
// call: index 0 is the root of the file system ("Computer"), then the disks the desktop
// mounts for users (under /media, /media/USER, /run/media/USER and /mnt; FUSE-mounted
// disks among them), in mount order. files/MountTable.h says which mounts count.

#include "files/FolderItem.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

std::int32_t VolumeCount();
// The root folder of the volume with that 0-based index; empty beyond the last.
Ref<FolderItem> Volume(std::int32_t index);

// The mount points of every volume, root first, read once.
std::vector<std::string> volumeMountPoints();

// The name the program sees for a volume mounted at that point: the mount point's last
// name, spelt as colon paths spell names; the root of the file system is "Computer".
Text volumeName(const std::string& mountPoint);

// Where the list of mount points comes from (root first). The default reads the kernel's
// mount table; tests put a list of their own folders in its place. An empty source puts
// the default back. Returns the source it replaces.
using VolumeSource = std::function<std::vector<std::string>()>;
VolumeSource setVolumeSource(VolumeSource source);

// The default source: the volumes of this process's mount table.
std::vector<std::string> mountedVolumesFromKernel();

} // namespace platform
