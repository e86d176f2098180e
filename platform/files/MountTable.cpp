#include "files/MountTable.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>

namespace platform {

namespace {

// The kernel writes a blank, a tab, a line feed and a backslash in a path as a backslash
// and three octal digits.
std::string unescaped(const std::string& field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// File systems that hold no user's files: the kernel's views of itself, and FUSE services
// of the desktop.
constexpr std::array<std::string_view, 27> kPseudoTypes{
    "proc",        "sysfs",      "devtmpfs",    "devpts",     "cgroup",           "cgroup2",
    "securityfs",  "debugfs",    "tracefs",     "configfs",   "fusectl",          "mqueue",
    "hugetlbfs",   "pstore",     "bpf",         "autofs",     "binfmt_misc",      "efivarfs",
    "nsfs",        "rpc_pipefs", "selinuxfs",   "functionfs", "fuse.gvfsd-fuse",  "fuse.portal",
    "fuse.lxcfs",  "nfsd",       "fuse.xdg-document-portal",
};

// The number of names in a path below a folder: 1 for "/media/A" below "/media".
std::size_t depthBelow(std::string_view path, std::string_view folder)
{
    if (!path.starts_with(folder) || path.size() <= folder.size() + 1 || path[folder.size()] != '/')
        return 0;
    const std::string_view rest = path.substr(folder.size() + 1);
    if (rest.back() == '/')
        return 0;
    return static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '/')) + 1;
}

bool under(const std::string& path, const std::string& folder) { return path.starts_with(folder + "/"); }

} // namespace

std::vector<Mount> parseMountInfo(std::istream& table)
{
    // "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue":
    // the mount point is the fifth field; the type follows the "-" that ends the
    // optional fields.
    std::vector<Mount> mounts;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point, options, field;
        if (!(fields >> id >> parent >> device >> root >> point >> options))
            continue;
        while (fields >> field && field != "-") {
        }
        std::string type;
        if (field != "-" || !(fields >> type))
            continue;
        mounts.push_back(Mount{unescaped(point), unescaped(type)});
    }
    return mounts;
}

bool isUserVolume(const Mount& mount)
{
    if (std::find(kPseudoTypes.begin(), kPseudoTypes.end(), mount.type) != kPseudoTypes.end())
        return false;
    const std::string_view point = mount.mountPoint;
    return depthBelow(point, "/media") == 1 || depthBelow(point, "/media") == 2 || depthBelow(point, "/mnt") == 1 ||
           depthBelow(point, "/run/media") == 2;
}

std::vector<std::string> userVolumes(const std::vector<Mount>& mounts)
{
    std::vector<std::string> points;
    for (const Mount& mount : mounts) {
        // A later mount hides what was mounted at its place or below it (the root's own
        // line hides nothing: the root is mounted first, whatever the table's order).
        if (mount.mountPoint != "/")
            points.erase(std::remove_if(points.begin(), points.end(),
                                    [&](const std::string& p) { return p == mount.mountPoint || under(p, mount.mountPoint); }),
                     points.end());
        if (isUserVolume(mount))
            points.push_back(mount.mountPoint);
    }
    points.insert(points.begin(), "/");
    return points;
}

} // namespace platform
