#pragma once

// Modal messages in the desktop's own message box. Line breaks in the texts are carriage
// returns (character 13), as everywhere in the run time's texts.
//
// The question form takes the framework's code: the buttons plus the icon. This desktop
// offers the buttons 0 (OK) and 4 (Yes and No) and the icons 0 (none) and 32 (a
// question); any other code is refused with UnsupportedOperation, naming the code, rather
// than shown with buttons the caller did not ask for. The answer is 1 for OK, 6 for Yes,
// 7 for No; Escape and the close box answer No.

#include "runtime/Text.h"

#include <cstdint>

namespace platform {

namespace msgbox {
inline constexpr std::int32_t kOkButton = 0;
inline constexpr std::int32_t kYesNoButtons = 4;
inline constexpr std::int32_t kQuestionIcon = 32;

inline constexpr std::int32_t kOk = 1;
inline constexpr std::int32_t kYes = 6;
inline constexpr std::int32_t kNo = 7;
} // namespace msgbox

// A plain message with an OK button; returns when the user has dismissed it.
void MsgBox(const Text& message);

// A message or a question; returns the button the user pressed. An empty title shows the
// program's name.
std::int32_t MsgBox(const Text& prompt, std::int32_t code, const Text& title = Text());

} // namespace platform
