#include "runtime/Application.h"

#include "runtime/EventLoop.h"

#include <chrono>
#include <thread>

namespace platform {

void Application::AddMenuHandler(const std::string& itemName, const Delegate& handler)
{
    if (handler.isEmpty())
        throw BindingError("The menu item \"" + itemName + "\" cannot be bound to an empty handler.");
    menuHandlers_.insert_or_assign(itemName, handler);
}

const Delegate* Application::menuHandler(const std::string& itemName) const
{
    const auto found = menuHandlers_.find(itemName);
    return found == menuHandlers_.end() ? nullptr : &found->second;
}

void Application::DoEvents() { RuntimeBackgroundTask(); }

void RuntimeRegisterAppObject(const Ref<Application>& application)
{
    if (!application)
        throw NilObjectException("The application object");
    Ref<Object>& slot = applicationObjectSlot();
    if (slot && slot.get() != application.get())
        throw RuntimeException("There is already an application object; a program has only one.");
    slot = application;
}

Ref<Application> GetAppObject() { return RuntimeCheckCast<Application>(applicationObjectSlot()); }

std::vector<Operation> Application::operations()
{
    const std::string noDocuments = "this application keeps no documents.";
    const std::string noTray = "this desktop offers no tray items to the program.";
    const std::string internal = "it is the framework's own and runs only inside it.";
    auto self = [](Object& object) -> Application& { return dynamic_cast<Application&>(object); };
    return {
        declaredOnly("NewDocument", "(  )", noDocuments),
        declaredOnly("OpenDocument", "( FolderItem )", noDocuments),
        operation("DoEvents", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).DoEvents();
            return {};
        }),
        declaredOnly("_AddMenuHandler", "( String, Delegate )", "bind menu handlers from C++ with AddMenuHandler."),
        declaredOnly("_AddPollableObject", "( Object )", internal),
        declaredOnly("_RemovePollableObject", "( Object )", internal),
        declaredOnly("AddTrayItem", "( TrayItem )", noTray),
        declaredOnly("RemoveTrayItem", "( TrayItem )", noTray),
        operation("YieldToNextThread", "(  )", [](Object&, const Arguments&) -> Value {
            // One thread only: yielding means letting pending events run.
            RuntimeBackgroundTask();
            return {};
        }),
        operation("SleepCurrentThread", "( Int32 )", [](Object&, const Arguments& arguments) -> Value {
            const std::int32_t ms = std::get<std::int32_t>(arguments.at(0));
            std::this_thread::sleep_for(std::chrono::milliseconds(ms > 0 ? ms : 0));
            return {};
        }),
        operation("_DoSingleEvent", "(  )", [](Object&, const Arguments&) -> Value {
            RuntimeBackgroundTask();
            return {};
        }),
        declaredOnly("_EnableMenuItems", "(  )", internal),
        declaredOnly("_CallOpen", "(  )", internal),
        declaredOnly("_HandleMenuCommand", "( String ) as Boolean", internal),
        declaredOnly("_LoadPictureFromBundle", "( String ) as Picture", "pictures are loaded by their own accessors."),
        declaredOnly("_LoadBundleSound", "( String ) as Sound", "sounds are opened from files."),
        declaredOnly("__DependencyList", "(  )", internal),
    };
}

} // namespace platform
