#pragma once

// The help window's class. Its window and handler are not part of this build yet: the
// class record lists its operations, and each refuses when called.

#include "ui/Ui.h"

namespace parvolin {

class infoWin : public platform::Window {
public:
    static constexpr const char* kClassName = "infoWin.infoWin";
    static constexpr std::string_view kTypeName = "infoWin";

    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
