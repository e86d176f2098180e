#pragma once

// Controls: every control has a name, belongs to one window, takes its properties from a
// description and raises events that the window binds to its methods by name.

#include "runtime/Delegate.h"
#include "ui/PropertyTable.h"

#include <QSize>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Window;

struct EventSpec {
    std::string_view name;
    std::string_view signature; // the handler's signature string
};

class Control : public Object {
public:
    static constexpr const char* kClassName = "Control";
    static constexpr std::string_view kTypeName = "Control";

    const Text& Name() const { return name_; }
    // The window that owns the control; empty once the window has gone.
    Ref<Window> window() const { return window_.lock(); }
    std::int32_t Index() const { return index_; }
    // The framework's links of a control: the window it belongs to (held without keeping
    // the window alive, since the window owns the control) and its control-array index.
    void SetWindow(const Ref<Window>& window);
    void SetIndex(std::int32_t index) { index_ = index; }

    // The keys of this control's descriptions: its class's table.
    virtual const PropertyTable& properties() const = 0;
    // The class whose description layout applies ("Listbox", "Timer", ...).
    std::string_view descriptionClass() const { return properties().className(); }

    // Runs the framework's constructor of the control: a visible control makes its widget
    // here, inside its window.
    virtual void Constructor() = 0;

    // Called by the window whenever its content area changes size; a control with a place
    // on screen follows its locked edges.
    virtual void followWindow(QSize) {}

    // The events the control raises, with the signature each handler must have.
    virtual std::vector<EventSpec> events() const { return {}; }
    // The event of that name as the control declares it, or nothing.
    std::optional<EventSpec> declaredEvent(std::string_view event) const;

    // Binds a handler to an event; fails at once, naming window, control, event and
    // method, when the event does not exist or the handler's signature does not fit it.
    void InstallEventHandler(std::string_view event, const Delegate& handler);
    bool hasHandler(std::string_view event) const;

    // Raises an event that the event loop delivered (a press, a key, a tick): runs its
    // handler, if any, with the unhandled-exception report around it. A Boolean event
    // gives False when nothing is bound or the handler threw.
    Value raise(std::string_view event, const Arguments& arguments = {});
    bool raiseBoolean(std::string_view event, const Arguments& arguments = {});
    // Raises an event that code caused by setting a text, a row or a selection. Its
    // handler runs at once, and an exception it throws passes on to the code that set the
    // property: that code ends as well, and only the handler the event loop ran reports it.
    // Callers raise it once the widget has been changed, outside any of Qt's own frames.
    void raiseFromCode(std::string_view event);

    // "Window1, control folders": how error messages name this control.
    std::string describe() const;

protected:
    // The keys that every named control has: Name and Index.
    static const std::vector<PropertyEntry>& sharedKeys();
    // Called once a handler has been bound to one of the control's events.
    virtual void handlerInstalled(std::string_view /*event*/) {}

private:
    Value runHandler(std::string_view event, const Arguments& arguments, bool reported);

    friend class Window;
    Text name_;
    std::int32_t index_ = kNoControlArray;
    WeakRef<Window> window_;
    std::string windowName_;
    std::map<std::string, Delegate, std::less<>> handlers_;
};

// The control whose event handler is running now (the innermost one, when a handler lets
// another event run at a yield); empty outside event handlers.
Ref<Control> currentEventSource();

} // namespace platform
