#include "files/FileTypes.h"

#include <sys/xattr.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

struct ExtensionType {
    std::string_view extension; // lower case, without the dot
    std::string_view type;      // four characters, blanks included
};

// The classic Mac OS types of the formats a music player carries.
constexpr std::array kTypesByExtension{
    ExtensionType{"mp3", "MPG3"},  // MPEG audio layer 3
    ExtensionType{"m4a", "M4A "},  // AAC (and Apple Lossless) audio
    ExtensionType{"m4p", "M4P "},  // protected AAC audio
    ExtensionType{"m4b", "M4B "},  // audiobook
    ExtensionType{"m4v", "M4V "},  // video
    ExtensionType{"mp4", "mpg4"},  // MPEG-4 audio or video
    ExtensionType{"mov", "MooV"},  // QuickTime movie
    ExtensionType{"wav", "WAVE"},  // waveform audio
    ExtensionType{"aif", "AIFF"},  // AIFF audio
    ExtensionType{"aiff", "AIFF"}, //
    ExtensionType{"aifc", "AIFC"}, // compressed AIFF audio
};

// The names under which drivers show a file's Finder information.
constexpr std::array<const char*, 2> kFinderInfoAttributes{"osx.com.apple.FinderInfo", "user.com.apple.FinderInfo"};

// A Finder information record is 32 bytes; a file's type is its first four.
constexpr std::size_t kFinderInfoSize = 32;

} // namespace

Text fileTypeForName(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return Text();
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ExtensionType& entry : kTypesByExtension)
        if (entry.extension == extension)
            return Text(entry.type);
    return Text();
}

Text fileTypeFromFinderInfo(const std::string& record)
{
    if (record.size() < 4)
        return Text();
    std::string type = record.substr(0, 4);
    if (std::all_of(type.begin(), type.end(), [](char c) { return c == '\0'; }))
        return Text();
    for (char& c : type)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            c = '?';
    return Text(type);
}

Text storedFileType(const std::string& path, bool followLink)
{
    // Most files carry no attributes at all: one call tells, before any is read.
    std::array<char, 1024> names{};
    const ssize_t listed = followLink ? ::listxattr(path.c_str(), names.data(), names.size())
                                      : ::llistxattr(path.c_str(), names.data(), names.size());
    if (listed == 0 || (listed < 0 && errno != ERANGE))
        return Text();
    const std::string_view list(names.data(), listed > 0 ? static_cast<std::size_t>(listed) : 0);
    std::array<char, kFinderInfoSize> record{};
    for (const char* attribute : kFinderInfoAttributes) {
        // A list too long for the buffer is not searched: every name is then asked for.
        if (listed > 0 && list.find(std::string_view(attribute, std::strlen(attribute) + 1)) == std::string_view::npos)
            continue;
        const ssize_t size = followLink ? ::getxattr(path.c_str(), attribute, record.data(), record.size())
                                        : ::lgetxattr(path.c_str(), attribute, record.data(), record.size());
        if (size >= 4)
            return fileTypeFromFinderInfo(std::string(record.data(), static_cast<std::size_t>(size)));
    }
    return Text();
}

} // namespace platform
