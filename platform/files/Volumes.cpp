#include "files/Volumes.h"

#include "files/MountTable.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

VolumeSource& source()
{
    static VolumeSource current = mountedVolumesFromKernel;
    return current;
}

} // namespace

// The program resolves a path, and so asks for the volumes, for every file it lists or
// copies, while the kernel's mount table changes seldom. The table is read again only when
// the kernel says it changed: a poll on the open table reports each change once.
class KernelMountTable {
public:
    KernelMountTable() : fd_(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {}
    ~KernelMountTable()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    KernelMountTable(const KernelMountTable&) = delete;
    KernelMountTable& operator=(const KernelMountTable&) = delete;

    const std::vector<std::string>& volumes()
    {
        if (fd_ < 0) {
            // Without the open table there is no word of changes: read it every time.
            std::ifstream table("/proc/self/mountinfo");
            volumes_ = userVolumes(parseMountInfo(table));
            return volumes_;
        }
        pollfd change{fd_, POLLPRI, 0};
        const bool changed = ::poll(&change, 1, 0) > 0 && (change.revents & (POLLPRI | POLLERR));
        if (changed || !read_) {
            std::istringstream table(contents());
            volumes_ = userVolumes(parseMountInfo(table));
            read_ = true;
        }
        return volumes_;
    }

private:
    std::string contents() const
    {
        std::string text;
        char buffer[16384];
        ::lseek(fd_, 0, SEEK_SET);
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
        return text;
    }

    int fd_;
    bool read_ = false;
    std::vector<std::string> volumes_;
};

std::vector<std::string> mountedVolumesFromKernel()
{
    static KernelMountTable table;
    return table.volumes();
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
