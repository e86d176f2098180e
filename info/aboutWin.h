#pragma once

// The About window's class. Its window and handlers are not part of this build yet: the
// class record lists its operations, and each refuses when called.

#include "ui/Ui.h"

namespace parvolin {

class aboutWin : public platform::Window {
public:
    static constexpr const char* kClassName = "aboutWin.aboutWin";
    static constexpr std::string_view kTypeName = "aboutWin";

    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
