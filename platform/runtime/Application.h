#pragma once

// The framework's application class: the single application object and its
// application-level menu handlers.

#include "runtime/Delegate.h"

#include <map>
#include <string>

namespace platform {

class Application : public Object {
public:
    static constexpr const char* kClassName = "Application";
    static constexpr std::string_view kTypeName = "Application";

    // Binds a menu item, by its name, to a handler for the whole application.
    void AddMenuHandler(const std::string& itemName, const Delegate& handler);
    // The handler bound to that item name, or null.
    const Delegate* menuHandler(const std::string& itemName) const;

    // Lets pending events run (the same as the yield point).
    void DoEvents();

    // The class's operations, in the order of its record.
    static std::vector<Operation> operations();

private:
    std::map<std::string, Delegate> menuHandlers_;
};

// Makes an object the application object; a program has exactly one. The run time holds it
// until RuntimeExit.
void RuntimeRegisterAppObject(const Ref<Application>& application);
// The registered application object, or an empty handle.
Ref<Application> GetAppObject();

} // namespace platform
