#pragma once

// A reference to a file, a folder or a volume's root. The program addresses them by colon
// paths: the volume's name, then the names inside it, each followed by ":" for a folder
// ("Player:iPod_Control:Music:F00:"). A ":" inside a real file name shows as "/" in a colon
// path, and back, so every name round-trips.

#include "files/FileCopy.h"
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

    // An item for an absolute path of this system; the item need not exist.
    static Ref<FolderItem> forNativePath(std::string path);

    // The absolute path of this system ("/media/PLAYER/iPod_Control").
    const std::string& nativePath() const { return path_; }

    // The item's own name, as the file system spells it.
    Text Name() const;
    // The colon path; a folder's (and a volume root's) ends with ":".
    Text AbsolutePath() const;
    bool Exists() const;
    bool Directory() const;
    // The size in bytes of a file; 0 for a folder or a missing item.
    std::int64_t Length() const;

    // The number of entries of a folder (0 for a file or a missing item). Reads the folder
    // anew; Item then serves from what this call read.
    std::int32_t Count() const;
    // The entry at a 1-based index, in the folder's own order; empty beyond the entries.
    Ref<FolderItem> Item(std::int32_t index) const;
    // The entry of that name, which need not exist; empty when this item is not a folder.
    Ref<FolderItem> Child(const Text& name) const;
    // The enclosing folder; empty for the root of the file system.
    Ref<FolderItem> Parent() const;

    Date CreationDate() const;
    Date ModificationDate() const;
    // The four-character file type; empty when there is none.
    Text MacType() const;

private:
    const std::vector<std::string>& entries() const;

    std::string path_;
    mutable std::optional<std::vector<std::string>> entries_;

public:
    // Copies this file or folder into `folder` under its own name, or the first free
    // numbered one; never overwrites, never leaves a partial file (files/FileCopy.h).
    CopyOutcome CopyFileTo(const FolderItem& folder) const;
    // Makes this folder; its parent must exist (files/FileCopy.h).
    FolderOutcome CreateAsFolder() const;
};

// The item for a colon path (path type 0, the only one the program uses): the first name
// is a volume's, the rest are names inside it. A missing last name gives an item that does
// not exist; a missing folder before it, an unknown volume, or a path that would leave its
// volume gives an empty handle.
Ref<FolderItem> GetFolderItem(const Text& path, std::int32_t pathType = 0);

} // namespace platform
