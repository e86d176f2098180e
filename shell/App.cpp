#include "shell/App.h"

#include "info/infoWin.h"
#include "runtime/Runtime.h"

namespace parvolin {

platform::Ref<App> App::instance() { return platform::RuntimeCheckCast<App>(platform::GetAppObject()); }

bool App::infoHelp_Action()
{
    // The open help window comes to the front; when none is open, a new one opens.
    infoWin::instance()->Show();
    return true;
}

platform::ClassDefinition App::classDefinition()
{
    // Method names in the class record keep the framework's spelling; C++ reserves
    // identifiers that begin with an underscore and a capital, so the C++ names drop it.
    return {"App", "Application", [] {
                return std::vector<platform::Operation>{
                    platform::method<&App::infoHelp_Action>("_infoHelp_Action"),
                };
            }};
}

} // namespace parvolin
