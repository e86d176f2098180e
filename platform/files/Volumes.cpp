#include "files/Volumes.h"

#include "files/MountTable.h"

#include <algorithm>
#include <fstream>

namespace platform {

namespace {

VolumeSource& source()
{
    static VolumeSource current = mountedVolumesFromKernel;
    return current;
}

} // namespace

std::vector<std::string> mountedVolumesFromKernel()
{
    std::ifstream table("/proc/self/mountinfo");
    return userVolumes(parseMountInfo(table));
}

VolumeSource setVolumeSource(VolumeSource replacement)
{
    VolumeSource previous = std::move(source());
    source() = replacement ? std::move(replacement) : VolumeSource(mountedVolumesFromKernel);
    return previous;
}

std::vector<std::string> volumeMountPoints()
{
    std::vector<std::string> points = source()();
    for (std::string& point : points)
        while (point.size() > 1 && point.back() == '/')
            point.pop_back();
    return points;
}

std::int32_t VolumeCount() { return static_cast<std::int32_t>(volumeMountPoints().size()); }

Ref<FolderItem> Volume(std::int32_t index)
{
    const std::vector<std::string> points = volumeMountPoints();
    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
        return Ref<FolderItem>();
    return FolderItem::forVolumeRoot(points[static_cast<std::size_t>(index)]);
}

Text volumeName(const std::string& mountPoint)
{
    // The root of the file system has no name of its own; the desktop calls it so.
    if (mountPoint == "/")
        return Text("Computer");
    std::string name = mountPoint.substr(mountPoint.find_last_of('/') + 1);
    std::replace(name.begin(), name.end(), ':', '/');
    return Text(name);
}

} // namespace platform
