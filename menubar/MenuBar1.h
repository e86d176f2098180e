#pragma once

// The program's one menu bar: Edit ("Copy", "About Parvolin...") and Info ("Help...").
// Built the first time it is asked for, when the main window is built, and released at
// shut-down.

#include "menus/Menus.h"

namespace parvolin {

class MenuBar1 : public platform::MenuBar {
public:
    static constexpr const char* kClassName = "MenuBar1.MenuBar1";
    static constexpr std::string_view kTypeName = "MenuBar1";

    // The single instance; builds it on the first call.
    static platform::Ref<MenuBar1> instance();
    // True once the instance has been built and not yet released.
    static bool exists();
    // Releases the instance and empties the reference (shut-down).
    static void releaseInstance();

    void Constructor();
    void Untitled2();
    void Untitled3();

    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
