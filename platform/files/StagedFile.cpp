#include "files/StagedFile.h"

#include <fcntl.h>
#include <stdio.h> // renameat2
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {

bool procFdAvailable()
{
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

} // namespace

StagedFile::~StagedFile()
{
    file_.reset();
    if (!hiddenName_.empty())
        ::unlinkat(dir_, hiddenName_.c_str(), 0);
}

int StagedFile::create(Staging staging)
{
    if (staging == Staging::UnnamedFile && procFdAvailable()) {
        const int fd = ::openat(dir_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            file_.reset(fd);
            return 0;
        }
        // File systems without unnamed files answer with one of these.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOSYS)
            return errno;
    }
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".parvolin-%ld-%u-%lx.part", static_cast<long>(::getpid()), ++serial,
                      static_cast<unsigned long>(std::clock()) ^ static_cast<unsigned long>(std::time(nullptr)));
        const int fd = ::openat(dir_, name, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            file_.reset(fd);
            hiddenName_ = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int StagedFile::finish(const struct stat& source)
{
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::futimens(file_.get(), times) != 0)
        return errno;
    ready_ = true;
    return hiddenName_.empty() ? 0 : file_.close();
}

int StagedFile::publish(const std::string& name)
{
    if (hiddenName_.empty()) {
        // The way through /proc names an unnamed file without the privilege that linking
        // its descriptor directly (AT_EMPTY_PATH) asks for.
        char path[64];
        std::snprintf(path, sizeof path, "/proc/self/fd/%d", file_.get());
        return ::linkat(AT_FDCWD, path, dir_, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
    }
    for (;;) {
        if (naming_ == Naming::Link) {
            if (::linkat(dir_, hiddenName_.c_str(), dir_, name.c_str(), 0) == 0) {
                ::unlinkat(dir_, hiddenName_.c_str(), 0);
                hiddenName_.clear();
                return 0;
            }
            // FAT and its kind have no hard links.
            if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK)
                return errno;
            naming_ = Naming::RenameNoReplace;
        } else if (naming_ == Naming::RenameNoReplace) {
            if (::renameat2(dir_, hiddenName_.c_str(), dir_, name.c_str(), RENAME_NOREPLACE) == 0) {
                hiddenName_.clear();
                return 0;
            }
            if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                return errno;
            naming_ = Naming::Placeholder;
        } else {
            // A file system with neither: an empty file of our own takes the name first,
            // so that the renaming that follows replaces nothing but it.
            Descriptor placeholder(::openat(dir_, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0666));
            if (!placeholder.valid())
                return errno;
            placeholder.reset();
            if (::renameat(dir_, hiddenName_.c_str(), dir_, name.c_str()) != 0) {
                const int error = errno;
                ::unlinkat(dir_, name.c_str(), 0);
                return error;
            }
            hiddenName_.clear();
            return 0;
        }
    }
}

} // namespace platform
