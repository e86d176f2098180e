#include "files/FileCopy.h"

#include "files/CopyNames.h"
#include "files/FileContent.h"
#include "files/FolderItem.h"
#include "files/StagedFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Far more than any folder of songs needs; it only keeps a folder full of look-alikes from
// being searched for ever.
constexpr int kNameTries = 100000;

// Two modification times are the same when they differ by less than the coarsest step a
// common file system keeps: FAT stores times in steps of two seconds, so a copy on a FAT
// stick reads back up to two seconds off and must still count as already there.
constexpr long long kSameTimeWithin = 2'000'000'000;

constexpr const char* kLinkOffItsDisk = "a link that leads off its disk";

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string lastName(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string parentOf(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The troubles below are said in words that hold for every file they hit, without naming
// one, so that the files that failed alike can be told together.

std::string sourceTrouble(int error)
{
    switch (error) {
    case ENOENT:
        return "the file no longer exists";
    case EACCES:
    case EPERM:
        return "the file may not be read (permission denied)";
    case EIO:
        return "the file could not be read (input/output error)";
    case ENOTDIR:
        return "a part of the file's path is not a folder";
    case ELOOP:
        return "the file's path runs through too many links";
    case ENAMETOOLONG:
        return "the file's path is too long";
    default:
        return std::string("the file could not be read (") + std::strerror(error) + ")";
    }
}

std::string destinationTrouble(int error)
{
    switch (error) {
    case ENOSPC:
        return "the destination disk is full";
    case EDQUOT:
        return "the disk quota of the destination is used up";
    case EROFS:
        return "the destination disk is read-only";
    case EACCES:
    case EPERM:
        return "there is no permission to write in the destination folder";
    case ENOENT:
        return "the destination folder does not exist";
    case ENOTDIR:
        return "the destination is not a folder";
    case EFBIG:
        return "the file is too large for the destination disk";
    case ENAMETOOLONG:
        return "the file's name is too long for the destination disk";
    case EIO:
        return "the destination disk could not be written (input/output error)";
    default:
        return std::string("the destination could not be written (") + std::strerror(error) + ")";
    }
}

std::string refusedKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a named pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device, not a file";
    if (S_ISSOCK(mode))
        return "a socket, not a file";
    return "neither a file nor a folder";
}

CopyOutcome failure(const std::string& source, const std::string& folder, std::string trouble)
{
    std::string reason = "Could not copy " + quoted(source) + " into " + quoted(folder) + ": " + trouble + ".";
    return CopyOutcome{.status = CopyOutcome::Status::Failed,
                       .name = {},
                       .trouble = std::move(trouble),
                       .file = source,
                       .reason = std::move(reason)};
}

CopyOutcome copied(std::string name)
{
    return CopyOutcome{.status = CopyOutcome::Status::Copied, .name = std::move(name), .trouble = {}, .file = {}, .reason = {}};
}

CopyOutcome alreadyThere(std::string name)
{
    return CopyOutcome{
        .status = CopyOutcome::Status::AlreadyThere, .name = std::move(name), .trouble = {}, .file = {}, .reason = {}};
}

bool sameTime(const timespec& a, const timespec& b)
{
    const long long seconds = static_cast<long long>(a.tv_sec) - static_cast<long long>(b.tv_sec);
    if (seconds > 2 || seconds < -2)
        return false;
    const long long difference = seconds * 1'000'000'000 + (a.tv_nsec - b.tv_nsec);
    return difference > -kSameTimeWithin && difference < kSameTimeWithin;
}

// Opens a source for reading only. O_NOATIME keeps its access time as it was; the system
// grants that only to the file's owner, so without it the file is opened plainly.
// O_NONBLOCK keeps the open from waiting, should the entry have turned into a pipe since it
// was looked at.
int openForReading(int dir, const char* ref, int extra)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | extra;
    const int fd = ::openat(dir, ref, flags | O_NOATIME);
    if (fd >= 0 || errno != EPERM)
        return fd;
    return ::openat(dir, ref, flags);
}

using Identity = std::pair<dev_t, ino_t>;

Identity identityOf(const struct stat& info) { return {info.st_dev, info.st_ino}; }

// Whether `folder` is the open folder `dir` or one of the folders around it.
bool encloses(const Identity& folder, int dir)
{
    Descriptor current(::openat(dir, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat here {};
    while (current.valid() && ::fstat(current.get(), &here) == 0) {
        if (identityOf(here) == folder)
            return true;
        Descriptor up(::openat(current.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat above {};
        if (!up.valid() || ::fstat(up.get(), &above) != 0 || identityOf(above) == identityOf(here))
            return false;
        current = std::move(up);
    }
    return false;
}

// An open destination folder and its path, for the messages.
struct Place {
    int dir;
    const std::string& path;
};

class Copier {
public:
    Copier(Staging staging, const LinkFilter& mayFollow) : staging_(staging), mayFollow_(mayFollow) {}

    // Copies the entry `ref` (relative to `fromDir`, whose path is `sourcePath`) into
    // `into` under `name` or the first free numbered name.
    CopyOutcome copyEntry(int fromDir, const char* ref, const std::string& sourcePath, const std::string& name,
                          const Place& into)
    {
        if (name.empty() || name == "." || name == "..")
            return failure(sourcePath, into.path, "the source has no name of its own to copy under");
        // The entry itself first: a link is followed only where it may be, and only then.
        struct stat info {};
        if (::fstatat(fromDir, ref, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return failure(sourcePath, into.path, sourceTrouble(errno));
        if (S_ISLNK(info.st_mode)) {
            if (mayFollow_ && !mayFollow_(sourcePath))
                return failure(sourcePath, into.path, kLinkOffItsDisk);
            if (::fstatat(fromDir, ref, &info, 0) != 0)
                return failure(sourcePath, into.path, sourceTrouble(errno));
        }
        if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
            return failure(sourcePath, into.path, refusedKind(info.st_mode));
        const bool folder = S_ISDIR(info.st_mode);
        Descriptor source(openForReading(fromDir, ref, folder ? O_DIRECTORY : 0));
        if (!source.valid())
            return failure(sourcePath, into.path, sourceTrouble(errno));
        // What was opened counts, should the entry have changed since it was looked at.
        if (::fstat(source.get(), &info) != 0)
            return failure(sourcePath, into.path, sourceTrouble(errno));
        if (S_ISREG(info.st_mode))
            return copyFile(source, info, sourcePath, name, into);
        if (S_ISDIR(info.st_mode))
            return copyFolder(std::move(source), info, sourcePath, name, into);
        return failure(sourcePath, into.path, refusedKind(info.st_mode));
    }

private:
    CopyOutcome copyFile(const Descriptor& source, const struct stat& info, const std::string& sourcePath,
                         const std::string& name, const Place& into)
    {
        StagedFile staged(into.dir);
        int lookedAgainAt = 0;
        for (int n = 1; n <= kNameTries;) {
            const std::string candidate = numberedName(name, n, false);
            struct stat there {};
            if (::fstatat(into.dir, candidate.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0) {
                if (S_ISREG(there.st_mode) && there.st_size == info.st_size && sameTime(there.st_mtim, info.st_mtim))
                    return alreadyThere(candidate);
                ++n;
                continue;
            }
            if (errno != ENOENT)
                return failure(sourcePath, into.path, destinationTrouble(errno));
            if (!staged.ready()) {
                if (const int error = staged.create(staging_))
                    return failure(sourcePath, into.path, destinationTrouble(error));
                const ContentResult content = copyContent(source.get(), staged.fd(), info.st_size);
                if (content.error != 0)
                    return failure(sourcePath, into.path, content.side == ContentResult::Side::Source
                                                   ? sourceTrouble(content.error)
                                                   : destinationTrouble(content.error));
                if (const int error = staged.finish(info))
                    return failure(sourcePath, into.path, destinationTrouble(error));
            }
            const int error = staged.publish(candidate);
            if (error == 0)
                return copied(candidate);
            if (error != EEXIST)
                return failure(sourcePath, into.path, destinationTrouble(error));
            // The name was taken while the content was being copied: look at it once more,
            // it may hold this very file now.
            if (lookedAgainAt != n)
                lookedAgainAt = n;
            else
                ++n;
        }
        return failure(sourcePath, into.path, "no free name is left for it in the destination folder");
    }

    CopyOutcome copyFolder(Descriptor source, const struct stat& info, const std::string& sourcePath,
                           const std::string& name, const Place& into)
    {
        const Identity identity = identityOf(info);
        if (std::find(openFolders_.begin(), openFolders_.end(), identity) != openFolders_.end())
            return failure(sourcePath, into.path, "a folder that holds itself through a link");
        if (encloses(identity, into.dir))
            return failure(sourcePath, into.path, "the destination lies inside the folder");

        std::string target;
        bool made = false;
        int lookedAgainAt = 0;
        for (int n = 1; n <= kNameTries && target.empty();) {
            const std::string candidate = numberedName(name, n, true);
            struct stat there {};
            if (::fstatat(into.dir, candidate.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0) {
                if (S_ISDIR(there.st_mode))
                    target = candidate;
                ++n;
                continue;
            }
            if (errno != ENOENT)
                return failure(sourcePath, into.path, destinationTrouble(errno));
            if (::mkdirat(into.dir, candidate.c_str(), 0777) == 0) {
                target = candidate;
                made = true;
            } else if (errno != EEXIST) {
                return failure(sourcePath, into.path, destinationTrouble(errno));
            } else if (lookedAgainAt != n) {
                lookedAgainAt = n;
            } else {
                ++n;
            }
        }
        if (target.empty())
            return failure(sourcePath, into.path, "no free name is left for it in the destination folder");

        const Descriptor targetDir(::openat(into.dir, target.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!targetDir.valid())
            return failure(sourcePath, into.path, destinationTrouble(errno));
        const std::string targetPath = joined(into.path, target);
        DIR* listing = ::fdopendir(source.get());
        if (!listing)
            return failure(sourcePath, into.path, sourceTrouble(errno));
        source.release();

        openFolders_.push_back(identity);
        int failures = 0;
        CopyOutcome first;
        bool wrote = made;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(listing);
            if (!entry) {
                if (errno != 0 && failures++ == 0)
                    first = failure(sourcePath, into.path,
                                    "the folder's content could not be read (" + std::string(std::strerror(errno)) + ")");
                break;
            }
            const std::string entryName = entry->d_name;
            if (entryName == "." || entryName == "..")
                continue;
            CopyOutcome outcome = copyEntry(::dirfd(listing), entry->d_name, joined(sourcePath, entryName), entryName,
                                            Place{targetDir.get(), targetPath});
            wrote = wrote || outcome.status == CopyOutcome::Status::Copied;
            if (outcome.status == CopyOutcome::Status::Failed && failures++ == 0)
                first = std::move(outcome);
        }
        ::closedir(listing);
        openFolders_.pop_back();

        // A folder made here gets the source's times once its content, whose arrival
        // changed them, is in.
        if (made) {
            const timespec times[2] = {info.st_atim, info.st_mtim};
            ::utimensat(into.dir, target.c_str(), times, AT_SYMLINK_NOFOLLOW);
        }
        // The folder failed as its first entry that failed did, and says how many followed.
        if (failures > 0) {
            CopyOutcome outcome = std::move(first);
            outcome.name = target;
            if (failures > 1)
                outcome.reason.append(" ")
                    .append(std::to_string(failures - 1))
                    .append(failures == 2 ? " more entry of " : " more entries of ")
                    .append(quoted(sourcePath))
                    .append(" could not be copied either.");
            return outcome;
        }
        return wrote ? copied(target) : alreadyThere(target);
    }

    Staging staging_;
    const LinkFilter& mayFollow_;
    // The folders being copied, outermost first: a link back to one of them would never end.
    std::vector<Identity> openFolders_;
};

std::string folderTrouble(int error)
{
    if (error == EACCES || error == EPERM)
        return "there is no permission to use the destination folder";
    return destinationTrouble(error);
}

} // namespace

CopyOutcome copyIntoFolder(const std::string& source, const std::string& folder, Staging staging, const LinkFilter& mayFollow)
{
    const Descriptor into(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!into.valid())
        return failure(source, folder, folderTrouble(errno));
    return Copier(staging, mayFollow).copyEntry(AT_FDCWD, source.c_str(), source, lastName(source), Place{into.get(), folder});
}

FolderOutcome createFolder(const std::string& path)
{
    const auto failed = [&](const std::string& why) {
        return FolderOutcome{.status = FolderOutcome::Status::Failed,
                             .reason = "Could not create the folder " + quoted(path) + ": " + why + "."};
    };
    if (path.empty())
        return failed("no path was given");
    if (::mkdir(path.c_str(), 0777) == 0)
        return FolderOutcome{.status = FolderOutcome::Status::Created, .reason = {}};
    const int error = errno;
    switch (error) {
    case EEXIST: {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return FolderOutcome{.status = FolderOutcome::Status::AlreadyThere, .reason = {}};
        return failed("a file of that name is in the way");
    }
    case ENOENT:
        return failed("the folder that should hold it, " + quoted(parentOf(path)) + ", does not exist");
    case ENOTDIR:
        return failed("a part of its path is a file, not a folder");
    case EROFS:
        return failed("the disk is read-only");
    case EACCES:
    case EPERM:
        return failed("there is no permission to create it in " + quoted(parentOf(path)));
    case ENOSPC:
        return failed("the disk is full");
    case EDQUOT:
        return failed("the disk quota is used up");
    case ENAMETOOLONG:
        return failed("its name is too long");
    default:
        return failed(std::strerror(error));
    }
}

CopyOutcome FolderItem::CopyFileTo(const FolderItem& folder) const
{
    // An entry of a player that is a link leading off the player is not read, nor is one
    // met inside a folder: what it points at is not the player's to give.
    if (!staysOnVolume())
        return failure(nativePath(), folder.nativePath(), kLinkOffItsDisk);
    return copyIntoFolder(nativePath(), folder.nativePath(), Staging::UnnamedFile,
                          [this](const std::string& link) { return sibling(link)->staysOnVolume(); });
}

FolderOutcome FolderItem::CreateAsFolder() const { return createFolder(nativePath()); }

} // namespace platform
