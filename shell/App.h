#pragma once

// The application object: the one instance of App, registered with the framework, which
// holds it for the life of the process. It owns the Help command's handler.

#include "runtime/Runtime.h"

namespace parvolin {

class App : public platform::Application {
public:
    static constexpr const char* kClassName = "App";
    static constexpr std::string_view kTypeName = "App";

    // The registered application object, asked for anew at every call.
    static platform::Ref<App> instance();

    // "Help...": shows the help window.
    bool infoHelp_Action();

    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
