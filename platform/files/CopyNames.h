#pragma once

// The names a copy may take in its destination folder. Copies from many folders meet in
// one, so a name can already be taken there: the copy then tries "NAME 2.ext",
// "NAME 3.ext" and so on until it finds a free name.

#include <string>
#include <string_view>

namespace platform {

// The name of the n-th try for an entry (n counts from 1; the first try is the name
// itself). The number goes before a file's extension, the part from its last dot on; a
// name whose only dot leads it (".profile") or ends it ("song.") has no extension, and
// neither has a folder ("Live.2004" becomes "Live.2004 2"). A name that would outgrow the
// 255 bytes a file system allows loses bytes from the end of its stem, never in the middle
// of a character.
std::string numberedName(std::string_view name, int n, bool folder);

} // namespace platform
