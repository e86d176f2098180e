#include "files/FolderItem.h"

#include "files/FileTypes.h"
#include "files/Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QString>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string lastName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string joined(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// A real name as colon paths spell it: its ":" become "/", which no real name holds.
std::string colonForm(std::string name)
{
    std::replace(name.begin(), name.end(), ':', '/');
    return name;
}

std::string realPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

bool inside(const std::string& path, const std::string& folder)
{
    return folder == "/" || path == folder || path.starts_with(folder + "/");
}

bool sameApartFromCase(const std::string& a, const std::string& b)
{
    return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}

// Reads a folder's entry names in the folder's own order. A folder that is missing, or a
// file, has none; any other failure (the disk went away, an I/O error, no access) throws
// rather than pass for an empty folder.
std::vector<std::string> readFolder(const std::string& path)
{
    std::vector<std::string> names;
    DIR* folder = ::opendir(path.c_str());
    if (!folder) {
        if (errno == ENOENT || errno == ENOTDIR)
            return names;
        throw IOException("The folder \"" + path + "\" could not be read", errno);
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(folder, &::closedir);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (!entry)
            break;
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    if (errno != 0)
        throw IOException("The folder \"" + path + "\" could not be read to its end", errno);
    return names;
}

} // namespace

Ref<FolderItem> FolderItem::make(std::string path, std::string volumeRoot, bool isVolumeRoot)
{
    const ClassRecord* record = ClassRegistry::instance().find(kClassName);
    Ref<FolderItem> item = record ? ObjectFactory<FolderItem>::make(*record)
                                  : Ref<FolderItem>(std::make_shared<FolderItem>());
    item->path_ = withoutTrailingSlashes(std::move(path));
    item->volumeRoot_ = withoutTrailingSlashes(std::move(volumeRoot));
    item->isVolumeRoot_ = isVolumeRoot;
    return item;
}

Ref<FolderItem> FolderItem::forNativePath(std::string path) { return make(std::move(path), {}, false); }

Ref<FolderItem> FolderItem::forVolumeRoot(std::string mountPoint)
{
    std::string root = withoutTrailingSlashes(std::move(mountPoint));
    return make(root, root, true);
}

// An item of the same volume as this one.
Ref<FolderItem> FolderItem::sibling(std::string path) const { return make(std::move(path), volumeRoot_, false); }

namespace {

// Whether the symbolic link at `path` may be followed: it leads somewhere on the volume
// mounted at `volumeRoot` (empty: the item belongs to no volume and is not kept to one).
// Every item of a volume is reached through folders that stayed on it, so only the item's
// own link can lead away. A link that leads nowhere is not followed either.
bool linkStaysOn(const std::string& path, const std::string& volumeRoot)
{
    if (volumeRoot.empty() || volumeRoot == "/")
        return true;
    const std::string target = realPath(path);
    const std::string root = realPath(volumeRoot);
    return !target.empty() && !root.empty() && inside(target, root);
}

// The status of what the path leads to: its own, or a followed link's target's; nothing
// for a missing item or a link that is not followed. One system call for all but links.
std::optional<struct stat> statusOf(const std::string& path, const std::string& volumeRoot)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    if (S_ISLNK(info.st_mode) && (!linkStaysOn(path, volumeRoot) || ::stat(path.c_str(), &info) != 0))
        return std::nullopt;
    return info;
}

std::optional<struct statx> statxOf(const std::string& path, bool followLink)
{
    struct statx info {};
    const int flags = followLink ? 0 : AT_SYMLINK_NOFOLLOW;
    if (::statx(AT_FDCWD, path.c_str(), flags, STATX_TYPE | STATX_BTIME | STATX_MTIME, &info) != 0)
        return std::nullopt;
    return info;
}

// The times of the item itself, or of a followed link's target; a link that leads nowhere
// has its own.
std::optional<struct statx> timesOf(const std::string& path, const std::string& volumeRoot)
{
    std::optional<struct statx> own = statxOf(path, false);
    if (own && S_ISLNK(own->stx_mode) && linkStaysOn(path, volumeRoot))
        if (std::optional<struct statx> target = statxOf(path, true))
            return target;
    return own;
}

} // namespace

bool FolderItem::staysOnVolume() const
{
    struct stat info {};
    if (::lstat(path_.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return true;
    return linkStaysOn(path_, volumeRoot_);
}

Text FolderItem::Name() const
{
    if (isVolumeRoot_ || path_ == "/")
        return volumeName(path_);
    return Text(colonForm(lastName(path_)));
}

Text FolderItem::AbsolutePath() const
{
    // An item that knows its volume says so; any other is on the volume mounted deepest
    // above it.
    std::string mountPoint = volumeRoot_;
    if (mountPoint.empty() || !inside(path_, mountPoint)) {
        mountPoint.assign(1, '/'); // (GCC 12 mistakes the assignment of "/" for an overlapping copy)
        for (const std::string& point : volumeMountPoints())
            if (inside(path_, point) && point.size() > mountPoint.size())
                mountPoint = point;
    }
    std::string colon = volumeName(mountPoint).bytes() + ":";
    const std::string rest = mountPoint == "/" ? path_ : path_.substr(mountPoint.size());
    std::size_t at = 0;
    while (at < rest.size()) {
        const std::size_t slash = rest.find('/', at);
        const std::size_t end = slash == std::string::npos ? rest.size() : slash;
        if (end > at)
            colon += colonForm(rest.substr(at, end - at)) + ":";
        at = end + 1;
    }
    if (path_ != mountPoint && !Directory())
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
    const std::optional<struct stat> info = statusOf(path_, volumeRoot_);
    return info && S_ISDIR(info->st_mode);
}

std::int64_t FolderItem::Length() const
{
    const std::optional<struct stat> info = statusOf(path_, volumeRoot_);
    return info && S_ISREG(info->st_mode) ? static_cast<std::int64_t>(info->st_size) : 0;
}

const std::vector<std::string>& FolderItem::entries() const
{
    if (!entries_)
        entries_ = staysOnVolume() ? readFolder(path_) : std::vector<std::string>();
    return *entries_;
}

std::int32_t FolderItem::Count() const
{
    entries_.reset();
    const std::size_t count = entries().size();
    return static_cast<std::int32_t>(std::min<std::size_t>(count, INT32_MAX));
}

Ref<FolderItem> FolderItem::Item(std::int32_t index) const
{
    const auto& names = entries();
    if (index < 1 || static_cast<std::size_t>(index) > names.size())
        return Ref<FolderItem>();
    return sibling(joined(path_, names[static_cast<std::size_t>(index - 1)]));
}

// The real name of this folder's entry that a colon-path name stands for, or empty when
// the name can stand for none.
std::string FolderItem::nativeChildName(const std::string& name) const
{
    std::string native = name;
    std::replace(native.begin(), native.end(), '/', ':');
    if (native.empty() || native == "." || native == ".." || native.find('\0') != std::string::npos)
        return {};
    struct stat info {};
    if (::lstat(joined(path_, native).c_str(), &info) == 0 || errno != ENOENT)
        return native;
    std::string match;
    for (const std::string& entry : readFolder(path_)) {
        if (!sameApartFromCase(entry, native))
            continue;
        if (!match.empty())
            return native; // more than one: none is the one meant
        match = entry;
    }
    return match.empty() ? native : match;
}

Ref<FolderItem> FolderItem::Child(const Text& name) const
{
    if (!Directory())
        return Ref<FolderItem>();
    const std::string native = nativeChildName(name.bytes());
    if (native.empty())
        return Ref<FolderItem>();
    return sibling(joined(path_, native));
}

Ref<FolderItem> FolderItem::Parent() const
{
    if (isVolumeRoot_ || path_ == "/")
        return Ref<FolderItem>();
    const std::size_t slash = path_.find_last_of('/');
    return sibling(slash == 0 ? std::string("/") : path_.substr(0, slash));
}

Date FolderItem::CreationDate() const
{
    const std::optional<struct statx> info = timesOf(path_, volumeRoot_);
    if (!info)
        throw NilObjectException("The creation date of \"" + path_ + "\"");
    return Date((info->stx_mask & STATX_BTIME) ? info->stx_btime.tv_sec : info->stx_mtime.tv_sec);
}

Date FolderItem::ModificationDate() const
{
    const std::optional<struct statx> info = timesOf(path_, volumeRoot_);
    if (!info)
        throw NilObjectException("The modification date of \"" + path_ + "\"");
    return Date(info->stx_mtime.tv_sec);
}

Text FolderItem::MacType() const
{
    struct stat own {};
    const bool exists = ::lstat(path_.c_str(), &own) == 0;
    const bool follow = !exists || !S_ISLNK(own.st_mode) || linkStaysOn(path_, volumeRoot_);
    if (exists && S_ISDIR(own.st_mode))
        return Text();
    if (exists && S_ISLNK(own.st_mode) && follow) {
        struct stat target {};
        if (::stat(path_.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
            return Text();
    }
    if (Text stored = storedFileType(path_, follow); !stored.empty())
        return stored;
    return fileTypeForName(lastName(path_));
}

Ref<FolderItem> GetFolderItem(const Text& path, std::int32_t)
{
    const std::string& colon = path.bytes();
    if (colon.find('\0') != std::string::npos)
        return Ref<FolderItem>();
    const std::size_t first = colon.find(':');
    const std::string volume = colon.substr(0, first);
    Ref<FolderItem> item;
    for (const std::string& point : volumeMountPoints())
        if (volumeName(point).bytes() == volume) {
            item = FolderItem::forVolumeRoot(point);
            break;
        }
    if (!item || first == std::string::npos)
        return item;
    // One ":" at the end marks a folder; every other ":" separates two names.
    std::string rest = colon.substr(first + 1);
    if (!rest.empty() && rest.back() == ':')
        rest.pop_back();
    if (rest.empty())
        return item;
    std::size_t at = 0;
    for (;;) {
        const std::size_t next = rest.find(':', at);
        const std::string name = rest.substr(at, next == std::string::npos ? std::string::npos : next - at);
        // Child gives nothing below an item that is not a folder.
        item = item->Child(Text(name));
        if (!item)
            return item;
        if (next == std::string::npos)
            break;
        at = next + 1;
    }
    return item;
}

} // namespace platform
