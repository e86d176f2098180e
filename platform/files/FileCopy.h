#pragma once

// Copying a file or a folder into a folder, the way a careful copy tool does it.
//
// - The source is only read: it is opened read-only, without touching its access time
//   where the system allows, and nothing next to it is created, renamed or changed.
// - The content first goes into a temporary file inside the destination folder (an
//   unnamed one where the file system has them, else a hidden name) and then gets its
//   final name in one step that never replaces anything. A final name never holds a
//   partial file, a failure leaves nothing behind, and nothing is ever overwritten. The
//   copy keeps the source's modification time. It is not forced to the disk: the system
//   writes it out in its own time, as for any other copy.
// - Copies from many folders meet in one destination, so the name can be taken there.
//   The copy tries "NAME.ext", "NAME 2.ext", "NAME 3.ext" and so on (files/CopyNames.h).
//   A name that holds a file of the same size and modification time means this file is
//   already there: nothing is written, and copying a whole set again resumes it. Any
//   other entry under a name is left alone and the next name is tried.
// - A folder is copied with its content, entry by entry, under the same rules. A name that
//   holds a folder takes the content in; one that holds a file is passed over like a
//   file's. A failure inside a folder does not stop the rest of it; the entries finished
//   before stay, as the files of an interrupted copy do.
// - A named pipe, a device or a socket is refused without being opened, so a copy never
//   waits on one.

#include <functional>
#include <string>

namespace platform {

struct CopyOutcome {
    enum class Status { Copied, AlreadyThere, Failed };
    Status status = Status::Failed;
    // The name the copy has in the destination folder (Copied and AlreadyThere).
    std::string name;
    // Why the copy failed (Failed): the kind of trouble, in words that hold for every file
    // it hits ("the destination disk is full"), and the file it hit (for a folder, the
    // first of its entries that failed), so that files that failed alike can be told
    // together.
    std::string trouble;
    std::string file;
    // The same as one sentence: Could not copy "FILE" into "FOLDER": TROUBLE.
    std::string reason;

    bool succeeded() const { return status != Status::Failed; }
};

struct FolderOutcome {
    enum class Status { Created, AlreadyThere, Failed };
    Status status = Status::Failed;
    // Why the folder could not be made, in plain words that name it (Failed).
    std::string reason;

    bool succeeded() const { return status != Status::Failed; }
};

// Where the copy waits for its name. Tests choose the hidden name to prove the road that
// file systems without unnamed files take.
enum class Staging { UnnamedFile, HiddenName };

// Whether the symbolic link at a path met inside a copied folder may be followed.
using LinkFilter = std::function<bool(const std::string& link)>;

// Copies the file or folder at the absolute path `source` into the folder `folder`, under
// the source's own name or the first free numbered one. A link refused by `mayFollow` (when
// given) is not copied: "a link that leads off its disk".
CopyOutcome copyIntoFolder(const std::string& source, const std::string& folder, Staging staging = Staging::UnnamedFile,
                           const LinkFilter& mayFollow = {});

// Makes the folder at `path`. Only the last folder is made: when the folder that should
// hold it is missing, that is reported rather than made, since a missing parent usually
// means a disk that is not mounted, whose folders must not reappear on another disk. A
// folder that is already there is a success.
FolderOutcome createFolder(const std::string& path);

} // namespace platform
