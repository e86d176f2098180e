#pragma once

// The desktop's URL opener: web pages go to the browser, "mailto:" addresses to the mail
// program.

#include "runtime/Text.h"

#include <functional>

namespace platform {

// Hands the text, unchanged, to the URL opener. Whether the desktop manages to open it is
// not looked at; a text that is no URL at all opens nothing.
void ShowURL(const Text& url);

// What ShowURL hands its text to. The desktop's opener is in place unless a test puts its
// own; returns the one it replaces.
using UrlOpener = std::function<void(const Text&)>;
UrlOpener setUrlOpener(UrlOpener opener);

} // namespace platform
