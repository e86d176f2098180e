#pragma once

// Windows: built through their class's hooks from a description, reached through their
// implicit instance, holding their controls by name.

#include "ui/Control.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>

#include <map>
#include <string_view>
#include <vector>


namespace platform {

class MenuBar;

class Window : public Object {
public:
    static constexpr const char* kClassName = "Window";
    static constexpr std::string_view kTypeName = "Window";

    Window();
    ~Window() override;

    // Builds the window: runs its class's hooks Layout, CreateControls and, where the class
    // has them, AddMenuHandlers and the Open event; shows it when its description made it
    // visible. The window is on the list of implicit windows from the start of the
    // construction until it is closed.
    void Constructor();

    // The name the class is registered under ("Window1.Window1").
    std::string registeredName() const;

    void Show();
    void Close();
    // Redraws the window: at once when `immediately` is True, else at the next turn of the
    // event loop (the window waits on the redraw list until then).
    void Refresh(bool immediately);
    bool isOpen() const { return open_; }

    // The window's menu bar; only one window of the program sets one. Closing the window
    // that carries the menu bar quits the application.
    void setMenuBar(const Ref<platform::MenuBar>& bar);
    Ref<platform::MenuBar> MenuBar() const { return menuBar_; }

    void AddMenuHandler(const std::string& itemName, const Delegate& handler);
    const Delegate* menuHandler(const std::string& itemName) const;

    // A new control of the given class record, owned by this window; not yet
    // constructed or registered.
    template <class C>
    Ref<C> New(std::string_view className = C::kClassName);
    // Registers a control under its name.
    void AddControl(const Text& name, const Ref<Control>& control);
    // The control of that name, or an empty handle.
    Ref<Control> controlByName(std::string_view name) const;
    const std::vector<Ref<Control>>& controls() const { return controls_; }

    // The keys of a window's own description.
    static const PropertyTable& propertyTable();

    const Text& Title() const { return title_; }
    void setTitle(const Text& title);
    std::int32_t Width() const;
    std::int32_t Height() const;
    bool Visible() const { return visible_; }

    QMainWindow* widget() const { return frame_; }
    QWidget* content() const { return content_; }

    static std::vector<Operation> operations();

protected:
    // Inside a control's event handler: the control that fired ("me"), cast to the class the
    // handler expects. Throws the nil-object exception outside a handler of this window.
    template <class C>
    Ref<C> me() const;

private:
    class Frame;
    class Content;
    friend class Content;
    void contentResized();
    void runHook(std::string_view hook, const Arguments& arguments = {});
    Ref<Control> makeControl(std::string_view className, Ref<Control> control);
    void orderTabStops();
    void resizeContent(QSize size);
    void applySizeLimits();
    void showBackColor();

    QPointer<QMainWindow> frame_;
    QPointer<QWidget> content_;
    std::vector<Ref<Control>> controls_;
    std::map<std::string, Delegate, std::less<>> menuHandlers_;
    Ref<platform::MenuBar> menuBar_;
    Text title_;
    bool open_ = false;
    bool built_ = false;
    bool visible_ = false;
    bool hasBackColor_ = false;
    Color backColor_ = Color::rgb(0xFFFFFF);
    bool resizable_ = true;
    std::int32_t minWidth_ = 0, minHeight_ = 0, maxWidth_ = 32000, maxHeight_ = 32000;
};

template <class C>
Ref<C> Window::New(std::string_view className)
{
    return RuntimeCheckCast<C>(makeControl(className, ObjectFactory<C>::make(ClassRegistry::instance().record(className))));
}

template <class C>
Ref<C> Window::me() const
{
    const Ref<Control> source = currentEventSource();
    if (!source || source->window().get() != this)
        throw NilObjectException("The control whose event is being handled");
    return RuntimeCheckCast<C>(source);
}

// A window's control by name, cast to the class the caller expects; an empty handle when
// the window has no such control (using it then throws the nil-object exception).
template <class C>
Ref<C> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name)
{
    return RuntimeCheckCast<C>(window->controlByName(name));
}

// Applies a description to a window or a control, key by key in the description's order.
void SetProperties(Object& target, const Text& description);

// ---- Implicit window instances ---------------------------------------------------------------

// The open window whose class is registered under that name, or an empty handle.
Ref<Window> GetImplicitWindow(std::string_view registeredName);

// The open window of class W, or a new one, built and opened.
template <class W>
Ref<W> ImplicitInstance()
{
    if (Ref<Window> open = GetImplicitWindow(W::kClassName))
        return RuntimeCheckCast<W>(open);
    Ref<W> window = RuntimeNewObject<W>();
    window->Constructor();
    return window;
}

// Every window that is open, in the order they were built (the list of windows).
std::vector<Ref<Window>> openWindows();

// The windows whose Refresh(False) is still to be carried out, at the next turn of the
// event loop.
std::vector<Ref<Window>> windowsAwaitingRedraw();

// Shut-down empties the framework's window lists one at a time, in this order: the list
// of implicit windows, the redraw list, the list of windows. A window goes when the last
// list that holds it lets it go.
void releaseImplicitWindowList();
void releaseRedrawList();
void releaseWindowList();
// All three, in that order.
void releaseWindowLists();

} // namespace platform
