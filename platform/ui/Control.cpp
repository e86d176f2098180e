#include "ui/Control.h"

#include "runtime/EventLoop.h"
#include "ui/Window.h"

namespace platform {

namespace {

// The controls whose handlers are running, innermost last.
std::vector<Ref<Control>>& eventSources()
{
    static std::vector<Ref<Control>> sources;
    return sources;
}

// Marks a control as the one that fired for as long as its handler runs.
class EventSourceScope {
public:
    explicit EventSourceScope(Ref<Control> control) { eventSources().push_back(std::move(control)); }
    ~EventSourceScope() { eventSources().pop_back(); }
    EventSourceScope(const EventSourceScope&) = delete;
    EventSourceScope& operator=(const EventSourceScope&) = delete;
};

} // namespace

Ref<Control> currentEventSource()
{
    const auto& sources = eventSources();
    return sources.empty() ? Ref<Control>() : sources.back();
}

void Control::SetWindow(const Ref<Window>& window)
{
    window_ = window;
    const std::string name = window ? window->registeredName() : std::string();
    windowName_ = name.substr(0, name.find('.'));
}

std::string Control::describe() const
{
    const std::string windowName = windowName_.empty() ? std::string("(no window)") : windowName_;
    return windowName + ", control " + (name_.empty() ? std::string("(unnamed)") : name_.bytes());
}

const std::vector<PropertyEntry>& Control::sharedKeys()
{
    static const std::vector<PropertyEntry> keys{
        key("Name", noDefault, [](Control& control, const Text& name) { control.name_ = name; }),
        key("Index", kNoControlArray, [](Control& control, std::int32_t index) { control.index_ = index; }),
    };
    return keys;
}

void Control::InstallEventHandler(std::string_view event, const Delegate& handler)
{
    const std::string context = describe() + ", event " + std::string(event) + ", method " + handler.methodName();
    const auto declared = declaredEvent(event);
    if (!declared)
        throw BindingError(context + ": a " + std::string(descriptionClass()) + " has no event \"" +
                           std::string(event) + "\".");
    if (declared->signature != handler.signature())
        throw BindingError(context + ": the event needs a handler \"" + std::string(declared->signature) +
                           "\", the method is \"" + handler.signature() + "\".");
    handlers_.insert_or_assign(std::string(event), handler);
    handlerInstalled(event);
}

std::optional<EventSpec> Control::declaredEvent(std::string_view event) const
{
    for (const EventSpec& declared : events())
        if (declared.name == event)
            return declared;
    return std::nullopt;
}

bool Control::hasHandler(std::string_view event) const { return handlers_.find(event) != handlers_.end(); }

Value Control::runHandler(std::string_view event, const Arguments& arguments, bool reported)
{
    const auto found = handlers_.find(event);
    if (found == handlers_.end())
        return {};
    // The delegate is copied: the handler may close the window and with it this control.
    const Delegate handler = found->second;
    const EventSourceScope source(RefTo(*this));
    if (!reported)
        return handler.invoke(arguments);
    Value fallback;
    if (handler.signature().ends_with("as Boolean"))
        fallback = false;
    return dispatchGuarded(describe() + ", event " + std::string(event), [&] { return handler.invoke(arguments); },
                           fallback);
}

Value Control::raise(std::string_view event, const Arguments& arguments) { return runHandler(event, arguments, true); }

void Control::raiseFromCode(std::string_view event) { runHandler(event, {}, false); }

bool Control::raiseBoolean(std::string_view event, const Arguments& arguments)
{
    const Value result = raise(event, arguments);
    const bool* handled = std::get_if<bool>(&result);
    return handled && *handled;
}

} // namespace platform
