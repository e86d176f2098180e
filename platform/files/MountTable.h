#pragma once

// Reading the kernel's mount table (/proc/self/mountinfo) for the volumes a user sees.

#include <istream>
#include <string>
#include <vector>

namespace platform {

struct Mount {
    std::string mountPoint; // with the table's octal escapes (\040 for a blank) undone
    std::string type;       // "vfat", "fuseblk", "fuse.exfat", "tmpfs", ...
};

// Every mount of a mountinfo table, in the table's (mount) order; lines it cannot read are
// left out.
std::vector<Mount> parseMountInfo(std::istream& table);

// A disk the desktop mounted where users find their disks: one name below /media or /mnt,
// or below /media/USER or /run/media/USER. Pseudo file systems never count; a memory file
// system (tmpfs) and FUSE-mounted disks (fuseblk, fuse.*) do.
bool isUserVolume(const Mount& mount);

// The mount points of the volumes a user sees: "/" first, then the user volumes of the
// table in mount order. A mount point mounted again, or hidden by a later mount above it,
// counts once, at the place of the mount that is seen.
std::vector<std::string> userVolumes(const std::vector<Mount>& mounts);

} // namespace platform
