#pragma once

// A reference to a file, a folder or a volume's root. The program addresses them by colon
// paths: the volume's name, then the names inside it, each followed by ":" for a folder
// ("Player:iPod_Control:Music:F00:"). A ":" inside a real file name shows as "/" in a colon
// path and in Name, and back, so every name round-trips through the paths the program
// builds by joining names.
//
// An item reached from a volume (Volume, GetFolderItem, and the Child, Item and Parent of
// such an item) stays on that volume: a symbolic link on it that leads elsewhere is not
// followed (it is neither a folder nor a file with contents), and the parent of the
// volume's root is nil.

#include "files/FileCopy.h"
#include "files/IOException.h"
#include "runtime/ClassRecord.h"
#include "runtime/Date.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class FolderItem : public Object {
public:
    static constexpr const char* kClassName = "FolderItem";
    static constexpr std::string_view kTypeName = "FolderItem";

    // An item for an absolute path of this system; the item need not exist. It belongs to
    // no particular volume, so it is not kept to one.
    static Ref<FolderItem> forNativePath(std::string path);
    // The root of the volume mounted at that point.
    static Ref<FolderItem> forVolumeRoot(std::string mountPoint);

    // The absolute path of this system ("/media/PLAYER/iPod_Control").
    const std::string& nativePath() const { return path_; }

    // The item's name as colon paths spell it (a ":" of the real name shows as "/"); a
    // volume's root bears the volume's name.
    Text Name() const;
    // The colon path; a folder's (and a volume root's) ends with ":".
    Text AbsolutePath() const;
    // True also for a symbolic link, wherever it leads.
    bool Exists() const;
    bool Directory() const;
    // The size in bytes of a file; 0 for a folder or a missing item.
    std::int64_t Length() const;

    // The number of entries of a folder (0 for a file or a missing item). Reads the folder
    // anew, once; Item then serves from what this call read, so the entries keep their
    // indices however often Item is asked. A folder that exists but cannot be read throws
    // IOException.
    std::int32_t Count() const;
    // The entry at a 1-based index, in the folder's own order; empty beyond the entries.
    Ref<FolderItem> Item(std::int32_t index) const;
    // The entry of that name (spelt as Name spells it), which need not exist. Where no
    // entry has exactly that name but one entry has it apart from letter case, that entry
    // (the disks of music players ignore case, the drivers that show them differ). Empty
    // when this item is not a folder, and for the names "", "." and "..".
    Ref<FolderItem> Child(const Text& name) const;
    // The enclosing folder; empty for the root of the file system and of a volume.
    Ref<FolderItem> Parent() const;

    // The birth time where the file system keeps one, else the last modification. An item
    // that does not exist has no dates: asking throws the nil-object exception.
    Date CreationDate() const;
    Date ModificationDate() const;
    // The four-character file type (files/FileTypes.h says where it comes from); empty
    // when there is none.
    Text MacType() const;

    // False for an item of a volume that is a symbolic link leading off that volume (or
    // nowhere). Such an item is not followed: it is no folder, has no length and no
    // entries, keeps its own dates and type, and is neither copied nor opened.
    bool staysOnVolume() const;

private:
    static Ref<FolderItem> make(std::string path, std::string volumeRoot, bool isVolumeRoot);

    Ref<FolderItem> sibling(std::string path) const;
    const std::vector<std::string>& entries() const;
    std::string nativeChildName(const std::string& name) const;

    std::string path_;
    // The mount point of the volume the item was reached from; empty when unknown.
    std::string volumeRoot_;
    bool isVolumeRoot_ = false;
    mutable std::optional<std::vector<std::string>> entries_;

public:
    // Copies this file or folder into `folder` under its own name, or the first free
    // numbered one; never overwrites, never leaves a partial file (files/FileCopy.h). A
    // link that leads off the item's volume, this one or one inside a folder, is not copied.
    CopyOutcome CopyFileTo(const FolderItem& folder) const;
    // Makes this folder; its parent must exist (files/FileCopy.h).
    FolderOutcome CreateAsFolder() const;
};

// The item for a colon path (path type 0, the only one the program uses): the first name
// is a volume's (the first mounted volume of that name), the rest are names inside it, as
// Child finds them. A missing last name gives an item that does not exist, and a last name
// that is a symbolic link leading off the volume gives the link, not followed. A missing
// folder before it, an unknown volume, an empty name, "." or "..", and a path that would
// leave its volume (also through a symbolic link to something below it) give an empty
// handle.
Ref<FolderItem> GetFolderItem(const Text& path, std::int32_t pathType = 0);

} // namespace platform
