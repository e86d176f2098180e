#pragma once

// The text that a control's KeyDown handler receives for a key press.

#include "runtime/Text.h"

class QKeyEvent;

namespace platform {

// The key's own text, with the arrow keys as one character each: 28 left, 29 right, 30 up,
// 31 down. Empty for a key that has no character (a modifier, a function key).
Text keyDownText(const QKeyEvent& event);

} // namespace platform
