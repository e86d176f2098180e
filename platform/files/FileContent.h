#pragma once

// Moving the bytes of one open file into another. The kernel copies them itself where it
// can (copy_file_range, then sendfile), so they never pass through this process; a plain
// read and write loop is the last resort.

#include <cstddef>
#include <cstdint>

namespace platform {

enum class ContentMethod { CopyRange, SendFile, ReadWrite };

// Large chunks keep the number of system calls per file small: a song of a few MiB goes
// in one call. The buffer of the read and write loop is only made when that loop runs.
inline constexpr std::size_t kKernelCopyChunk = std::size_t{8} << 20;
inline constexpr std::size_t kBufferChunk = std::size_t{256} << 10;

struct ContentResult {
    enum class Side { None, Source, Destination };
    // 0 when every byte arrived; otherwise the errno of the failure and the side it came from.
    int error = 0;
    Side side = Side::None;
    std::int64_t bytes = 0;
};

// Copies everything `from` holds, from its start, to `to` from its start, until the end of
// `from`. `sizeHint` is the size the source reported; a file that reports 0 is read to
// its end all the same, since some file systems report no size for files that have
// content. `first` is where the copy starts; it moves on to the next method when a file
// system does not offer one.
ContentResult copyContent(int from, int to, std::int64_t sizeHint, ContentMethod first = ContentMethod::CopyRange);

} // namespace platform
