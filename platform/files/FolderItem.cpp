#include "files/FolderItem.h"

#include "files/Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace platform {

namespace {

std::string lastName(const std::string& path)
{
    if (path == "/")
        return path;
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// A real name in a colon path: its ":" become "/", which no real name holds.
std::string colonForm(std::string name)
{
    std::replace(name.begin(), name.end(), ':', '/');
    return name;
}

bool statOf(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

} // namespace

Ref<FolderItem> FolderItem::forNativePath(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const ClassRecord* record = ClassRegistry::instance().find(kClassName);
    Ref<FolderItem> item = record ? ObjectFactory<FolderItem>::make(*record)
                                  : Ref<FolderItem>(std::make_shared<FolderItem>());
    item->path_ = std::move(path);
    return item;
}

Text FolderItem::Name() const
{
    // A volume's root is named after the volume.
    for (std::int32_t i = 0, n = VolumeCount(); i < n; ++i)
        if (const Ref<FolderItem> root = Volume(i); root && root->nativePath() == path_)
            return volumeName(path_);
    return Text(lastName(path_));
}

Text FolderItem::AbsolutePath() const
{
    // The volume is the one mounted deepest above the item.
    std::string mountPoint;
    for (std::int32_t i = 0, n = VolumeCount(); i < n; ++i) {
        const Ref<FolderItem> root = Volume(i);
        if (!root)
            continue;
        const std::string& point = root->nativePath();
        const bool above = point == "/" || path_ == point || path_.starts_with(point + "/");
        if (above && point.size() > mountPoint.size())
            mountPoint = point;
    }
    std::string colon = volumeName(mountPoint.empty() ? std::string("/") : mountPoint).bytes() + ":";
    std::string rest = path_.substr(std::min(path_.size(), mountPoint.size()));
    std::size_t at = 0;
    while (at < rest.size()) {
        const std::size_t slash = rest.find('/', at);
        const std::size_t end = slash == std::string::npos ? rest.size() : slash;
        if (end > at)
            colon += colonForm(rest.substr(at, end - at)) + ":";
        at = end + 1;
    }
    if (!Directory() && colon.back() == ':' && path_ != mountPoint)
        colon.pop_back();
    return Text(colon);
}

bool FolderItem::Exists() const
{
    struct stat info {};
    return ::lstat(path_.c_str(), &info) == 0;
}

bool FolderItem::Directory() const
{
    struct stat info {};
    return statOf(path_, info) && S_ISDIR(info.st_mode);
}

std::int64_t FolderItem::Length() const
{
    struct stat info {};
    return statOf(path_, info) && S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : 0;
}

const std::vector<std::string>& FolderItem::entries() const
{
    if (entries_)
        return *entries_;
    std::vector<std::string> names;
    if (DIR* folder = ::opendir(path_.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(folder);
    }
    entries_ = std::move(names);
    return *entries_;
}

std::int32_t FolderItem::Count() const
{
    entries_.reset();
    return static_cast<std::int32_t>(entries().size());
}

Ref<FolderItem> FolderItem::Item(std::int32_t index) const
{
    const auto& names = entries();
    if (index < 1 || static_cast<std::size_t>(index) > names.size())
        return Ref<FolderItem>();
    return forNativePath(joined(path_, names[static_cast<std::size_t>(index - 1)]));
}

Ref<FolderItem> FolderItem::Child(const Text& name) const
{
    if (!Directory())
        return Ref<FolderItem>();
    return forNativePath(joined(path_, name.bytes()));
}

Ref<FolderItem> FolderItem::Parent() const
{
    if (path_ == "/")
        return Ref<FolderItem>();
    const std::size_t slash = path_.find_last_of('/');
    return forNativePath(slash == 0 ? std::string("/") : path_.substr(0, slash));
}

Date FolderItem::CreationDate() const
{
    struct statx info {};
    if (::statx(AT_FDCWD, path_.c_str(), 0, STATX_BTIME | STATX_MTIME, &info) != 0)
        return Date();
    if (info.stx_mask & STATX_BTIME)
        return Date(info.stx_btime.tv_sec);
    return Date(info.stx_mtime.tv_sec);
}

Date FolderItem::ModificationDate() const
{
    struct stat info {};
    return statOf(path_, info) ? Date(info.st_mtim.tv_sec) : Date();
}

Text FolderItem::MacType() const { return Text(); }

Ref<FolderItem> GetFolderItem(const Text& path, std::int32_t)
{
    const std::string& colon = path.bytes();
    const std::size_t first = colon.find(':');
    const std::string volume = colon.substr(0, first);
    Ref<FolderItem> item;
    for (std::int32_t i = 0, n = VolumeCount(); i < n && !item; ++i)
        if (Ref<FolderItem> root = Volume(i); root && volumeName(root->nativePath()).bytes() == volume)
            item = root;
    if (!item || first == std::string::npos)
        return item;
    std::size_t at = first + 1;
    while (at < colon.size()) {
        const std::size_t next = colon.find(':', at);
        const std::size_t end = next == std::string::npos ? colon.size() : next;
        std::string name = colon.substr(at, end - at);
        std::replace(name.begin(), name.end(), '/', ':');
        if (name.empty() || name == "." || name == "..")
            return Ref<FolderItem>();
        if (!item->Directory())
            return Ref<FolderItem>();
        item = item->Child(Text(name));
        at = end + 1;
    }
    return item;
}

} // namespace platform
