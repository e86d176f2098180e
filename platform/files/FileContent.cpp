#include "files/FileContent.h"

#include <sys/sendfile.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace platform {

namespace {

// Failures that can only come from the side being written; anything else that a kernel
// copy reports is left to the next method, which tells reading and writing apart.
bool destinationFailure(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS;
}

ContentResult failed(int error, ContentResult::Side side, std::int64_t bytes)
{
    return ContentResult{.error = error, .side = side, .bytes = bytes};
}

} // namespace

ContentResult copyContent(int from, int to, std::int64_t sizeHint, ContentMethod first)
{
    ContentMethod method = sizeHint > 0 ? first : ContentMethod::ReadWrite;
    std::int64_t done = 0;
    std::unique_ptr<char[]> buffer;
    for (;;) {
        if (method != ContentMethod::ReadWrite) {
            // The kernel copies: copy_file_range, else sendfile, which writes at the
            // destination's own position. What one cannot do goes to the next.
            const bool range = method == ContentMethod::CopyRange;
            if (!range && ::lseek(to, done, SEEK_SET) != done) {
                method = ContentMethod::ReadWrite;
                continue;
            }
            off_t in = done;
            off_t out = done;
            const ssize_t n = range ? ::copy_file_range(from, &in, to, &out, kKernelCopyChunk, 0)
                                    : ::sendfile(to, from, &in, kKernelCopyChunk);
            if (n > 0) {
                done += n;
            } else if (n == 0) {
                // The end of the file, unless it came early: then the plain loop has the last word.
                if (done >= sizeHint)
                    return ContentResult{.bytes = done};
                method = ContentMethod::ReadWrite;
            } else if (errno != EINTR) {
                if (destinationFailure(errno))
                    return failed(errno, ContentResult::Side::Destination, done);
                method = range ? ContentMethod::SendFile : ContentMethod::ReadWrite;
            }
        } else {
            if (!buffer)
                buffer = std::make_unique<char[]>(kBufferChunk);
            const ssize_t n = ::pread(from, buffer.get(), kBufferChunk, done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return failed(errno, ContentResult::Side::Source, done);
            }
            if (n == 0)
                return ContentResult{.bytes = done};
            for (ssize_t written = 0; written < n;) {
                const ssize_t w = ::pwrite(to, buffer.get() + written, static_cast<std::size_t>(n - written), done + written);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0)
                    return failed(w < 0 ? errno : ENOSPC, ContentResult::Side::Destination, done + written);
                written += w;
            }
            done += n;
        }
    }
}

} // namespace platform
