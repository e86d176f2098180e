#pragma once

// The content of a copy before it has its final name, inside the destination folder. It
// never stays behind under a name of its own: an unnamed file (O_TMPFILE) goes with its
// descriptor, and a hidden name is removed unless it has become the final name.

#include "files/Descriptor.h"
#include "files/FileCopy.h"

#include <sys/stat.h>

#include <string>

namespace platform {

class StagedFile {
public:
    explicit StagedFile(int dir) : dir_(dir) {}
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    bool ready() const { return ready_; }
    int fd() const { return file_.get(); }

    // Makes the file in the folder: unnamed where asked for and the file system has them,
    // else under a hidden name. 0, or the errno of the failure.
    int create(Staging staging);

    // Gives the finished content the source's times. A hidden file is closed here, where a
    // network file system may still report a write that failed. 0 or the errno.
    int finish(const struct stat& source);

    // Gives the content its final name without ever replacing an entry: 0, EEXIST when the
    // name is taken, or the errno of another failure.
    int publish(const std::string& name);

private:
    // How a hidden name becomes the final one; a file system that lacks one way makes the
    // file move on to the next.
    enum class Naming { Link, RenameNoReplace, Placeholder };

    int dir_;
    Descriptor file_;
    std::string hiddenName_;
    Naming naming_ = Naming::Link;
    bool ready_ = false;
};

} // namespace platform
