#pragma once

// Four-character file types. This desktop keeps none of its own, so a file's type is, in
// this order:
// 1. the type stored with the file, where the file system offers one: the Finder
//    information of a Mac-formatted disk, as the driver shows it in an extended attribute
//    ("osx.com.apple.FinderInfo" from Linux's HFS+ driver, "user.com.apple.FinderInfo"
//    where a copy kept it);
// 2. else the classic type of its audio or video format, by the name's extension (the table
//    in FileTypes.cpp);
// 3. else none (the empty text).

#include "runtime/Text.h"

#include <string>

namespace platform {

// The type for a file of that name by its extension, letter case ignored; empty for an
// extension the table does not hold.
Text fileTypeForName(const std::string& name);

// The type held in the first four bytes of a Finder information record; empty when those
// bytes are zero or the record is shorter. Bytes outside printable ASCII show as "?".
Text fileTypeFromFinderInfo(const std::string& record);

// The type stored with the file at that path, empty when none is; `followLink` false
// reads a symbolic link's own attributes.
Text storedFileType(const std::string& path, bool followLink);

} // namespace platform
