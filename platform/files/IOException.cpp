#include "files/IOException.h"

#include <cstring>

namespace platform {

IOException::IOException(const std::string& what, int error)
    : RuntimeException(what + ": " + std::strerror(error) + "."), error_(error)
{
}

} // namespace platform
