#pragma once

// What travels through delegates and events: nothing, a Boolean, a 32-bit integer, a text
// or an object.

#include "runtime/Object.h"
#include "runtime/Text.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace platform {

using Value = std::variant<std::monostate, bool, std::int32_t, Text, Ref<Object>>;
using Arguments = std::vector<Value>;

} // namespace platform
