#include "ui/Window.h"

#include "menus/MenuBar.h"
#include "runtime/EventLoop.h"
#include "ui/MenuCommands.h"
#include "ui/RectControl.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// The framework's three lists of windows. The implicit windows are those found by their
// class's registered name; the list of windows holds every open window in the order they
// were built; the redraw list holds the windows whose Refresh(False) has not been carried
// out yet, and keeps each alive until it has been (or until shut-down).
std::vector<Ref<Window>>& implicitWindowList()
{
    static std::vector<Ref<Window>> windows;
    return windows;
}

std::vector<Ref<Window>>& redrawList()
{
    static std::vector<Ref<Window>> windows;
    return windows;
}

std::vector<Ref<Window>>& windowList()
{
    static std::vector<Ref<Window>> windows;
    return windows;
}

void remove(std::vector<Ref<Window>>& windows, const Window* window)
{
    windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const Ref<Window>& w) { return w.get() == window; }),
                  windows.end());
}

void forget(const Window* window)
{
    remove(implicitWindowList(), window);
    remove(windowList(), window);
}

// Redraws every window on the redraw list and empties it; runs at the turn of the event
// loop after the first Refresh(False).
void redrawPending()
{
    std::vector<Ref<Window>> pending;
    pending.swap(redrawList());
    for (const Ref<Window>& window : pending)
        if (window->isOpen() && window->widget())
            window->widget()->update();
}

// Empties one list at shut-down; its windows disappear from the screen.
void release(std::vector<Ref<Window>>& list)
{
    std::vector<Ref<Window>> windows;
    windows.swap(list);
    for (const Ref<Window>& window : windows)
        if (window->widget())
            window->widget()->hide();
    windows.clear();
}

} // namespace

// The top-level Qt window. Its close box goes through Window::Close like every close.
class Window::Frame : public QMainWindow {
public:
    explicit Frame(Window& owner) : owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        if (!owner_.open_)
            return;
        const Ref<Window> keepAlive = RefTo(owner_);
        dispatchGuarded(owner_.registeredName() + ", close box", [&]() -> Value {
            owner_.Close();
            return {};
        });
    }

private:
    Window& owner_;
};

// The area below the menu bar that holds the controls, in window coordinates.
class Window::Content : public QWidget {
public:
    explicit Content(Window& owner) : owner_(owner) {}
    std::optional<QColor> background;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        owner_.contentResized();
    }
    void paintEvent(QPaintEvent*) override
    {
        if (background) {
            QPainter painter(this);
            painter.fillRect(rect(), *background);
        }
    }

private:
    Window& owner_;
};

Window::Window()
{
    auto* frame = new Frame(*this);
    auto* content = new Content(*this);
    frame->setCentralWidget(content);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame_ = frame;
    content_ = content;
}

Window::~Window()
{
    controls_.clear();
    if (frame_) {
        frame_->hide();
        frame_->deleteLater();
    }
}

std::string Window::registeredName() const
{
    return classRecord() ? classRecord()->name() : std::string(kClassName);
}

void Window::runHook(std::string_view hook, const Arguments& arguments)
{
    const ClassRecord* record = classRecord();
    const Operation* operation = record ? record->find(hook) : nullptr;
    if (!operation || !operation->body)
        return;
    operation->body(*this, arguments);
}

void Window::Constructor()
{
    const Ref<Window> self = RefTo(*this);
    implicitWindowList().push_back(self);
    windowList().push_back(self);
    open_ = true;
    try {
        runHook("Layout");
        runHook("CreateControls");
        orderTabStops();
        runHook("AddMenuHandlers", {Ref<Object>(self)});
    } catch (...) {
        open_ = false;
        forget(this);
        frame_->hide();
        throw;
    }
    built_ = true;
    if (visible_)
        Show();
    // The Open event is an event like any other: what goes wrong in it is reported, and
    // the window stays.
    if (const ClassRecord* record = classRecord(); record && record->find("Event_Open")) {
        dispatchGuarded(registeredName() + ", event Open", [&]() -> Value {
            runHook("Event_Open");
            return {};
        });
    }
}

void Window::Show()
{
    if (!open_)
        return;
    visible_ = true;
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}

void Window::Close()
{
    if (!open_)
        return;
    open_ = false;
    const Ref<Window> keepAlive = RefTo(*this);
    forget(this);
    frame_->hide();
    if (menuBar_)
        RuntimeQuit();
}

void Window::Refresh(bool immediately)
{
    if (immediately) {
        // Whatever changed since the window was last drawn is drawn and shown now. The
        // rest already shows what it holds; drawing it again would cost a copy that
        // redraws its progress window after every file most of its time.
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(frame_, &request);
        return;
    }
    auto& pending = redrawList();
    if (std::any_of(pending.begin(), pending.end(), [&](const Ref<Window>& w) { return w.get() == this; }))
        return;
    if (pending.empty())
        QTimer::singleShot(0, QCoreApplication::instance(), &redrawPending);
    pending.push_back(RefTo(*this));
}

void Window::setMenuBar(const Ref<platform::MenuBar>& bar)
{
    menuBar_ = bar;
    if (!bar) {
        frame_->setMenuBar(nullptr);
        return;
    }
    const WeakRef<Window> owner(RefTo(*this));
    frame_->setMenuBar(bar->makeQMenuBar([owner](const Text& itemName) { dispatchMenuCommand(itemName, owner.lock()); }));
}

void Window::AddMenuHandler(const std::string& itemName, const Delegate& handler)
{
    if (handler.isEmpty())
        throw BindingError(registeredName() + ": the menu item \"" + itemName + "\" cannot be bound to an empty handler.");
    menuHandlers_.insert_or_assign(itemName, handler);
}

const Delegate* Window::menuHandler(const std::string& itemName) const
{
    const auto found = menuHandlers_.find(itemName);
    return found == menuHandlers_.end() ? nullptr : &found->second;
}

Ref<Control> Window::makeControl(std::string_view, Ref<Control> control)
{
    control->SetWindow(RefTo(*this));
    return control;
}

void Window::AddControl(const Text& name, const Ref<Control>& control)
{
    if (!control)
        throw NilObjectException("The control \"" + name.bytes() + "\" of " + registeredName());
    if (controlByName(name.bytes()))
        throw BindingError(registeredName() + " already has a control named \"" + name.bytes() + "\".");
    control->name_ = name;
    controls_.push_back(control);
}

Ref<Control> Window::controlByName(std::string_view name) const
{
    for (const Ref<Control>& control : controls_)
        if (control->Name().bytes() == name)
            return control;
    return Ref<Control>();
}

// Tab moves through the controls in the order of their TabIndex (creation order among
// equal ones); controls that the keyboard cannot focus stay out of the chain.
void Window::orderTabStops()
{
    std::vector<std::pair<std::int32_t, QWidget*>> chain;
    for (const Ref<Control>& control : controls_) {
        const auto* placed = dynamic_cast<const RectControl*>(control.get());
        QWidget* focus = placed ? placed->widget() : nullptr;
        while (focus && focus->focusProxy())
            focus = focus->focusProxy();
        if (focus && (focus->focusPolicy() & Qt::TabFocus))
            chain.emplace_back(placed->TabIndex(), focus);
    }
    std::stable_sort(chain.begin(), chain.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
}

void Window::contentResized()
{
    const QSize size = content_->size();
    for (const Ref<Control>& control : controls_)
        control->followWindow(size);
}

std::int32_t Window::Width() const { return content_->width(); }
std::int32_t Window::Height() const { return content_->height(); }

void Window::setTitle(const Text& title)
{
    title_ = title;
    frame_->setWindowTitle(QString::fromStdString(title.bytes()));
}

void Window::applySizeLimits()
{
    if (resizable_) {
        content_->setMinimumSize(minWidth_, minHeight_);
        content_->setMaximumSize(std::min(maxWidth_, QWIDGETSIZE_MAX), std::min(maxHeight_, QWIDGETSIZE_MAX));
    } else {
        content_->setFixedSize(content_->size());
    }
}

// The size is that of the content area, below the menu bar.
void Window::resizeContent(QSize size)
{
    const QWidget* menu = frame_->menuWidget();
    const int menuHeight = menu && menu->isVisibleTo(frame_) ? menu->sizeHint().height() : 0;
    frame_->resize(size.width(), size.height() + menuHeight);
    content_->resize(size);
    applySizeLimits();
}

void Window::showBackColor()
{
    static_cast<Content*>(content_.data())->background =
        hasBackColor_ ? std::optional<QColor>(QColor(backColor_.red, backColor_.green, backColor_.blue)) : std::nullopt;
    content_->update();
}

const PropertyTable& Window::propertyTable()
{
    const auto sizeLimit = [](std::int32_t Window::*member) { return kept(member, &Window::applySizeLimits); };
    const auto titleButton = [](Qt::WindowType hint) {
        return [hint](Window& window, bool on) {
            Qt::WindowFlags flags = window.frame_->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            flags.setFlag(hint, on);
            window.frame_->setWindowFlags(flags);
        };
    };
    static const PropertyTable table("Window", "", {}, {
        noEffect<std::int32_t>("Placement", noDefault, "the desktop places new windows itself"),
        key("Width", noDefault, [](Window& window, std::int32_t width) {
            window.resizeContent(QSize(width, window.content_->height()));
        }),
        key("Height", noDefault, [](Window& window, std::int32_t height) {
            window.resizeContent(QSize(window.content_->width(), height));
        }),
        key("MinWidth", noDefault, sizeLimit(&Window::minWidth_)),
        key("MinHeight", noDefault, sizeLimit(&Window::minHeight_)),
        key("MaxWidth", noDefault, sizeLimit(&Window::maxWidth_)),
        key("MaxHeight", noDefault, sizeLimit(&Window::maxHeight_)),
        // 0 is a document window; the dialog kinds 1 (movable modal) and 2 (modal dialog)
        // are modal for the whole application while they are open. 8, a sheet, belongs to a
        // window it is shown within; shown on its own, as the copy's progress window is, it
        // is a dialog that keeps no other window from working.
        key("Frame", noDefault, [](Window& window, std::int32_t frame) {
            if (frame == 1 || frame == 2 || frame == 8)
                window.frame_->setWindowFlag(Qt::Dialog, true);
            if (frame == 1 || frame == 2)
                window.frame_->setWindowModality(Qt::ApplicationModal);
        }),
        noEffect<bool>("Composite", noDefault, "chooses how the original system drew a window; Qt has one way"),
        key("HasBackColor", noDefault, kept(&Window::hasBackColor_, &Window::showBackColor)),
        key("BackColor", noDefault, kept(&Window::backColor_, &Window::showBackColor)),
        key("Title", noDefault, &Window::setTitle),
        key("Visible", noDefault, [](Window& window, bool on) {
            window.visible_ = on;
            if (window.built_)
                on ? window.Show() : window.frame_->hide();
        }),
        key("FullScreen", noDefault, [](Window& window, bool on) {
            if (on)
                window.frame_->setWindowState(window.frame_->windowState() | Qt::WindowFullScreen);
        }),
        key("MenuBarVisible", noDefault, [](Window& window, bool on) {
            if (window.frame_->menuWidget())
                window.frame_->menuWidget()->setVisible(on);
        }),
        key("CloseButton", noDefault, titleButton(Qt::WindowCloseButtonHint)),
        key("Resizeable", noDefault, kept(&Window::resizable_, &Window::applySizeLimits)),
        noEffect<bool>("LiveResize", noDefault, "windows here always redraw while they are resized"),
        key("MaximizeButton", noDefault, titleButton(Qt::WindowMaximizeButtonHint)),
        key("MinimizeButton", noDefault, titleButton(Qt::WindowMinimizeButtonHint)),
        noEffect<std::int32_t>("MacProcID", noDefault, "names a window kind of the original system, unknown here"),
    });
    return table;
}

std::vector<Operation> Window::operations()
{
    auto self = [](Object& object) -> Window& { return dynamic_cast<Window&>(object); };
    return {
        operation("Show", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Show();
            return {};
        }),
        operation("Close", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Close();
            return {};
        }),
        operation("Refresh", "( Boolean )", [self](Object& o, const Arguments& a) -> Value {
            self(o).Refresh(std::get<bool>(a.at(0)));
            return {};
        }),
        operation("Constructor", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Constructor();
            return {};
        }),
    };
}

namespace {

void applyDescription(Object& target, const PropertyTable& table, const Text& description, const std::string& who)
{
    for (const DescriptionEntry& entry : decodeDescription(description, table.className(), who)) {
        const PropertyEntry* property = table.find(entry.key);
        if (!property) // a layout registered under the class's name by something else
            throw DescriptionError(who + ": a " + std::string(table.className()) + " has no key \"" + entry.key +
                                   "\".");
        if (property->apply)
            property->apply(target, entry.value);
    }
}

} // namespace

void SetProperties(Object& target, const Text& description)
{
    if (auto* window = dynamic_cast<Window*>(&target))
        return applyDescription(*window, Window::propertyTable(), description, window->registeredName());
    if (auto* control = dynamic_cast<Control*>(&target)) {
        // The keys of a control with a place on screen set its widget, made by its constructor.
        if (auto* placed = dynamic_cast<RectControl*>(control); placed && !placed->widget())
            throw DescriptionError(control->describe() + ": a control takes its description once it is constructed.");
        return applyDescription(*control, control->properties(), description, control->describe());
    }
    throw DescriptionError("A description can only be applied to a window or a control.");
}

Ref<Window> GetImplicitWindow(std::string_view registeredName)
{
    for (const Ref<Window>& window : implicitWindowList())
        if (window->registeredName() == registeredName)
            return window;
    return Ref<Window>();
}

std::vector<Ref<Window>> openWindows() { return windowList(); }

std::vector<Ref<Window>> windowsAwaitingRedraw() { return redrawList(); }

void releaseImplicitWindowList() { release(implicitWindowList()); }

void releaseRedrawList() { release(redrawList()); }

void releaseWindowList()
{
    release(windowList());
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void releaseWindowLists()
{
    releaseImplicitWindowList();
    releaseRedrawList();
    releaseWindowList();
}

} // namespace platform
