#pragma once

// A file or folder that exists could not be read: the player went away, the disk reports
// an error, or access is refused. The message names the path and the system's reason.

#include "runtime/Exceptions.h"

#include <string>

namespace platform {

class IOException : public RuntimeException {
public:
    // `what` says what was being done ("The folder \"/media/P/Music\" could not be read"),
    // `error` is the errno value that says why.
    IOException(const std::string& what, int error);

    int error() const { return error_; }

private:
    int error_;
};

} // namespace platform
