#include "files/Volumes.h"

#include <fstream>
#include <sstream>

namespace platform {

namespace {

// The mount points of the kernel's mount table that a user sees: the root, then the disks
// mounted under the desktop's usual places.
std::vector<std::string> mountedFromKernel()
{
    std::vector<std::string> points{"/"};
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        if (point.starts_with("/media/") || point.starts_with("/run/media/") || point.starts_with("/mnt/"))
            points.push_back(point);
    }
    return points;
}

VolumeSource& source()
{
    static VolumeSource current = mountedFromKernel;
    return current;
}

} // namespace

VolumeSource setVolumeSource(VolumeSource replacement)
{
    VolumeSource previous = std::move(source());
    source() = replacement ? std::move(replacement) : VolumeSource(mountedFromKernel);
    return previous;
}

std::int32_t VolumeCount() { return static_cast<std::int32_t>(source()().size()); }

Ref<FolderItem> Volume(std::int32_t index)
{
    const std::vector<std::string> points = source()();
    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
        return Ref<FolderItem>();
    return FolderItem::forNativePath(points[static_cast<std::size_t>(index)]);
}

Text volumeName(const std::string& mountPoint)
{
    // The root of the file system has no name of its own.
    if (mountPoint == "/")
        return Text("Computer");
    return Text(mountPoint.substr(mountPoint.find_last_of('/') + 1));
}

} // namespace platform
