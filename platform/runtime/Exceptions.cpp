#include "runtime/Exceptions.h"

namespace platform {

NilObjectException::NilObjectException()
    : RuntimeException("Something that was needed is missing (a nil object was used).")
{
}

NilObjectException::NilObjectException(const std::string& whatWasMissing)
    : RuntimeException(whatWasMissing + " is missing (a nil object was used).")
{
}

} // namespace platform
